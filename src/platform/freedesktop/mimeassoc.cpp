#include "platform/freedesktop/mimeassoc.h"

#include "platform/freedesktop/desktopfile.h"
#include "platform/regularfile.h"
#include "platform/sendto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace vt::assoc {
namespace {

// The whole file, empty when it cannot be read.
QByteArray readWholeFile(const QString &path, bool *ok)
{
    QByteArray data;
    *ok = fs::readRegularFile(path, &data);
    return data;
}

bool writeFileAtomic(const QString &path, const QByteArray &data) { return fs::writeFileReplacing(path, data); }

QString dataHome()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base;
}

QString configHome()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base;
}

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QString out;
};

// A tool that does not finish in time is stopped: the dialog must not hang.
ToolRun runTool(const QString &program, const QStringList &args)
{
    ToolRun r;
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return r;
    r.started = true;
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished(1000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return r;
}

QString missingTool(const QString &program, const QString &package)
{
    return QStringLiteral("Не запускается ") + program + QStringLiteral(" (пакет ") + package
           + QLatin1Char(')');
}

} // namespace

const QList<ListType> &listTypes()
{
    static const QList<ListType> types{
        {QStringLiteral("vtl"), QStringLiteral("application/x-vestrada-vtl"),
         QStringLiteral("Список Vestrada VTL"), false},
        {QStringLiteral("vts"), QStringLiteral("application/x-vestrada-vts"),
         QStringLiteral("Таблица Vestrada VTS"), false},
        {QStringLiteral("vtx"), QStringLiteral("application/x-vestrada-vtx"),
         QStringLiteral("Список путей Vestrada VTX"), true},
    };
    return types;
}

QString mimeFolder() { return dataHome() + QStringLiteral("/mime/"); }

QString packagePath(const ListType &t)
{
    return mimeFolder() + QStringLiteral("packages/vestrada-") + t.ext + QStringLiteral(".xml");
}

QString packageText(const ListType &t)
{
    QString s = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                               "  <mime-type type=\"")
                + t.mimeType + QStringLiteral("\">\n    <comment>") + t.comment
                + QStringLiteral("</comment>\n");
    if (t.text)
        s += QStringLiteral("    <sub-class-of type=\"text/plain\"/>\n");
    s += QStringLiteral("    <glob pattern=\"*.") + t.ext
         + QStringLiteral("\"/>\n  </mime-type>\n</mime-info>\n");
    return s;
}

QString desktopId() { return QFileInfo(sendto::entryPath()).fileName(); }

bool isOwnEntry(const QString &id)
{
    return id.compare(desktopId(), Qt::CaseInsensitive) == 0
        || id.compare(QLatin1String("org.vestrada.vestrada.desktop"), Qt::CaseInsensitive) == 0;
}

namespace {

ToolRun queryDefault(const QString &mimeType)
{
    return runTool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
}

// Makes program the default for mimeType; true when xdg-mime then says so.
bool setDefault(const QString &program, const QString &mimeType)
{
    const ToolRun r = runTool(QStringLiteral("xdg-mime"), {QStringLiteral("default"), program, mimeType});
    return r.started && r.exitCode == 0 && queryDefault(mimeType).out.compare(program, Qt::CaseInsensitive) == 0;
}

} // namespace

bool isDefault(const QString &mimeType)
{
    const ToolRun r = queryDefault(mimeType);
    return r.started && r.exitCode == 0 && isOwnEntry(r.out);
}

QList<bool> ticks(const QString &)
{
    QList<bool> out;
    for (const ListType &t : listTypes())
        out << isDefault(t.mimeType);
    return out;
}

QStringList userMimeAppsFiles()
{
    QStringList files;
    const QString config = configHome();
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << config + QLatin1Char('/') + desktop.toLower() + QStringLiteral("-mimeapps.list");
    files << config + QStringLiteral("/mimeapps.list");
    files << dataHome() + QStringLiteral("/applications/mimeapps.list");
    return files;
}

namespace {

// Calls f(line index, key, value) for each line of the handler sections.
template <class F> void forHandlerLines(const QStringList &lines, F f)
{
    bool inHandlers = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            inHandlers = t == QLatin1String("[Default Applications]") || t == QLatin1String("[Added Associations]");
            continue;
        }
        const qsizetype eq = t.indexOf(QLatin1Char('='));
        if (inHandlers && eq > 0)
            f(i, t.left(eq).trimmed(), t.mid(eq + 1));
    }
}

} // namespace

QString handlerOf(const QByteArray &mimeApps, const QString &mimeType)
{
    QString found;
    forHandlerLines(QString::fromUtf8(mimeApps).split(QLatin1Char('\n')),
                    [&](int, const QString &key, const QString &value) {
                        if (found.isEmpty() && key == mimeType)
                            found = value.split(QLatin1Char(';'), Qt::SkipEmptyParts).value(0).trimmed();
                    });
    return found;
}

QByteArray withoutProgram(const QByteArray &mimeApps, const QString &mimeType)
{
    QStringList lines = QString::fromUtf8(mimeApps).split(QLatin1Char('\n'));
    QList<int> drop;
    forHandlerLines(lines, [&](int i, const QString &key, const QString &value) {
        if (key != mimeType)
            return;
        QStringList apps = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &a : apps)
            a = a.trimmed();
        if (apps.removeIf([](const QString &a) { return isOwnEntry(a); }) == 0)
            return;
        if (apps.isEmpty())
            drop.prepend(i);
        else
            lines[i] = mimeType + QLatin1Char('=') + apps.join(QLatin1Char(';')) + QLatin1Char(';');
    });
    for (int i : drop)
        lines.removeAt(i);
    return lines.join(QLatin1Char('\n')).toUtf8();
}

