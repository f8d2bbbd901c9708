#include "platform/shortpath.h"

#include <cstring>

namespace vt::fs {

QString FolderNames::shortName(std::string_view name)
{
    if (!validUtf8(name))
        return QString();
    const QString up = displayName(name).toUpper();
    build();
    if (m_count.value(up) <= 1)
        return up;
    int rank = 1;
    for (const DirItem &it : m_listing.items) {
        const std::string_view n = m_listing.name(it);
        if (n.size() == name.size() && std::memcmp(n.data(), name.data(), n.size()) == 0)
            continue;
        if (!validUtf8(n) || displayName(n).toUpper() != up)
            continue;
        if (n < name)
            ++rank;
    }
    return up + QLatin1Char('~') + QString::number(rank);
}

void FolderNames::build()
{
    if (m_built)
        return;
    m_built = true;
    for (const DirItem &it : m_listing.items) {
        const std::string_view n = m_listing.name(it);
        m_names.insert(n);
        if (validUtf8(n))
            ++m_count[displayName(n).toUpper()];
    }
}

bool FolderNames::contains(std::string_view name)
{
    build();
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
