#include "platform/dirreader.h"
#include "platform/posix/posixfs.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {
namespace {

Hint hintOf(unsigned char t)
{
    switch (t) {
    case DT_DIR: return Hint::Dir;
    case DT_REG: return Hint::File;
    case DT_LNK: return Hint::Link;
    case DT_CHR:
    case DT_BLK:
    case DT_FIFO:
    case DT_SOCK: return Hint::Special;
    default: return Hint::Unknown;
    }
}

void fillEntry(const struct stat &st, Entry &out, Stamp stamp)
{
    quint32 a = 0;
    if (S_ISDIR(st.st_mode))
        a |= AttrDirectory;
    else if (!S_ISREG(st.st_mode))
        a |= AttrSystem; // devices, pipes and sockets
    if (!(st.st_mode & S_IWUSR))
        a |= AttrReadOnly;
    out.attrs = a;
    out.size = S_ISDIR(st.st_mode) ? 0 : qint64(st.st_size);
    out.mtime = qint64(st.st_mtime);
    out.stamp = stamp == Stamp::Fill ? fatStampFromEpoch(out.mtime) : 0;
}

} // namespace

Dir::Dir() noexcept = default;

Dir::~Dir()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Dir::isOpen() const { return m_fd >= 0; }

Dir::Dir(Dir &&other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }

Dir &Dir::operator=(Dir &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

std::unique_ptr<Dir> Dir::open(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<Dir>(new Dir(fd));
}

namespace {
// The name as a C string: a listing's names are followed by a NUL already
// (one copy less per entry of a walk); null when it is too long.
const char *cName(std::string_view name, char (&buf)[NAME_MAX + 1])
{
    if (name.size() > NAME_MAX)
        return nullptr;
    if (name.data()[name.size()] == 0)
        return name.data();
    std::memcpy(buf, name.data(), name.size());
    buf[name.size()] = 0;
    return buf;
}

int openChildFd(int parent, std::string_view name, bool follow)
{
    char buf[NAME_MAX + 1];
    const char *c = cName(name, buf);
    if (!c)
        return -1;
    return ::openat(parent, c, O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
}
} // namespace

Dir Dir::openChild(std::string_view name) const
{
    return Dir(openChildFd(m_fd, name, false));
}

namespace {

// Calls f(name, d_type) for every entry of an open folder, "." and ".." left
// out. On Linux the folder is read with getdents64 straight from the
// descriptor, which saves the duplicate descriptor, fstat, seek and close
// that a DIR stream costs per folder. f returns false to stop early.
template <typename F>
bool forEachName(int fd, F &&f)
{
#ifdef __linux__
    alignas(8) char buf[32768];
    for (;;) {
        const ssize_t n = ::getdents64(fd, buf, sizeof buf);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t pos = 0; pos < n;) {
            const auto *e = reinterpret_cast<const struct dirent64 *>(buf + pos);
            pos += e->d_reclen;
            const char *name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (!f(name, e->d_type))
                return true;
        }
    }
#else
    const int dupfd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (dupfd < 0)
        return false;
    DIR *d = ::fdopendir(dupfd);
    if (!d) {
        ::close(dupfd);
        return false;
    }
    ::rewinddir(d);
    while (struct dirent *e = ::readdir(d)) {
        const char *name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (!f(name, e->d_type))
            break;
    }
    ::closedir(d);
    return true;
#endif
}

} // namespace

namespace {
std::atomic<quint64> g_listings{0};
} // namespace

quint64 folderListings() { return g_listings.load(std::memory_order_relaxed); }

bool Dir::read(Listing &out) const
{
    g_listings.fetch_add(1, std::memory_order_relaxed);
    out.clear();
    out.items.reserve(32); // most folders hold fewer; spares the vectors' growing steps
    out.names.reserve(1024);
    const bool ok = forEachName(m_fd, [&out](const char *n, unsigned char type) {
        const size_t len = std::strlen(n);
        DirItem it;
        it.offset = quint32(out.names.size());
        it.length = quint32(len);
        it.hint = hintOf(type);
        it.hidden = n[0] == '.';
        it.system = it.hint == Hint::Special;
        out.names.insert(out.names.end(), n, n + len + 1); // with its NUL
        out.items.push_back(it);
        return true;
    });
    if (!ok)
        return false;
    sortListing(out);
    return true;
}

bool Dir::stat(std::string_view name, Entry &out, Stamp stamp) const
{
    char buf[NAME_MAX + 1];
    const char *c = cName(name, buf);
    if (!c || !posix::statAt(m_fd, c, out, stamp))
        return false;
    if (name.size() && name[0] == '.')
        out.attrs |= AttrHidden;
    return true;
}

bool statPath(const QByteArray &path, Entry &out)
{
    if (!posix::statAt(AT_FDCWD, path.constData(), out))
        return false;
    const qsizetype slash = path.lastIndexOf('/');
    if (slash + 1 < path.size() && path[slash + 1] == '.')
        out.attrs |= AttrHidden;
    return true;
}

bool posix::statAt(int dirfd, const char *name, Entry &out, Stamp stamp)
{
    struct stat st;
    if (::fstatat(dirfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    const bool link = S_ISLNK(st.st_mode);
    if (link) {
        struct stat target;
        if (::fstatat(dirfd, name, &target, 0) == 0)
            st = target;
        else
            st.st_mode = (st.st_mode & ~S_IFMT) | S_IFREG; // dangling: a file with its own data
    }
    fillEntry(st, out, stamp);
    out.link = link;
    return true;
}

Hint Dir::hint(std::string_view name) const
{
    char buf[NAME_MAX + 1];
    const char *c = cName(name, buf);
    struct stat st;
    if (!c || ::fstatat(m_fd, c, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Hint::Unknown;
    if (S_ISDIR(st.st_mode))
        return Hint::Dir;
    if (S_ISREG(st.st_mode))
        return Hint::File;
    if (S_ISLNK(st.st_mode))
        return Hint::Link;
    return Hint::Special;
}

bool Dir::childHasEntries(std::string_view name) const
{
    // A linked folder is looked into (not walked), like any other folder.
    const int fd = openChildFd(m_fd, name, true);
    if (fd < 0)
        return false;
    bool any = false;
    forEachName(fd, [&any](const char *, unsigned char) {
        any = true;
        return false;
    });
    ::close(fd);
    return any;
}

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

} // namespace vt::fs
