#include "platform/dirhandle.h"
#include "platform/dirreader.h"
#include "platform/posix/posixfs.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {
namespace {

using posix::kDirFlags;

bool plainName(const QByteArray &n)
{
    return !n.isEmpty() && n != "." && n != ".." && !n.contains('/') && !n.contains('\0');
}

std::unique_ptr<DirHandle> failWith(int *error, int e)
{
    if (error)
        *error = e;
    return nullptr;
}

} // namespace

DirHandle::~DirHandle()
{
    if (m_handle >= 0)
        ::close(int(m_handle));
}

std::unique_ptr<DirHandle> DirHandle::open(const QByteArray &path, int *error)
{
    if (path.isEmpty() || path.contains('\0'))
        return failWith(error, ENOENT);
    const int fd = ::open(path.constData(), kDirFlags);
    if (fd < 0)
        return failWith(error, errno);
    return std::unique_ptr<DirHandle>(new DirHandle(fd, path.endsWith('/') ? path : path + '/'));
}

std::unique_ptr<DirHandle> DirHandle::child(const QByteArray &name, bool create, int *error, bool *made) const
{
    if (made)
        *made = false;
    if (!plainName(name))
        return failWith(error, EINVAL);
    const int dir = int(m_handle);
    if (create) {
        if (::mkdirat(dir, name.constData(), 0777) == 0) {
            if (made)
                *made = true;
        } else if (errno != EEXIST) {
            return failWith(error, errno);
        }
    }
    const int fd = ::openat(dir, name.constData(), kDirFlags | O_NOFOLLOW);
    if (fd < 0) {
        int e = errno;
        struct stat st;
        if (::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
            e = ELOOP;
        return failWith(error, e);
    }
    return std::unique_ptr<DirHandle>(new DirHandle(fd, m_path + name + '/'));
}

std::unique_ptr<DirHandle> DirHandle::below(const QByteArray &relative, bool create, int *error) const
{
    const int fd = ::openat(int(m_handle), ".", kDirFlags);
    if (fd < 0)
        return failWith(error, errno);
    std::unique_ptr<DirHandle> at(new DirHandle(fd, m_path));
    for (const QByteArray &part : relative.split('/')) {
        if (part.isEmpty())
            continue;
        at = at->child(part, create, error);
        if (!at)
            return nullptr;
    }
    return at;
}

bool DirHandle::lookup(const QByteArray &name, Entry *out) const
{
    Entry e;
    if (!plainName(name) || !posix::statAt(int(m_handle), name.constData(), e))
        return false;
    if (out) {
        const std::string_view n(name.constData(), size_t(name.size()));
        if (name.startsWith('.'))
            e.attrs |= AttrHidden;
        e.validName = validUtf8(n);
        e.name = displayName(n);
        *out = e;
    }
    return true;
}

bool writeFileIn(const DirHandle &dir, const QByteArray &name, const QByteArray &data)
{
    return posix::replaceFileAt(int(dir.handle()), name, data);
}

bool posix::replaceFileAt(int dirfd, const QByteArray &name, const QByteArray &data)
{
    if (!plainName(name))
        return false;
    struct stat old;
    const bool had = ::fstatat(dirfd, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (had && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return false;
    QByteArray tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tmp = '.' + name + ".vt~" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        fd = ::openat(dirfd, tmp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = !(had && S_ISREG(old.st_mode)) || ::fchmod(fd, old.st_mode & 07777) == 0;
    for (qsizetype done = 0; ok && done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += n;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::renameat(dirfd, tmp.constData(), dirfd, name.constData()) == 0;
    if (!ok)
        ::unlinkat(dirfd, tmp.constData(), 0);
    return ok;
}

} // namespace vt::fs
