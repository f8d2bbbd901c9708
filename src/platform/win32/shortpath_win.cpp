#include "platform/shortpath.h"

#include "platform/win32/winpath.h"

namespace vt::fs {
namespace {

// The system's short form of a path, upper-cased, "/" separated; null when
// the path does not exist or holds a name that is not valid Unicode.
QString systemShortForm(const QByteArray &native)
{
    if (!validUtf8(std::string_view(native.constData(), size_t(native.size()))))
        return QString();
    const std::wstring api = win::apiPath(native);
    std::wstring buf(api.size() + 16, L'\0');
    for (;;) {
        const DWORD n = ::GetShortPathNameW(api.c_str(), buf.data(), DWORD(buf.size()));
        if (n == 0)
            return QString();
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(n + 1);
    }
    return QString::fromUtf8(win::fromApi(buf)).toUpper();
}

} // namespace

QString FolderNames::shortName(std::string_view name)
{
    QByteArray path = m_folder;
    path.append(name.data(), qsizetype(name.size()));
    const QString full = systemShortForm(path);
    return full.isNull() ? QString() : full.mid(full.lastIndexOf(QLatin1Char('/')) + 1);
}

bool FolderNames::contains(std::string_view name)
{
    QByteArray path = m_folder;
    path.append(name.data(), qsizetype(name.size()));
    return existsNative(path);
}

struct ShortPathCache::Folder {};

ShortPathCache::ShortPathCache() = default;
ShortPathCache::~ShortPathCache() = default;

// The system answers from its own caches; a folder's short form is kept
// here so that many paths of one folder cost one look-up of the folder.
QString ShortPathCache::shortPath(const QString &path)
{
    QByteArray native = nativePath(path);
    if (native.size() < 3 || native[1] != ':' || native[2] != '/') {
        if (!native.startsWith("//"))
            return QString();
    }
    const bool trailing = native.size() > 3 && native.endsWith('/');
    while (native.size() > 3 && native.endsWith('/'))
        native.chop(1);
    const qsizetype slash = native.lastIndexOf('/');
    if (slash < 0 || slash + 1 == native.size())
        return systemShortForm(native); // a drive's root
    const QString &up = folderShort(native.left(slash + 1));
    if (up.isNull())
        return QString();
    static const Listing unread; // the system names the entry itself
    FolderNames names(unread, native.left(slash + 1));
    const QString s = names.shortName(std::string_view(native.constData() + slash + 1, size_t(native.size() - slash - 1)));
    if (s.isNull())
        return QString();
    return trailing ? up + s + QLatin1Char('/') : up + s;
}

const QString &ShortPathCache::folderShort(const QByteArray &native)
{
    auto it = m_folderShort.constFind(native);
    if (it != m_folderShort.constEnd())
        return *it;
    QString s = systemShortForm(native);
    if (!s.isNull() && !s.endsWith(QLatin1Char('/')))
        s += QLatin1Char('/');
    return *m_folderShort.insert(native, s);
}

ShortPathCache::Folder *ShortPathCache::folder(const QByteArray &) { return nullptr; }

QString shortPath(const QString &path)
{
    ShortPathCache cache;
    return cache.shortPath(path);
}

} // namespace vt::fs
