#include "platform/shortpath.h"

#include <algorithm>
#include <cstring>

namespace vt::fs {

namespace {

// A hash of the upper-cased form's UTF-16 units. Plain ASCII names, the most
// common, are upper-cased on the fly without making a string.
quint64 upperKey(const ushort *units, qsizetype n)
{
    quint64 h = 1469598103934665603ull;
    for (qsizetype i = 0; i < n; ++i)
        h = (h ^ units[i]) * 1099511628211ull;
    return h;
}

quint64 upperKey(const QString &upper) { return upperKey(upper.utf16(), upper.size()); }

bool isAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

quint64 upperKey(std::string_view validName)
{
    if (!isAscii(validName))
        return upperKey(displayName(validName).toUpper());
    quint64 h = 1469598103934665603ull;
    for (unsigned char c : validName)
        h = (h ^ ushort(c >= 'a' && c <= 'z' ? c - 32 : c)) * 1099511628211ull;
    return h;
}

} // namespace

QString FolderNames::shortName(std::string_view name)
{
    if (!validUtf8(name))
        return QString();
    const QString up = displayName(name).toUpper();
    if (!m_keysBuilt) {
        m_keysBuilt = true;
        m_keys.reserve(m_listing.items.size());
        for (const DirItem &it : m_listing.items) {
            const std::string_view n = m_listing.name(it);
            if (validUtf8(n))
                m_keys.push_back(upperKey(n));
        }
        std::sort(m_keys.begin(), m_keys.end());
    }
    const quint64 key = upperKey(up);
    const auto range = std::equal_range(m_keys.begin(), m_keys.end(), key);
    if (range.second - range.first <= 1)
        return up;
    // The same hash: compare the upper-cased names themselves.
    int twins = 0, rank = 1;
    for (const DirItem &it : m_listing.items) {
        const std::string_view n = m_listing.name(it);
        if (n.size() == name.size() && std::memcmp(n.data(), name.data(), n.size()) == 0)
            continue;
        if (!validUtf8(n) || upperKey(n) != key || displayName(n).toUpper() != up)
            continue;
        ++twins;
        if (n < name)
            ++rank;
    }
    if (twins == 0)
        return up;
    return up + QLatin1Char('~') + QString::number(rank);
}

bool FolderNames::contains(std::string_view name)
{
    if (!m_namesBuilt) {
        m_namesBuilt = true;
        for (const DirItem &it : m_listing.items)
            m_names.insert(m_listing.name(it));
    }
    return m_names.count(name) != 0;
}

struct ShortPathCache::Folder {
    Listing listing;
    std::unique_ptr<FolderNames> names;
    bool readOk = false;
};

ShortPathCache::ShortPathCache() = default;
ShortPathCache::~ShortPathCache() = default;

ShortPathCache::Folder *ShortPathCache::folder(const QByteArray &native)
{
    auto it = m_folders.find(native);
    if (it != m_folders.end())
        return it->get();
    auto f = std::make_shared<Folder>();
    if (std::unique_ptr<Dir> d = Dir::open(native))
        f->readOk = d->read(f->listing);
    f->names = std::make_unique<FolderNames>(f->listing, native);
    Folder *raw = f.get();
    m_folders.insert(native, std::move(f));
    return raw;
}

const QString &ShortPathCache::folderShort(const QByteArray &native)
{
    auto it = m_folderShort.constFind(native);
    if (it != m_folderShort.constEnd())
        return *it;
    QString out;
    if (native == "/") {
        out = QStringLiteral("/");
    } else {
        const qsizetype slash = native.lastIndexOf('/', native.size() - 2);
        const QByteArray parent = native.left(slash + 1);
        const QByteArray part = native.mid(slash + 1, native.size() - slash - 2);
        const QString up = folderShort(parent);
        if (!up.isNull()) {
            const std::string_view name(part.constData(), size_t(part.size()));
            Folder *f = folder(parent);
            if (f->names->contains(name)) {
                const QString s = f->names->shortName(name);
                if (!s.isNull())
                    out = up + s + QLatin1Char('/');
            }
        }
    }
    return *m_folderShort.insert(native, out);
}

QString ShortPathCache::shortPath(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    QByteArray native = nativePath(path);
    while (native.contains("//"))
        native.replace("//", "/");
    const bool trailing = native.size() > 1 && native.endsWith('/');
    if (trailing)
        native.chop(1);
    if (native == "/")
        return QStringLiteral("/");
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray parent = native.left(slash + 1);
    const QByteArray part = native.mid(slash + 1);
    const QString &up = folderShort(parent);
    if (up.isNull())
        return QString();
    const std::string_view name(part.constData(), size_t(part.size()));
    Folder *f = folder(parent);
    if (!f->names->contains(name))
        return QString();
    const QString s = f->names->shortName(name);
    if (s.isNull())
        return QString();
    return trailing ? up + s + QLatin1Char('/') : up + s;
}

QString shortPath(const QString &path)
{
    ShortPathCache cache;
    return cache.shortPath(path);
}

} // namespace vt::fs
