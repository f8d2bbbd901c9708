#include "platform/copyfile.h"

#include "platform/posix/posixfs.h"
#include "platform/renamefile.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {

namespace {

std::atomic<CopyMethod> g_method{CopyMethod::Offload};

// Data moved per call; the stop check runs between chunks.
constexpr size_t kChunk = size_t(8) << 20;
constexpr size_t kBuffer = size_t(1) << 20;

CopyOutcome fail(int e) { return {CopyResult::Failed, e}; }

// A file-size limit must fail the copy with EFBIG, not end the program.
void ignoreFileSizeSignal()
{
    static const bool once = [] {
        struct sigaction sa = {};
        sa.sa_handler = SIG_IGN;
        sigemptyset(&sa.sa_mask);
        ::sigaction(SIGXFSZ, &sa, nullptr);
        return true;
    }();
    (void)once;
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    void reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    // Closes and reports the error of the close (delayed write errors).
    int close()
    {
        const int r = ::close(m_fd);
        m_fd = -1;
        return r == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The folder and the name of a destination path.
void splitPath(const QByteArray &path, QByteArray *folder, QByteArray *name)
{
    const int slash = path.lastIndexOf('/');
    *folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    *name = path.mid(slash + 1);
}

constexpr char kTempHead[] = ".vt-";
constexpr char kTempTail[] = ".part";

bool isTempName(const char *n)
{
    const size_t len = std::strlen(n), head = sizeof kTempHead - 1, tail = sizeof kTempTail - 1;
    if (len <= head + tail || std::strncmp(n, kTempHead, head) != 0 || std::strcmp(n + len - tail, kTempTail) != 0)
        return false;
    for (size_t i = head; i < len - tail; ++i)
        if (!((n[i] >= '0' && n[i] <= '9') || (n[i] >= 'a' && n[i] <= 'z')))
            return false;
    return true;
}

// A new file in the target folder that nobody else can have opened.
int createTemp(int dir, QByteArray *tmp, int *err)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint64 r = QRandomGenerator::global()->generate64();
        *tmp = kTempHead + QByteArray::number(r, 36) + kTempTail;
        const int fd = ::openat(dir, tmp->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            *err = errno;
            return -1;
        }
    }
    *err = EEXIST;
    return -1;
}

// A lock on the temporary that this copy holds until it is published or
// removed: through a descriptor of its own, so the data descriptor can be
// closed (and its delayed write errors seen) before the publish.
int lockTemp(int dir, const QByteArray &tmp)
{
    const int fd = ::openat(dir, tmp.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0)
        ::flock(fd, LOCK_EX | LOCK_NB); // without locks on this file system the temporary's age decides
    return fd;
}

bool offloadUnsupported(int e)
{
    return e == EXDEV || e == ENOSYS || e == EINVAL || e == EOPNOTSUPP || e == EBADF || e == EPERM;
}

// Copies all data; 0, an errno, or -1 for a stop.
int copyData(int in, int out, const StopCheck &stop)
{
    bool offload = g_method.load() == CopyMethod::Offload;
    bool first = true;
    std::unique_ptr<char[]> buf;
    for (;;) {
        if (!first && stop && stop())
            return -1;
        if (offload) {
            const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                // Only before any data went this way: later errors are real.
                if (first && offloadUnsupported(errno)) {
                    offload = false;
                    continue;
                }
                return errno;
            }
            first = false;
            if (n == 0)
                return 0;
            continue;
        }
        if (!buf)
            buf.reset(new char[kBuffer]);
        size_t moved = 0;
        while (moved < kChunk) {
            const ssize_t n = ::read(in, buf.get(), kBuffer);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                return 0;
            ssize_t off = 0;
            while (off < n) {
                const ssize_t w = ::write(out, buf.get() + off, size_t(n - off));
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    return errno;
                }
                off += w;
            }
            moved += size_t(n);
        }
        first = false;
    }
}

// Mode bits, owner where allowed, and times, as `cp -p` keeps them.
int keepAttributes(int out, const struct stat &st)
{
    mode_t mode = st.st_mode & 07777;
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(out, st.st_uid, st.st_gid) != 0)
            mode &= ~mode_t(S_ISUID | S_ISGID); // never give away set-id bits to another owner
    }
    if (::fchmod(out, mode) != 0)
        return errno;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0)
        return errno;
    return 0;
}

} // namespace

void setCopyMethod(CopyMethod m) { g_method = m; }
CopyMethod copyMethod() { return g_method.load(); }

