#pragma once
// Reading a folder once: the names with the type hint the directory gives
// for free, and the full data of an entry only when it is asked for.
#include "platform/fileentry.h"

#include <QByteArray>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vt::fs {

enum class Hint : unsigned char { Unknown, Dir, File, Link, Special };

struct DirItem {
    quint32 offset = 0; // into the listing's name buffer
    quint32 length = 0;
    Hint hint = Hint::Unknown;
    // Known from the listing: a hidden entry (a dot name here, the hidden
    // attribute on Windows) and a system one (a device, pipe or socket here,
    // the system attribute on Windows; false where the listing cannot tell).
    bool hidden = false;
    bool system = false;
};

// All names of one folder except "." and "..", sorted by name (ASCII letters
// without regard to case, ties in byte order) so that results are stable.
// Each name is followed by a NUL in `names`, so that it can be handed to the
// system as it is.
struct Listing {
    std::vector<char> names;
    std::vector<DirItem> items;
    std::string_view name(const DirItem &it) const { return {names.data() + it.offset, it.length}; }
    QByteArray nameBytes(const DirItem &it) const { return QByteArray(names.data() + it.offset, it.length); }
    void clear()
    {
        names.clear();
        items.clear();
    }
};

class Dir {
public:
    Dir() noexcept; // not open; out of line, where the Windows half's Found is complete
    ~Dir();
    Dir(Dir &&other) noexcept;
    Dir &operator=(Dir &&other) noexcept;
    Dir(const Dir &) = delete;
    Dir &operator=(const Dir &) = delete;

    // A folder by its native path; null when it cannot be opened.
    static std::unique_ptr<Dir> open(const QByteArray &nativePath);
    // A sub-folder by its name; not open when it cannot be opened. Never follows a link.
    Dir openChild(std::string_view name) const;
    bool isOpen() const;

    // The name arguments below are names of this folder's listing.

    // Reads every name; false when the folder could not be read.
    bool read(Listing &out) const;
    // The entry's data (attributes, stamp, size, time). A link shows its
    // target when the target exists, else itself. The name is not filled.
    bool stat(std::string_view name, Entry &out, Stamp stamp = Stamp::Fill) const;
    // The kind of the entry itself (a link stays a link); for names whose
    // listing gave no type.
    Hint hint(std::string_view name) const;
    // True when the named sub-folder holds anything besides "." and "..".
    bool childHasEntries(std::string_view name) const;

private:
#ifdef _WIN32
    struct Found;
    explicit Dir(std::wstring path);
    const Found *found(std::string_view name) const;
    std::wstring m_path; // "\\?\" form with a trailing separator
    // What the last read() learnt of each entry, so that stat() asks the
    // system only for links.
    mutable std::unique_ptr<std::vector<Found>> m_found;
#else
    explicit Dir(int fd) : m_fd(fd) {}
    int m_fd = -1;
#endif
};

// Folders Dir::read has listed in this process: what a batch's cost in
// listings is measured by.
quint64 folderListings();

// Dir::stat by a whole native path (no trailing separator), without opening
// the folder: the same data, for one-off look-ups of many paths.
bool statPath(const QByteArray &path, Entry &out);

// True when the bytes are valid UTF-8.
bool validUtf8(std::string_view s);
// Display name of raw name bytes (invalid bytes become replacement characters).
QString displayName(std::string_view s);
// The native (byte) form of a path: the file system's bytes here, UTF-8 on
// Windows (where the platform layer speaks UTF-16 to the system; a name that
// is not valid UTF-16 keeps its lone surrogates as WTF-8 and counts as
// unreadable). Separators are "/" on both.
QByteArray nativePath(const QString &path);
// The text of a native path (invalid bytes become replacement characters).
QString pathText(const QByteArray &native);
// Puts a listing's items in its order (see Listing); the readers call it.
void sortListing(Listing &listing);

} // namespace vt::fs
