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
    f->names = std::make_unique<FolderNames>(f->listing);
    Folder *raw = f.get();
    m_folders.insert(native, std::move(f));
    return raw;
}

QString ShortPathCache::shortPath(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return QString();
    const QByteArray native = nativePath(path);
    const bool trailing = native.size() > 1 && native.endsWith('/');
    const QList<QByteArray> parts = native.split('/');
    QString out;
    QByteArray parent("/");
    for (const QByteArray &part : parts) {
        if (part.isEmpty())
            continue;
        const std::string_view name(part.constData(), size_t(part.size()));
        Folder *f = folder(parent);
        if (!f->names->contains(name))
            return QString();
        QString s = f->names->shortName(name);
        if (s.isNull())
            return QString();
        out += QLatin1Char('/') + s;
        if (!parent.endsWith('/'))
            parent += '/';
        parent += part;
    }
    if (out.isEmpty() || trailing)
        out += QLatin1Char('/');
    return out;
}

QString shortPath(const QString &path)
{
    ShortPathCache cache;
    return cache.shortPath(path);
}

} // namespace vt::fs
