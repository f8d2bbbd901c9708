#include "platform/dirreader.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vt::fs {

bool lookup(const QString &path, Entry *out)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (p.isEmpty())
        return false;
    return lookupNative(nativePath(p), out);
}

bool lookupNative(const QByteArray &path, Entry *out)
{
    QByteArray native = path;
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    if (native.isEmpty())
        return false;
    const int slash = native.lastIndexOf('/');
    const QByteArray name = native.mid(slash + 1);
    Entry e;
    if (name.isEmpty()) { // the root itself
        struct stat st;
        if (::stat("/", &st) != 0)
            return false;
        e.attrs = AttrDirectory;
        e.mtime = st.st_mtime;
        e.stamp = fatStampFromEpoch(e.mtime);
        e.name = QStringLiteral("/");
    } else {
        if (!statPath(native, e))
            return false;
        e.validName = validUtf8(std::string_view(name.constData(), size_t(name.size())));
        e.name = displayName(std::string_view(name.constData(), size_t(name.size())));
    }
    if (out)
        *out = e;
    return true;
}

bool isDir(const QString &path) { return isDirNative(nativePath(path)); }

bool isDirNative(const QByteArray &path)
{
    struct stat st;
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const QString &path)
{
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

bool existsNative(const QByteArray &path)
{
    struct stat st;
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0;
}

QByteArray canonicalNative(const QByteArray &path)
{
    char real[PATH_MAX];
    return !path.isEmpty() && ::realpath(path.constData(), real) ? QByteArray(real) : QByteArray();
}

bool setModifiedTime(const QString &path, qint64 secs)
{
    struct timespec ts[2];
    ts[0].tv_sec = 0;
    ts[0].tv_nsec = UTIME_OMIT;
    ts[1].tv_sec = time_t(secs);
    ts[1].tv_nsec = 0;
    return ::utimensat(AT_FDCWD, nativePath(path).constData(), ts, 0) == 0;
}

bool createFileNative(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool removeFileNative(const QByteArray &path) { return ::unlink(path.constData()) == 0; }

bool makeDirNative(const QByteArray &path) { return !path.isEmpty() && ::mkdir(path.constData(), 0777) == 0; }

bool removeDirNative(const QByteArray &path) { return !path.isEmpty() && ::rmdir(path.constData()) == 0; }

} // namespace vt::fs
