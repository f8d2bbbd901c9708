#pragma once
// The short form of a path that identifies a row. On Windows it is the
// system's 8.3 form, upper-cased. Here it stands in as the upper-cased full
// path, kept unique where a folder holds several names that upper-case alike
// ("NAME~1", "NAME~2" in byte order of the exact names). Empty when a name on
// the path is not valid UTF-8.
#include "platform/dirreader.h"

#include <QHash>
#include <QString>
#include <memory>
#include <unordered_set>
#include <vector>

namespace vt::fs {

// Upper-case index of one folder's names, built on first use.
class FolderNames {
public:
    // folder: the listing's native path with a trailing separator.
    FolderNames(const Listing &listing, const QByteArray &folder) : m_listing(listing), m_folder(folder) {}
    // The short form of one name of this folder; null for an invalid name.
    QString shortName(std::string_view name);
    bool contains(std::string_view name);

private:
    const Listing &m_listing;
    QByteArray m_folder;
    bool m_keysBuilt = false;
    std::vector<quint64> m_keys; // sorted hashes of the upper-cased valid names: twins share one
    bool m_namesBuilt = false;
    std::unordered_set<std::string_view> m_names;
};

// Short forms of whole paths; remembers the folders it has read so that
// many paths of one folder cost one read.
class ShortPathCache {
public:
    ShortPathCache();
    ~ShortPathCache();
    // path: absolute, "/" separated, with or without a trailing separator
    // (kept in the result). Empty when the path does not exist.
    QString shortPath(const QString &path);

private:
    struct Folder;
    Folder *folder(const QByteArray &native);
    // The short form of a folder (native, with a trailing separator); null
    // when it has none.
    const QString &folderShort(const QByteArray &native);
    QHash<QByteArray, std::shared_ptr<Folder>> m_folders;
    QHash<QByteArray, QString> m_folderShort;
};

// One-off form without a kept cache.
QString shortPath(const QString &path);

} // namespace vt::fs
