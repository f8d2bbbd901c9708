#pragma once
// Native paths (UTF-8 bytes, "/" separated) to and from the UTF-16 paths of
// the Windows API. Names that are not valid UTF-16 (a lone surrogate) are
// carried as WTF-8, so they stay reachable although they are not valid UTF-8.
#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <windows.h>

namespace vt::fs::win {

// Empty for bytes that are not WTF-8: they name nothing on Windows, and an
// empty path makes every call fail rather than reach another file.
std::wstring wide(std::string_view bytes);
QByteArray narrow(const wchar_t *s, size_t n);
inline QByteArray narrow(const std::wstring &s) { return narrow(s.data(), s.size()); }

// The path for the file API: "\" separated, without a trailing separator
// (but "C:\" for a drive) and, when absolute, in the "\\?\" form that lifts
// the 260-character limit and keeps every name exactly as it is (no trimming
// of trailing dots or blanks).
std::wstring apiPath(const QByteArray &native);
// The same without the "\\?\" form, for the shell functions, which do not take it.
std::wstring shellPath(const QByteArray &native);
std::wstring shellPath(const QString &path);
// A path the API gave back, as a native path: the "\\?\" form dropped, "/" separated.
QByteArray fromApi(const std::wstring &path);
// Its text, "/" separated.
QString textFromApi(const wchar_t *path);

// A special folder of the shell (FOLDERID_...), "/" separated; empty when
// the system has none.
QString knownFolder(const GUID &id);

// Seconds since the epoch of a file time (rounded down), and back.
qint64 fileTimeToSecs(const FILETIME &ft);
FILETIME secsToFileTime(qint64 secs);

// A file handle closed when it goes.
class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    ~Handle() { reset(); }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool ok() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    HANDLE get() const { return m_h; }
    // Gives the handle up without closing it.
    void release() { m_h = INVALID_HANDLE_VALUE; }
    void reset(HANDLE h = INVALID_HANDLE_VALUE)
    {
        if (ok())
            ::CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h;
};

// Writes a whole file at the path: a new temporary beside it, flushed, then
// put in its place (a regular file keeps its attributes, a link of that name
// is replaced, never written through; a folder fails).
bool replaceFile(const QByteArray &target, const QByteArray &data);

// The entry itself at an API path is a symbolic link or a junction.
bool isLinkPath(const std::wstring &apiPath);

inline constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The last error of the API as an outcome's error code.
inline int lastError() { return int(::GetLastError()); }

} // namespace vt::fs::win