QString apply(const QList<bool> &ticked, const QString &executable, const QString &workDir)
{
    QStringList problems;
    const QList<ListType> &types = listTypes();
    auto isTicked = [&](int i) { return i < ticked.size() && ticked[i]; };

    // Our packages for the ticked types.
    bool mimeChanged = false;
    for (int i = 0; i < types.size(); ++i) {
        if (!isTicked(i))
            continue;
        const QString path = packagePath(types[i]);
        const QByteArray text = packageText(types[i]).toUtf8();
        bool ok = false;
        if (readWholeFile(path, &ok) == text && ok)
            continue;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeFileAtomic(path, text))
            problems << QStringLiteral("Не удалось записать ") + path;
        else
            mimeChanged = true;
    }

    // A database someone removed is built again.
    if (ticked.contains(true) && !QFileInfo::exists(mimeFolder() + QStringLiteral("mime.cache")))
        mimeChanged = true;

    // The entry lists exactly the ticked list types, beside what "send to" put there.
    QStringList entryTypes = sendto::mimeTypes();
    for (const ListType &t : types)
        entryTypes.removeAll(t.mimeType);
    for (int i = 0; i < types.size(); ++i)
        if (isTicked(i))
            entryTypes << types[i].mimeType;
    if (!sendto::writeEntry(executable, workDir, entryTypes))
        problems << QStringLiteral("Не удалось записать ") + sendto::entryPath();

    // Unticked: this program leaves the user's handler lists; the type itself
    // goes only when no other program handles it.
    bool queried = true;
    for (int i = 0; i < types.size(); ++i) {
        if (isTicked(i))
            continue;
        QString otherHandler;
        for (const QString &file : userMimeAppsFiles()) {
            bool ok = false;
            const QByteArray before = readWholeFile(file, &ok);
            if (!ok)
                continue;
            const QByteArray after = withoutProgram(before, types[i].mimeType);
            if (after != before && !writeFileAtomic(file, after))
                problems << QStringLiteral("Не удалось записать ") + file;
            if (otherHandler.isEmpty())
                otherHandler = handlerOf(after, types[i].mimeType);
        }
        const QString path = packagePath(types[i]);
        if (!QFileInfo::exists(path))
            continue;
        const ToolRun r = queryDefault(types[i].mimeType);
        if (!r.started) {
            queried = false;
            continue;
        }
        if (!r.out.isEmpty() && !isOwnEntry(r.out))
            continue;
        // The type stays for the other program, which becomes its default, so
        // that no entry of ours (the installed one lists every list type) is.
        if (!otherHandler.isEmpty()) {
            if (!r.out.isEmpty() && !setDefault(otherHandler, types[i].mimeType))
                problems << QStringLiteral("Не назначена программа для .") + types[i].ext;
            continue;
        }
        if (QFile::remove(path))
            mimeChanged = true;
        else
            problems << QStringLiteral("Не удалось удалить ") + path;
    }
    if (!queried)
        problems << missingTool(QStringLiteral("xdg-mime"), QStringLiteral("xdg-utils"));

    if (mimeChanged) {
        const ToolRun r = runTool(QStringLiteral("update-mime-database"), {QDir::cleanPath(mimeFolder())});
        if (!r.started)
            problems << missingTool(QStringLiteral("update-mime-database"), QStringLiteral("shared-mime-info"));
        else if (r.exitCode != 0)
            problems << QStringLiteral("Ошибка update-mime-database");
    }

    for (int i = 0; i < types.size(); ++i) {
        if (!isTicked(i))
            continue;
        const ToolRun r = runTool(QStringLiteral("xdg-mime"), {QStringLiteral("default"), desktopId(), types[i].mimeType});
        if (!r.started) {
            if (queried)
                problems << missingTool(QStringLiteral("xdg-mime"), QStringLiteral("xdg-utils"));
            queried = false;
            break;
        }
        if (r.exitCode != 0 || !isDefault(types[i].mimeType))
            problems << QStringLiteral("Не назначена программа для .") + types[i].ext;
    }
    return problems.join(QLatin1Char('\n'));
}

} // namespace vt::assoc

namespace vt::sendto {

// Installs "send to" without taking the folders over: where the entry would
// make this program the default folder opener, the opener the user had stays
// the default; with no other opener there is none to keep, and nothing is
// installed.
QString install(const QString &executable, const QString &workDir)
{
    using namespace assoc;
    const QString folders = QString::fromUtf16(sendto::kFolderType);
    const ToolRun before = queryDefault(folders);
    if (!before.started)
        return missingTool(QStringLiteral("xdg-mime"), QStringLiteral("xdg-utils"));
    // Already the folder opener by the user's own choice: that stays as it is.
    const bool ours = isOwnEntry(before.out);
    if (before.out.isEmpty())
        return QStringLiteral("Нет программы для папок (файлового менеджера).\rЯрлык не установлен");
    if (!sendto::addFolderType(executable, workDir))
        return QStringLiteral("Не удалось записать ") + sendto::entryPath();
    if (ours || !isOwnEntry(queryDefault(folders).out) || setDefault(before.out, folders))
        return QString();
    sendto::remove();
    return QStringLiteral("Не удалось оставить ") + before.out + QStringLiteral(" программой для папок.\rЯрлык не установлен");
}

} // namespace vt::sendto
