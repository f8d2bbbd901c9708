#include "platform/trash.h"

#include "platform/renamefile.h"

#include <QDateTime>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {

namespace {

bool isDirNoLink(const QByteArray &p, struct stat *st = nullptr)
{
    struct stat s;
    if (::lstat(p.constData(), &s) != 0 || !S_ISDIR(s.st_mode))
        return false;
    if (st)
        *st = s;
    return true;
}

// Makes the folder (mode 0700) when missing; true when it is then a real
// folder of ours that we may write.
bool ownFolder(const QByteArray &p)
{
    if (::mkdir(p.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat s;
    return isDirNoLink(p, &s) && s.st_uid == ::geteuid() && ::access(p.constData(), W_OK | X_OK) == 0;
}

bool makePath(const QByteArray &p)
{
    for (qsizetype i = 1; i <= p.size(); ++i) {
        if (i < p.size() && p[i] != '/')
            continue;
        const QByteArray part = p.left(i);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return isDirNoLink(p);
}

QByteArray homeTrash()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (data.isEmpty() || !data.startsWith('/')) {
        const QByteArray home = qgetenv("HOME");
        if (home.isEmpty())
            return {};
        data = home + "/.local/share";
    }
    return data + "/Trash";
}

// The top of the file system that holds path: the last folder upward on
// the same device.
QByteArray mountTop(const QByteArray &path, dev_t dev)
{
    QByteArray top = path.left(path.lastIndexOf('/'));
    while (!top.isEmpty()) {
        const QByteArray up = top.left(top.lastIndexOf('/'));
        struct stat s;
        if (::stat(up.isEmpty() ? "/" : up.constData(), &s) != 0 || s.st_dev != dev)
            break;
        top = up;
    }
    return top;
}

struct TrashPlace {
    QByteArray dir;    // holds files/ and info/
    QByteArray top;    // Path= is relative to it; empty for the home trash
};

// The device of a path, from its deepest existing folder.
bool deviceOf(QByteArray p, dev_t *dev)
{
    struct stat s;
    while (!p.isEmpty()) {
        if (::stat(p.constData(), &s) == 0) {
            *dev = s.st_dev;
            return true;
        }
        p.truncate(p.lastIndexOf('/'));
    }
    if (::stat("/", &s) != 0)
        return false;
    *dev = s.st_dev;
    return true;
}

bool findTrash(const QByteArray &path, dev_t dev, TrashPlace *place)
{
    // Files on the home trash's file system go there or nowhere.
    const QByteArray home = homeTrash();
    dev_t homeDev = 0;
    if (!home.isEmpty() && deviceOf(home, &homeDev) && homeDev == dev) {
        place->dir = home;
        place->top.clear();
        return makePath(home);
    }
    const QByteArray top = mountTop(path, dev);
    const QByteArray uid = QByteArray::number(qulonglong(::geteuid()));
    // An administrator's shared .Trash: a real folder with the sticky bit.
    struct stat s;
    const QByteArray shared = top + "/.Trash";
    if (isDirNoLink(shared, &s) && (s.st_mode & S_ISVTX) && ownFolder(shared + '/' + uid)) {
        place->dir = shared + '/' + uid;
        place->top = top;
        return true;
    }
    const QByteArray own = top + "/.Trash-" + uid;
    if (ownFolder(own)) {
        place->dir = own;
        place->top = top;
        return true;
    }
    return false;
}

bool writeAll(int fd, const QByteArray &b)
{
    qsizetype done = 0;
    while (done < b.size()) {
        const ssize_t n = ::write(fd, b.constData() + done, size_t(b.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool moveToTrash(const QByteArray &path, QByteArray *where)
{
    if (!path.startsWith('/') || path.endsWith('/'))
        return false;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return false;
    TrashPlace place;
    if (!findTrash(path, st.st_dev, &place))
        return false;
    const QByteArray files = place.dir + "/files", info = place.dir + "/info";
    if (!ownFolder(files) || !ownFolder(info))
        return false;

    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const QByteArray shownPath = place.top.isEmpty() ? path : path.mid(place.top.size() + 1);
    const QByteArray text = "[Trash Info]\nPath=" + shownPath.toPercentEncoding("/")
        + "\nDeletionDate="
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + '\n';
    // The info file is made first, under a name no other entry has, so that
    // whatever stops us midway never leaves a trashed file without it.
    for (int n = 1; n < 10000; ++n) {
        const QByteArray trashed = n == 1 ? name : name + '.' + QByteArray::number(n);
        const QByteArray infoPath = info + '/' + trashed + ".trashinfo";
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
        ::close(fd);
        const QByteArray target = files + '/' + trashed;
        const RenameResult moved = written ? renameNoReplace(path, target).result : RenameResult::Failed;
        if (moved == RenameResult::Ok) {
            if (where)
                *where = target;
            return true;
        }
        ::unlink(infoPath.constData());
        if (moved != RenameResult::Exists)
            return false;
    }
    return false;
}

QByteArray trashInfoPath(const QByteArray &where)
{
    const qsizetype slash = where.lastIndexOf('/');
    const QByteArray folder = where.left(slash);
    if (slash < 0 || !folder.endsWith("/files"))
        return {};
    return folder.left(folder.size() - 5) + "info" + where.mid(slash) + ".trashinfo";
}

} // namespace vt::fs