namespace {

bool plainName(const QByteArray &n)
{
    return !n.isEmpty() && n != "." && n != ".." && !n.contains('/') && !n.contains('\0');
}

CopyOutcome copyInto(const QByteArray &from, int dir, const QByteArray &name, const CopyOptions &opt)
{
    ignoreFileSizeSignal();
    if (!plainName(name))
        return fail(EINVAL);
    // A row found as a file that is a link now is not followed: the link
    // could name any file the user may read.
    const int follow = opt.followLink ? 0 : O_NOFOLLOW;
    Fd in(::open(from.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | follow));
    if (in.get() < 0)
        return {errno == ENOENT || errno == ENOTDIR || errno == ELOOP ? CopyResult::SourceMissing
                                                                       : CopyResult::Failed,
                errno};
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return {CopyResult::SourceMissing, EINVAL};
    // The source opened without blocking (a FIFO put in its place); reads block again.
    ::fcntl(in.get(), F_SETFL, ::fcntl(in.get(), F_GETFL) & ~O_NONBLOCK);

    if (!opt.overwrite) {
        struct stat dst;
        if (::fstatat(dir, name.constData(), &dst, AT_SYMLINK_NOFOLLOW) == 0)
            return {CopyResult::Exists, EEXIST}; // early answer only; the publish decides
    }

    QByteArray tmp;
    int err = 0;
    Fd out(createTemp(dir, &tmp, &err));
    if (out.get() < 0)
        return fail(err);
    const Fd lock(lockTemp(dir, tmp)); // released when this copy returns, after the publish
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    auto discard = [&](CopyOutcome o) {
        out.reset();
        ::unlinkat(dir, tmp.constData(), 0);
        return o;
    };
    const int data = copyData(in.get(), out.get(), opt.stop);
    if (data == -1)
        return discard({CopyResult::Stopped, 0});
    if (data != 0)
        return discard(fail(data));
    if (const int e = keepAttributes(out.get(), st))
        return discard(fail(e));
    if ((opt.overwrite || opt.flush) && ::fsync(out.get()) != 0)
        return discard(fail(errno));
    if (const int e = out.close()) {
        ::unlinkat(dir, tmp.constData(), 0);
        return fail(e);
    }

    RenameOutcome pub;
    if (!opt.overwrite)
        pub = posix::renameNoReplaceAt(dir, tmp.constData(), dir, name.constData());
    else if (::renameat(dir, tmp.constData(), dir, name.constData()) == 0)
        pub = {RenameResult::Ok, 0};
    else
        pub = {RenameResult::Failed, errno};
    if (pub.result == RenameResult::Ok)
        return {CopyResult::Ok, 0};
    ::unlinkat(dir, tmp.constData(), 0);
    return {pub.result == RenameResult::Exists ? CopyResult::Exists : CopyResult::Failed, pub.error};
}

CopyOutcome moveInto(const QByteArray &from, int dir, const QByteArray &name, const CopyOptions &opt)
{
    if (!plainName(name))
        return fail(EINVAL);
    RenameOutcome r;
    if (!opt.overwrite)
        r = posix::renameNoReplaceAt(AT_FDCWD, from.constData(), dir, name.constData());
    else if (::renameat(AT_FDCWD, from.constData(), dir, name.constData()) == 0)
        r = {RenameResult::Ok, 0};
    else
        r = {RenameResult::Failed, errno};
    if (r.result == RenameResult::Ok)
        return {CopyResult::Ok, 0};
    if (r.result == RenameResult::Exists)
        return {CopyResult::Exists, r.error};
    if (r.error == ENOENT)
        return {CopyResult::SourceMissing, r.error};
    if (r.error != EXDEV)
        return fail(r.error);

    // Another file system: the source goes only once its copy is safe on disk.
    CopyOptions copy = opt;
    copy.flush = true;
    const CopyOutcome c = copyInto(from, dir, name, copy);
    if (!c.ok())
        return c;
    if (::unlink(from.constData()) != 0) {
        const int e = errno;
        if (!opt.overwrite)
            ::unlinkat(dir, name.constData(), 0); // the source stays; take the copy back
        return fail(e);
    }
    return {CopyResult::Ok, 0};
}

// Runs f on the folder of a destination path, opened as the path says.
template <typename F>
CopyOutcome atPath(const QByteArray &to, F &&f)
{
    QByteArray folder, name;
    splitPath(to, &folder, &name);
    Fd dir(::open(folder.constData(), posix::kDirFlags));
    if (dir.get() < 0)
        return fail(errno);
    return f(dir.get(), name);
}

} // namespace

CopyOutcome copyFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name, const CopyOptions &opt)
{
    return copyInto(from, int(dir.handle()), name, opt);
}

CopyOutcome moveFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name, const CopyOptions &opt)
{
    return moveInto(from, int(dir.handle()), name, opt);
}

CopyOutcome copyFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    return atPath(to, [&](int dir, const QByteArray &name) { return copyInto(from, dir, name, opt); });
}

CopyOutcome moveFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    return atPath(to, [&](int dir, const QByteArray &name) { return moveInto(from, dir, name, opt); });
}

int removeStaleTemps(const DirHandle &dir, QList<QByteArray> *removed, int minAgeSeconds)
{
    const int dfd = int(dir.handle());
    const int listFd = ::openat(dfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return 0;
    DIR *d = ::fdopendir(listFd);
    if (!d) {
        ::close(listFd);
        return 0;
    }
    QList<QByteArray> names;
    while (const struct dirent *e = ::readdir(d))
        if (isTempName(e->d_name))
            names << QByteArray(e->d_name);
    ::closedir(d);

    int count = 0;
    const time_t now = ::time(nullptr);
    for (const QByteArray &n : names) {
        Fd fd(::openat(dfd, n.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat held, named;
        // Its lock free (no copy holds it), still the file of that name, and
        // not written for a while (a copy locks its temporary right after
        // making it; a fresh one may be in that moment).
        if (fd.get() < 0 || ::fstat(fd.get(), &held) != 0 || !S_ISREG(held.st_mode)
            || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0
            || ::fstatat(dfd, n.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != held.st_ino
            || named.st_dev != held.st_dev || now - held.st_mtime < minAgeSeconds)
            continue;
        if (::unlinkat(dfd, n.constData(), 0) == 0) {
            ++count;
            if (removed)
                removed->append(n);
        }
    }
    return count;
}

} // namespace vt::fs
