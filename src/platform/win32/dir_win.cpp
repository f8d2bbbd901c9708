#include "platform/dirreader.h"

#include "platform/win32/winpath.h"

#include <algorithm>
#include <atomic>

namespace vt::fs {

// What a listing told of one entry.
struct Dir::Found {
    std::string name;
    DWORD attrs = 0;
    DWORD tag = 0; // reparse tag
    qint64 size = 0;
    FILETIME written{};
};

namespace {

// Symbolic links and junctions; other reparse points (cloud files and the
// like) are what their attributes say.
bool isLink(DWORD attrs, DWORD tag)
{
    return (attrs & FILE_ATTRIBUTE_REPARSE_POINT) && (tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT);
}

Hint hintOf(DWORD attrs, DWORD tag)
{
    if (isLink(attrs, tag))
        return Hint::Link;
    return (attrs & FILE_ATTRIBUTE_DIRECTORY) ? Hint::Dir : Hint::File;
}

void fill(DWORD attrs, qint64 size, const FILETIME &written, Entry &out, Stamp stamp = Stamp::Fill)
{
    // The six attributes the program knows; "normal", "temporary" and the
    // like must not make a plain file fail an attribute test.
    out.attrs = attrs & (AttrReadOnly | AttrHidden | AttrSystem | AttrDirectory | AttrArchive);
    out.size = (attrs & FILE_ATTRIBUTE_DIRECTORY) ? 0 : size;
    out.mtime = win::fileTimeToSecs(written);
    out.stamp = stamp == Stamp::Fill ? fatStampFromEpoch(out.mtime) : 0;
}

bool isDotName(const wchar_t *n) { return n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0)); }

// Calls f(find data) for every entry but "." and ".."; f returns false to
// stop. False when the folder could not be read.
template <typename F>
bool forEachFound(const std::wstring &folder, F &&f)
{
    WIN32_FIND_DATAW fd;
    const HANDLE h = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                        nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND; // nothing at all, not even "."
    bool ok = true;
    do {
        if (!isDotName(fd.cFileName) && !f(fd))
            break;
    } while (::FindNextFileW(h, &fd) || !(ok = ::GetLastError() == ERROR_NO_MORE_FILES));
    ::FindClose(h);
    return ok;
}

// The data of the entry a link points to; false when it points nowhere.
bool followLink(const std::wstring &path, Entry &out, Stamp stamp)
{
    const HANDLE h = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool ok = ::GetFileInformationByHandle(h, &info);
    ::CloseHandle(h);
    if (ok)
        fill(info.dwFileAttributes, qint64(quint64(info.nFileSizeHigh) << 32 | info.nFileSizeLow), info.ftLastWriteTime,
             out, stamp);
    return ok;
}

// The entry of a path itself (not what a link points to), with its reparse tag.
bool findOne(const std::wstring &path, WIN32_FIND_DATAW &fd)
{
    const HANDLE h = ::FindFirstFileExW(path.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::FindClose(h);
    return true;
}

// Entry data of a found entry or of a path: a link shows its target when
// the target exists, else itself as a file.
bool entryOf(DWORD attrs, DWORD tag, qint64 size, const FILETIME &written, const std::wstring &path, Entry &out,
             Stamp stamp = Stamp::Fill)
{
    const bool link = isLink(attrs, tag);
    if (!link || !followLink(path, out, stamp)) {
        if (link)
            attrs &= ~DWORD(FILE_ATTRIBUTE_DIRECTORY); // dangling: a file with its own data
        fill(attrs, size, written, out, stamp);
    }
    out.link = link;
    return true;
}

std::atomic<quint64> g_listings{0};

qint64 sizeOf(const WIN32_FIND_DATAW &fd) { return qint64(quint64(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow); }

std::wstring withSeparator(std::wstring p)
{
    if (!p.empty() && p.back() != L'\\')
        p += L'\\';
    return p;
}

} // namespace

Dir::Dir(std::wstring path) : m_path(std::move(path)) {}
Dir::Dir() noexcept = default;
Dir::~Dir() = default;

Dir::Dir(Dir &&other) noexcept : m_path(std::move(other.m_path)), m_found(std::move(other.m_found)) { other.m_path.clear(); }

Dir &Dir::operator=(Dir &&other) noexcept
{
    if (this != &other) {
        m_path = std::move(other.m_path);
        m_found = std::move(other.m_found);
        other.m_path.clear();
    }
    return *this;
}

bool Dir::isOpen() const { return !m_path.empty(); }

std::unique_ptr<Dir> Dir::open(const QByteArray &path)
{
    const std::wstring api = win::apiPath(path);
    const DWORD a = ::GetFileAttributesW(api.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    return std::unique_ptr<Dir>(new Dir(withSeparator(api)));
}

const Dir::Found *Dir::found(std::string_view name) const
{
    if (!m_found)
        return nullptr;
    const auto it = std::lower_bound(m_found->begin(), m_found->end(), name,
                                     [](const Found &f, std::string_view n) { return std::string_view(f.name) < n; });
    return it != m_found->end() && it->name == name ? &*it : nullptr;
}

Dir Dir::openChild(std::string_view name) const
{
    if (name.empty() || name.find('/') != std::string_view::npos)
        return Dir();
    const std::wstring path = m_path + win::wide(name);
    DWORD attrs, tag;
    if (const Found *f = found(name)) {
        attrs = f->attrs;
        tag = f->tag;
    } else {
        WIN32_FIND_DATAW fd;
        if (!findOne(path, fd))
            return Dir();
        attrs = fd.dwFileAttributes;
        tag = fd.dwReserved0;
    }
    // Never through a link or junction.
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY) || isLink(attrs, tag))
        return Dir();
    return Dir(path + L'\\');
}

