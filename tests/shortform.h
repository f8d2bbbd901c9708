#pragma once
// The 8.3 cell a test expects for a path: the upper-cased path on Linux,
// where it stands in for the short form; the system's short form,
// upper-cased, on Windows (asked here directly, not through the program).
// On Windows a path that does not exist gets its folder's short form and its
// own name upper-cased.
#include <QDir>
#include <QString>

#ifdef _WIN32
#include <string>
#include <windows.h>
#endif

namespace vt::test {

inline QString shortForm(const QString &path)
{
#ifdef _WIN32
    const std::wstring w = QDir::toNativeSeparators(path).toStdWString();
    wchar_t buf[32768];
    const DWORD n = ::GetShortPathNameW(w.c_str(), buf, 32768);
    if (n == 0 || n >= 32768) {
        const QString p = path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        if (slash <= 2)
            return path.toUpper();
        return shortForm(p.left(slash + 1)) + path.mid(slash + 1).toUpper();
    }
    QString s = QDir::fromNativeSeparators(QString::fromWCharArray(buf, int(n))).toUpper();
    if (path.endsWith(QLatin1Char('/')) && !s.endsWith(QLatin1Char('/')))
        s += QLatin1Char('/');
    return s;
#else
    return path.toUpper();
#endif
}

} // namespace vt::test
