#include "fileops/core/trash.h"

#include "platform/fileentry.h"
#include "platform/renamefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vt {

namespace {

// ".../Trash/files/NAME", ".../.Trash-UID/files/NAME" or ".../.Trash/UID/files/NAME",
// with its .trashinfo beside.
bool isTrashPlace(const QString &where)
{
    if (!QDir::isAbsolutePath(where))
        return false;
    const QFileInfo fi(where);
    QDir files = fi.dir();
    if (files.dirName() != QLatin1String("files"))
        return false;
    QDir top = files;
    if (!top.cdUp())
        return false;
    const QString topName = top.dirName();
    QDir above = top;
    const bool sharedTrash = above.cdUp() && above.dirName() == QLatin1String(".Trash");
    if (topName != QLatin1String("Trash") && !topName.startsWith(QLatin1String(".Trash-")) && !sharedTrash)
        return false;
    return QFileInfo::exists(top.filePath(QStringLiteral("info/") + fi.fileName()
                                          + QStringLiteral(".trashinfo")));
}

} // namespace

bool moveToTrash(const QByteArray &path)
{
    const QString name = QFile::decodeName(path);
    // A name Qt cannot spell back would reach another file.
    if (name.isEmpty() || QFile::encodeName(name) != path)
        return false;
    QString where;
    if (!QFile::moveToTrash(name, &where))
        return false;
    if (isTrashPlace(where))
        return true;
    // Without a usable trash folder Qt moves the file into "files/" under
    // the current folder; that is no trash, so it goes back.
    const QFileInfo fi(where);
    const QByteArray at = QFile::encodeName(fi.absoluteFilePath());
    if (fs::renameNoReplace(at, path).result == fs::RenameResult::Ok) {
        QDir top = fi.absoluteDir();
        top.cdUp();
        const QString info = top.filePath(QStringLiteral("info/") + fi.fileName() + QStringLiteral(".trashinfo"));
        QFile::remove(info);
        fs::removeDirNative(QFile::encodeName(fi.absolutePath()));
        fs::removeDirNative(QFile::encodeName(top.filePath(QStringLiteral("info"))));
    }
    return false;
}

} // namespace vt
