#include "platform/regularfile.h"
#include "platform/dirreader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {

bool readRegularFile(const QString &path, QByteArray *out)
{
    out->clear();
    const QByteArray native = nativePath(path);
    // Checked before opening so that a device is not even opened, and again
    // on the open descriptor in case the name was replaced in between.
    struct stat st;
    if (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    QByteArray data;
    if (ok)
        data.reserve(qsizetype(st.st_size));
    char buf[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0)
            data.append(buf, qsizetype(n));
        else if (n == 0)
            break;
        else if (errno != EINTR)
            ok = false;
    }
    ::close(fd);
    if (ok)
        *out = data;
    return ok;
}

bool makeFifo(const QString &path) { return ::mkfifo(nativePath(path).constData(), 0644) == 0; }

} // namespace vt::fs
