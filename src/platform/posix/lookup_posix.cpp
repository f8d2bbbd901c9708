#include "platform/dirreader.h"

#include <sys/stat.h>

namespace vt::fs {

bool lookup(const QString &path, Entry *out)
{
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    if (p.isEmpty())
        return false;
    const QByteArray native = nativePath(p);
    const int slash = native.lastIndexOf('/');
    const QByteArray parent = slash <= 0 ? QByteArray("/") : native.left(slash);
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
        std::unique_ptr<Dir> d = Dir::open(parent);
        if (!d || !d->stat(std::string_view(name.constData(), size_t(name.size())), e))
            return false;
        e.validName = validUtf8(std::string_view(name.constData(), size_t(name.size())));
        e.name = displayName(std::string_view(name.constData(), size_t(name.size())));
    }
    if (out)
        *out = e;
    return true;
}

bool isDir(const QString &path)
{
    struct stat st;
    return ::stat(nativePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const QString &path)
{
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

} // namespace vt::fs
