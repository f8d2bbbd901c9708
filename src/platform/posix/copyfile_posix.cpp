#include "platform/copyfile.h"

#include "platform/renamefile.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
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

QByteArray folderOf(const QByteArray &path)
{
    const int slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArray(".");
    if (slash == 0)
        return QByteArray("/");
    return path.left(slash);
}

// A new file beside the destination that nobody else can have opened.
int createTemp(const QByteArray &to, QByteArray *tmp, int *err)
{
    const QByteArray dir = folderOf(to);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint64 r = QRandomGenerator::global()->generate64();
        *tmp = dir + "/.vt-" + QByteArray::number(r, 36) + ".part";
        const int fd = ::open(tmp->constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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

CopyOutcome copyFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    ignoreFileSizeSignal();
    Fd in(::open(from.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0)
        return {errno == ENOENT || errno == ENOTDIR ? CopyResult::SourceMissing : CopyResult::Failed, errno};
    struct stat st;
    if (::fstat(in.get(), &st) != 0)
        return fail(errno);
    if (!S_ISREG(st.st_mode))
        return {CopyResult::SourceMissing, EINVAL};
    // The source opened without blocking (a FIFO put in its place); reads block again.
    ::fcntl(in.get(), F_SETFL, ::fcntl(in.get(), F_GETFL) & ~O_NONBLOCK);

    if (!opt.overwrite) {
        struct stat dst;
        if (::lstat(to.constData(), &dst) == 0)
            return {CopyResult::Exists, EEXIST}; // early answer only; the publish decides
    }

    QByteArray tmp;
    int err = 0;
    Fd out(createTemp(to, &tmp, &err));
    if (out.get() < 0)
        return fail(err);
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    auto discard = [&](CopyOutcome o) {
        out.reset();
        ::unlink(tmp.constData());
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
        ::unlink(tmp.constData());
        return fail(e);
    }

    const RenameOutcome pub = opt.overwrite ? renameReplace(tmp, to) : renameNoReplace(tmp, to);
    if (pub.result == RenameResult::Ok)
        return {CopyResult::Ok, 0};
    ::unlink(tmp.constData());
    return {pub.result == RenameResult::Exists ? CopyResult::Exists : CopyResult::Failed, pub.error};
}

CopyOutcome moveFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    const RenameOutcome r = opt.overwrite ? renameReplace(from, to) : renameNoReplace(from, to);
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
    const CopyOutcome c = copyFile(from, to, copy);
    if (!c.ok())
        return c;
    if (::unlink(from.constData()) != 0) {
        const int e = errno;
        if (!opt.overwrite)
            ::unlink(to.constData()); // the source stays; take the copy back
        return fail(e);
    }
    return {CopyResult::Ok, 0};
}

} // namespace vt::fs
