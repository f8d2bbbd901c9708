#include "platform/dirhandle.h"
#include "platform/dirreader.h"
#include "platform/win32/winpath.h"

#include <cerrno>

namespace vt::fs {
namespace {

// A name of one level: no separator, no drive or stream colon, no "." or "..".
bool plainName(const QByteArray &n)
{
    return !n.isEmpty() && n != "." && n != ".." && !n.contains('/') && !n.contains('\\') && !n.contains(':')
        && !n.contains('\0');
}

std::unique_ptr<DirHandle> failWith(int *error, int e)
{
    if (error)
        *error = e;
    return nullptr;
}

// The folder held open without delete sharing: while a batch holds it,
// nobody can rename it away or put a link in its place, so the paths
// below it keep naming what was checked.
HANDLE holdFolder(const std::wstring &api, bool followLink)
{
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (followLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const HANDLE h = ::CreateFileW(api.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, flags, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return h;
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(h, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(h);
        ::SetLastError(ERROR_DIRECTORY);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

} // namespace

DirHandle::~DirHandle()
{
    if (m_handle != -1)
        ::CloseHandle(HANDLE(m_handle));
}

std::unique_ptr<DirHandle> DirHandle::open(const QByteArray &path, int *error)
{
    if (path.isEmpty() || path.contains('\0'))
        return failWith(error, ENOENT);
    const HANDLE h = holdFolder(win::apiPath(path), true);
    if (h == INVALID_HANDLE_VALUE)
        return failWith(error, win::lastError());
    return std::unique_ptr<DirHandle>(new DirHandle(qintptr(h), path.endsWith('/') ? path : path + '/'));
}

std::unique_ptr<DirHandle> DirHandle::child(const QByteArray &name, bool create, int *error, bool *made) const
{
    if (made)
        *made = false;
    if (!plainName(name))
        return failWith(error, EINVAL);
    const QByteArray path = m_path + name;
    const std::wstring api = win::apiPath(path);
    if (create) {
        if (::CreateDirectoryW(api.c_str(), nullptr)) {
            if (made)
                *made = true;
        } else if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return failWith(error, win::lastError());
        }
    }
    if (win::isLinkPath(api))
        return failWith(error, ELOOP);
    const HANDLE h = holdFolder(api, false);
    if (h == INVALID_HANDLE_VALUE)
        return failWith(error, win::lastError());
    return std::unique_ptr<DirHandle>(new DirHandle(qintptr(h), path + '/'));
}

std::unique_ptr<DirHandle> DirHandle::below(const QByteArray &relative, bool create, int *error) const
{
    std::unique_ptr<DirHandle> at = open(m_path, error);
    for (const QByteArray &part : relative.split('/')) {
        if (!at || part.isEmpty())
            continue;
        at = at->child(part, create, error);
    }
    return at;
}

bool DirHandle::lookup(const QByteArray &name, Entry *out) const
{
    Entry e;
    if (!plainName(name) || !statPath(m_path + name, e))
        return false;
    if (out) {
        const std::string_view n(name.constData(), size_t(name.size()));
        e.validName = validUtf8(n);
        e.name = displayName(n);
        *out = e;
    }
    return true;
}

bool writeFileIn(const DirHandle &dir, const QByteArray &name, const QByteArray &data)
{
    return plainName(name) && win::replaceFile(dir.path() + name, data);
}

} // namespace vt::fs
