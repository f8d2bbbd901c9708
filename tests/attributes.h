#pragma once
// Hidden and read-only entries as each system makes them: a dot name and the
// owner's write permission here, the attributes on Windows.
#include <QDir>
#include <QFile>

#ifdef _WIN32
#include <string>
#include <windows.h>
#endif

namespace vt::test {

#ifdef _WIN32
inline bool setAttribute(const QString &path, DWORD bit, bool on)
{
    const std::wstring p = QDir::toNativeSeparators(path).toStdWString();
    const DWORD a = ::GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && ::SetFileAttributesW(p.c_str(), on ? a | bit : a & ~bit);
}
#endif

// The entry (whose name starts with a dot) becomes hidden.
inline bool makeHidden(const QString &path)
{
#ifdef _WIN32
    return setAttribute(path, FILE_ATTRIBUTE_HIDDEN, true);
#else
    return QFileInfo(path).fileName().startsWith(QLatin1Char('.'));
#endif
}

// The file or folder becomes read-only, or writable again.
inline bool makeReadOnly(const QString &path, bool on = true)
{
#ifdef _WIN32
    return setAttribute(path, FILE_ATTRIBUTE_READONLY, on);
#else
    const bool dir = QFileInfo(path).isDir();
    QFile::Permissions p = QFile::ReadOwner | (dir ? QFile::ExeOwner : QFile::Permissions());
    return QFile::setPermissions(path, on ? p : p | QFile::WriteOwner);
#endif
}

} // namespace vt::test
