#pragma once
// A private desktop for tests that run xdg-mime and xdg-open: HOME and the
// XDG folders in a temporary folder, no desktop environment (the tools'
// generic branch, which reads plain files), no browser to fall back on, and
// application entries whose program writes down its arguments.
#include "testfiles.h"

#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace vt::test {

class XdgDesktop {
public:
    QTemporaryDir dir;
    QString data, config, system;

    XdgDesktop()
    {
        data = dir.path() + QStringLiteral("/data");
        config = dir.path() + QStringLiteral("/config");
        system = dir.path() + QStringLiteral("/sys");
        set("HOME", dir.path());
        set("XDG_DATA_HOME", data);
        set("XDG_CONFIG_HOME", config);
        // The system's MIME database, but none of its applications.
        QDir().mkpath(system);
        QFile::link(QStringLiteral("/usr/share/mime"), system + QStringLiteral("/mime"));
        set("XDG_DATA_DIRS", system);
        set("BROWSER", QStringLiteral("false"));
        // xdg-open asks for a program only when a display is named.
        set("DISPLAY", QStringLiteral(":vt-none"));
        for (const char *v : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                              "XDG_MENU_PREFIX"})
            set(v, std::nullopt);
    }
    ~XdgDesktop()
    {
        for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) {
            if (it.value())
                qputenv(it.key().constData(), *it.value());
            else
                qunsetenv(it.key().constData());
        }
    }

    static bool toolsThere()
    {
        for (const char *t : {"xdg-mime", "xdg-open", "update-mime-database"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(t)).isEmpty())
                return false;
        return true;
    }

    // A program that writes its arguments, one a line, to the file `out` names.
    QString recorder(const QString &name, QString *out) const
    {
        const QString prog = dir.path() + QStringLiteral("/bin/") + name;
        *out = prog + QStringLiteral(".out");
        const QByteArray o = QFile::encodeName(*out);
        writeTestFile(prog, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + o + ".part' && mv '" + o + ".part' '" + o + "'\n");
        QFile(prog).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return prog;
    }
    // An application entry in the user's (or the system's) applications folder.
    void addApp(const QString &id, const QString &program, const QStringList &types, bool systemWide = false) const
    {
        writeTestFile((systemWide ? system : data) + QStringLiteral("/applications/") + id,
                      "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=" + QFile::encodeName(program)
                          + " %F\nMimeType=" + types.join(QLatin1Char(';')).toUtf8() + ";\n");
    }
    // The recorded arguments, once the program has written them.
    static QStringList recorded(const QString &out)
    {
        if (!QTest::qWaitFor([&] { return QFile::exists(out); }, 20000))
            return {QStringLiteral("<nothing recorded>")};
        QFile f(out);
        f.open(QIODevice::ReadOnly);
        QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }
    // A tool's exit code and output (stdout trimmed).
    static QPair<int, QString> tool(const QString &program, const QStringList &args)
    {
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000))
            return {-2, QString()};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
    }
    static QString defaultOf(const QString &type) { return tool(QStringLiteral("xdg-mime"), {"query", "default", type}).second; }
    static QString filetype(const QString &file) { return tool(QStringLiteral("xdg-mime"), {"query", "filetype", file}).second; }

private:
    void set(const char *name, std::optional<QString> value)
    {
        if (!m_saved.contains(name))
            m_saved.insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        if (value)
            qputenv(name, value->toUtf8());
        else
            qunsetenv(name);
    }
    QHash<QByteArray, std::optional<QByteArray>> m_saved;
};

} // namespace vt::test
