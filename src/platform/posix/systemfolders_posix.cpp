#include "platform/systemfolders.h"

#include "platform/paths.h"

#include "platform/dirreader.h"

#include <QDir>
#include <unistd.h>

namespace vt::fs {

QString userDataHome()
{
    // A relative XDG_DATA_HOME is ignored, as the base directory rules say.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::homePath() + QStringLiteral("/.local/share");
}

QString tempSetting()
{
    QString v = qEnvironmentVariable("TEMP");
    if (v.isEmpty())
        v = qEnvironmentVariable("TMPDIR");
    if (v.isEmpty())
        v = QStringLiteral("/tmp");
    return v;
}

const QStringList &systemFolders()
{
    static const QStringList folders{
        QStringLiteral("/"),     QStringLiteral("/bin"),  QStringLiteral("/boot"), QStringLiteral("/dev"),
        QStringLiteral("/etc"),  QStringLiteral("/lib"),  QStringLiteral("/lib64"), QStringLiteral("/opt"),
        QStringLiteral("/proc"), QStringLiteral("/root"), QStringLiteral("/sbin"), QStringLiteral("/sys"),
        QStringLiteral("/usr"),  QStringLiteral("/var")};
    return folders;
}

Qt::CaseSensitivity pathCase() { return Qt::CaseSensitive; }

QString pathRoot(const QString &path) { return path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString(); }

bool canCreateIn(const QString &folder)
{
    return !folder.isEmpty() && ::access(nativePath(folder).constData(), W_OK | X_OK) == 0 && isDir(folder);
}

} // namespace vt::fs
