#include "platform/regularfile.h"
#include "platform/dirreader.h"
#include "platform/posix/posixfs.h"

#include <cerrno>
#include <climits>
#include <limits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {

bool writeFileReplacing(const QString &path, const QByteArray &data)
{
    QByteArray target = nativePath(path);
    if (target.isEmpty())
        return false;
    char real[PATH_MAX];
    if (::realpath(target.constData(), real))
        target = real;
    struct stat old;
    if (::stat(target.constData(), &old) == 0 && !S_ISREG(old.st_mode))
        return false;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    const int dirfd = ::open(dir.constData(), posix::kDirFlags);
    if (dirfd < 0)
        return false;
    const bool ok = posix::replaceFileAt(dirfd, target.mid(slash + 1), data);
    ::close(dirfd);
    return ok;
}

bool readRegularFile(const QString &path, QByteArray *out)
{
    return readRegularNative(nativePath(path), out) == ReadStatus::Ok;
}

namespace {

// Checked before opening so that a device is not even opened, and again on
// the open descriptor in case the name was replaced in between. -1 with
// status set when it cannot be read.
int openRegular(const QByteArray &native, struct stat &st, ReadStatus *status)
{
    if (::stat(native.constData(), &st) != 0) {
        *status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
        return -1;
    }
    *status = ReadStatus::Failed;
    if (!S_ISREG(st.st_mode))
        return -1;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            *status = ReadStatus::Missing;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    *status = ReadStatus::Ok;
    return fd;
}

} // namespace

namespace {

// Reads an open file straight into the caller's buffer (its capacity is
// reused from file to file); a file that grows while it is read is read on,
// up to the limit.
ReadStatus readOpen(int fd, const struct stat &st, QByteArray &data, qint64 limit, bool *tooBig)
{
    bool ok = true;
    qsizetype used = 0;
    data.resize(qsizetype(qMin<qint64>(st.st_size, limit)) + 1);
    while (ok) {
        if (used == data.size()) {
            if (used > limit) {
                *tooBig = true;
                ok = false;
                break;
            }
            data.resize(qsizetype(qMin<qint64>(qint64(data.size()) * 2 + 65536, limit + 1)));
        }
        const qsizetype want = data.size() - used;
        const ssize_t n = ::read(fd, data.data() + used, size_t(want));
        if (n > 0) {
            used += qsizetype(n);
            // Short of the spare byte at the size fstat gave: the end, without one more read.
            if (n < want && used >= qsizetype(st.st_size))
                break;
        } else if (n == 0)
            break;
        else if (errno != EINTR)
            ok = false;
    }
    if (ok && used > limit) {
        *tooBig = true;
        ok = false;
    }
    ::close(fd);
    data.resize(ok ? used : 0);
    return ok ? ReadStatus::Ok : ReadStatus::Failed;
}

} // namespace

ReadStatus readRegularNative(const QByteArray &native, QByteArray *out)
{
    bool tooBig = false;
    return readRegularLimited(native, std::numeric_limits<qsizetype>::max() - 1, out, &tooBig);
}

ReadStatus readRegularLimited(const QByteArray &native, qint64 maxBytes, QByteArray *out, bool *tooBig)
{
    out->resize(0);
    *tooBig = false;
    struct stat st;
    ReadStatus status;
    const int fd = openRegular(native, st, &status);
    if (fd < 0)
        return status;
    if (qint64(st.st_size) > maxBytes) {
        ::close(fd);
        *tooBig = true;
        return ReadStatus::Failed;
    }
    return readOpen(fd, st, *out, maxBytes, tooBig);
}

RegularFileReader::~RegularFileReader()
{
    if (m_handle >= 0)
        ::close(int(m_handle));
}

bool RegularFileReader::open(const QByteArray &native, ReadStatus *status)
{
    if (m_handle >= 0)
        ::close(int(m_handle));
    struct stat st;
    ReadStatus got;
    const int fd = openRegular(native, st, &got);
    if (status)
        *status = got;
    m_handle = fd;
    if (fd < 0)
        return false;
    m_size = qint64(st.st_size);
    m_pos = 0;
    m_atEnd = false;
    return true;
}

qint64 RegularFileReader::read(char *buf, qint64 n)
{
    if (m_handle < 0)
        return -1;
    if (m_atEnd || n <= 0)
        return 0;
    for (;;) {
        const ssize_t r = ::read(int(m_handle), buf, size_t(n));
        if (r >= 0) {
            m_pos += r;
            // Short of what was asked at the size fstat gave: the end, without
            // one more read (as readOpen).
            m_atEnd = r == 0 || (r < n && m_pos >= m_size);
            return qint64(r);
        }
        if (errno != EINTR)
            return -1;
    }
}

bool RegularFileReader::rewind()
{
    if (m_handle < 0 || ::lseek(int(m_handle), 0, SEEK_SET) != 0)
        return false;
    m_pos = 0;
    m_atEnd = false;
    return true;
}

bool makeFifo(const QString &path) { return ::mkfifo(nativePath(path).constData(), 0644) == 0; }

} // namespace vt::fs
