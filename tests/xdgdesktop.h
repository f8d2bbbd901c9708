#pragma once
// A private desktop for tests that run xdg-mime and xdg-open: HOME and the
// XDG folders in a temporary folder, no desktop environment (the tools'
// generic branch, which reads plain files), no browser to fall back on, and
// application entries whose program writes down its arguments.
#include "platform/dirreader.h"
#include "testfiles.h"

#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

namespace vt::test {

class XdgDesktop {
public:
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/data"), config = dir.path() + QStringLiteral("/config"),
                  system = dir.path() + QStringLiteral("/sys");

    XdgDesktop()
    {
        // The system's MIME database, but none of its applications.
        QDir().mkpath(system);
        QFile::link(QStringLiteral("/usr/share/mime"), system + QStringLiteral("/mime"));
        const QList<QPair<const char *, QString>> vars{{"HOME", dir.path()}, {"XDG_DATA_HOME", data},
            {"XDG_CONFIG_HOME", config}, {"XDG_DATA_DIRS", system}, {"BROWSER", QStringLiteral("false")},
            {"DISPLAY", QStringLiteral(":vt-none")}, // xdg-open asks for a program only with a display
            {"XDG_CURRENT_DESKTOP", {}}, {"DESKTOP_SESSION", {}}, {"KDE_FULL_SESSION", {}},
            {"GNOME_DESKTOP_SESSION_ID", {}}, {"XDG_MENU_PREFIX", {}}};
        for (const auto &[name, value] : vars) {
            m_saved.insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            value.isNull() ? qunsetenv(name) : qputenv(name, value.toUtf8());
        }
    }
    ~XdgDesktop()
    {
        for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it)
            it.value() ? qputenv(it.key().constData(), *it.value()) : qunsetenv(it.key().constData());
    }

    static bool toolsThere()
    {
        for (const char *t : {"xdg-mime", "xdg-open", "update-mime-database"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(t)).isEmpty())
                return false;
        return true;
    }
    // A program that writes its arguments, one a line, to *out.
    QString recorder(const QString &name, QString *out) const
    {
        const QString prog = dir.path() + QStringLiteral("/bin/") + name;
        *out = prog + QStringLiteral(".out");
        const QByteArray o = fs::nativePath(*out);
        writeTestFile(prog, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + o + ".part' && mv '" + o + ".part' '" + o + "'\n");
        QFile(prog).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return prog;
    }
    // An application entry in the user's (or the system's) applications folder.
    void addApp(const QString &id, const QString &program, const QStringList &types, bool systemWide = false) const
    {
        writeTestFile((systemWide ? system : data) + QStringLiteral("/applications/") + id,
                      "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\nExec=" + fs::nativePath(program)
                          + " %F\nMimeType=" + types.join(QLatin1Char(';')).toUtf8() + ";\n");
    }
    // The recorded arguments, once the program has written them.
    static QStringList recorded(const QString &out)
    {
        if (!QTest::qWaitFor([&] { return QFile::exists(out); }, 20000))
            return {QStringLiteral("<nothing recorded>")};
        QStringList lines = QString::fromUtf8(readAll(out)).split(QLatin1Char('\n'));
        lines.removeLast();
        return lines;
    }
    // A tool's exit code and its output, trimmed.
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
    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QHash<QByteArray, std::optional<QByteArray>> m_saved;
};

} // namespace vt::test
