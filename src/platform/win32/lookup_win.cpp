#include "platform/dirreader.h"

#include "platform/win32/winpath.h"

namespace vt::fs {
namespace {

using win::Handle;
using win::kShareAll;

// "C:" and "C:/" name the drive's root folder.
bool isDriveRoot(const QByteArray &p) { return (p.size() == 2 || p.size() == 3) && p[1] == ':'; }

std::wstring api(const QByteArray &p) { return win::apiPath(p); }

} // namespace

bool lookup(const QString &path, Entry *out) { return lookupNative(nativePath(path), out); }

bool lookupNative(const QByteArray &path, Entry *out)
{
    QByteArray native = path;
    while (native.size() > 1 && native.endsWith('/') && !isDriveRoot(native))
        native.chop(1);
    if (native.isEmpty())
        return false;
    Entry e;
    if (!statPath(native, e))
        return false;
    if (isDriveRoot(native)) {
        e.name = QString::fromUtf8(native.left(2)) + QLatin1Char('/');
    } else {
        const QByteArray name = native.mid(native.lastIndexOf('/') + 1);
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
    Entry e;
    return !path.isEmpty() && statPath(path, e) && e.isDir();
}

bool exists(const QString &path) { return existsNative(nativePath(path)); }

bool existsNative(const QByteArray &path)
{
    return !path.isEmpty() && ::GetFileAttributesW(api(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

QByteArray canonicalNative(const QByteArray &path)
{
    if (path.isEmpty())
        return {};
    Handle h(::CreateFileW(api(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok())
        return {};
    std::wstring buf(1024, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(h.get(), buf.data(), DWORD(buf.size()), FILE_NAME_NORMALIZED);
        if (n == 0)
            return {};
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(n + 1);
    }
    return win::fromApi(buf);
}

bool setModifiedTime(const QString &path, qint64 secs)
{
    Handle h(::CreateFileW(api(nativePath(path)).c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const FILETIME ft = win::secsToFileTime(secs);
    return h.ok() && ::SetFileTime(h.get(), nullptr, nullptr, &ft);
}

bool createFileNative(const QByteArray &path)
{
    Handle h(::CreateFileW(api(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return h.ok();
}

bool removeFileNative(const QByteArray &path) { return !path.isEmpty() && ::DeleteFileW(api(path).c_str()); }

bool makeDirNative(const QByteArray &path) { return !path.isEmpty() && ::CreateDirectoryW(api(path).c_str(), nullptr); }

bool removeDirNative(const QByteArray &path) { return !path.isEmpty() && ::RemoveDirectoryW(api(path).c_str()); }

} // namespace vt::fs
