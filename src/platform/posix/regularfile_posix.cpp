#include "platform/regularfile.h"
#include "platform/dirreader.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
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
    const bool had = ::stat(target.constData(), &old) == 0;
    if (had && !S_ISREG(old.st_mode))
        return false;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = target.left(slash + 1), name = target.mid(slash + 1);
    QByteArray tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tmp = dir + '.' + name + ".vt~" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        fd = ::open(tmp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = !had || ::fchmod(fd, old.st_mode & 07777) == 0;
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
    ok = ok && ::rename(tmp.constData(), target.constData()) == 0;
    if (!ok)
        ::unlink(tmp.constData());
    return ok;
}

bool readRegularFile(const QString &path, QByteArray *out)
{
    return readRegularNative(nativePath(path), out) == ReadStatus::Ok;
}

ReadStatus readRegularNative(const QByteArray &native, QByteArray *out)
{
    out->resize(0);
    // Checked before opening so that a device is not even opened, and again
    // on the open descriptor in case the name was replaced in between.
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    if (!S_ISREG(st.st_mode))
        return ReadStatus::Failed;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    // Straight into the caller's buffer (its capacity is reused from file to
    // file); a file that grows while it is read is read on.
    QByteArray &data = *out;
    qsizetype used = 0;
    if (ok)
        data.resize(qsizetype(st.st_size) + 1);
    while (ok) {
        if (used == data.size())
            data.resize(data.size() * 2 + 65536);
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
    ::close(fd);
    data.resize(ok ? used : 0);
    return ok ? ReadStatus::Ok : ReadStatus::Failed;
}

bool makeFifo(const QString &path) { return ::mkfifo(nativePath(path).constData(), 0644) == 0; }

} // namespace vt::fs