quint64 folderListings() { return g_listings.load(std::memory_order_relaxed); }

bool win::isLinkPath(const std::wstring &apiPath)
{
    WIN32_FIND_DATAW fd;
    return findOne(apiPath, fd) && isLink(fd.dwFileAttributes, fd.dwReserved0);
}

bool Dir::read(Listing &out) const
{
    g_listings.fetch_add(1, std::memory_order_relaxed);
    out.clear();
    auto found = std::make_unique<std::vector<Found>>();
    const bool ok = forEachFound(m_path, [&](const WIN32_FIND_DATAW &fd) {
        const QByteArray n = win::narrow(fd.cFileName, wcslen(fd.cFileName));
        DirItem it;
        it.offset = quint32(out.names.size());
        it.length = quint32(n.size());
        it.hint = hintOf(fd.dwFileAttributes, fd.dwReserved0);
        it.hidden = fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN;
        it.system = fd.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM;
        out.names.insert(out.names.end(), n.constData(), n.constData() + n.size() + 1); // with its NUL
        out.items.push_back(it);
        Found f;
        f.name.assign(n.constData(), size_t(n.size()));
        f.attrs = fd.dwFileAttributes;
        f.tag = fd.dwReserved0;
        f.size = sizeOf(fd);
        f.written = fd.ftLastWriteTime;
        found->push_back(std::move(f));
        return true;
    });
    if (!ok) {
        out.clear();
        return false;
    }
    std::sort(found->begin(), found->end(), [](const Found &a, const Found &b) { return a.name < b.name; });
    m_found = std::move(found);
    sortListing(out);
    return true;
}

bool Dir::stat(std::string_view name, Entry &out, Stamp stamp) const
{
    const std::wstring path = m_path + win::wide(name);
    if (const Found *f = found(name))
        return entryOf(f->attrs, f->tag, f->size, f->written, path, out, stamp);
    WIN32_FIND_DATAW fd;
    if (!findOne(path, fd))
        return false;
    return entryOf(fd.dwFileAttributes, fd.dwReserved0, sizeOf(fd), fd.ftLastWriteTime, path, out, stamp);
}

Hint Dir::hint(std::string_view name) const
{
    if (const Found *f = found(name))
        return hintOf(f->attrs, f->tag);
    WIN32_FIND_DATAW fd;
    if (!findOne(m_path + win::wide(name), fd))
        return Hint::Unknown;
    return hintOf(fd.dwFileAttributes, fd.dwReserved0);
}

bool Dir::childHasEntries(std::string_view name) const
{
    // A linked folder is looked into (not walked), like any other folder.
    bool any = false;
    forEachFound(m_path + win::wide(name) + L'\\', [&any](const WIN32_FIND_DATAW &) {
        any = true;
        return false;
    });
    return any;
}

bool statPath(const QByteArray &path, Entry &out)
{
    const std::wstring api = win::apiPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(api.c_str(), GetFileExInfoStandard, &data))
        return false;
    DWORD tag = 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        WIN32_FIND_DATAW fd;
        if (findOne(api, fd))
            tag = fd.dwReserved0;
    }
    return entryOf(data.dwFileAttributes, tag, qint64(quint64(data.nFileSizeHigh) << 32 | data.nFileSizeLow),
                   data.ftLastWriteTime, api, out);
}

QByteArray nativePath(const QString &path)
{
    QByteArray b = path.toUtf8();
    b.replace('\\', '/'); // no Windows name holds one
    return b;
}

} // namespace vt::fs
