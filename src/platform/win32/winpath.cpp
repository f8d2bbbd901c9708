#include "platform/win32/winpath.h"

namespace vt::fs::win {
namespace {

// A drive path ("C:/...") or a share ("//server/share/...").
bool isAbsolute(const QByteArray &p)
{
    return (p.size() >= 3 && p[1] == ':' && (p[2] == '/' || p[2] == '\\'))
        || (p.size() >= 2 && (p[0] == '/' || p[0] == '\\') && (p[1] == '/' || p[1] == '\\'));
}

// "." and ".." keep their meaning only outside the "\\?\" form.
bool hasDotParts(const QByteArray &p)
{
    for (qsizetype i = 0; i < p.size();) {
        qsizetype end = i;
        while (end < p.size() && p[end] != '/' && p[end] != '\\')
            ++end;
        const qsizetype n = end - i;
        if ((n == 1 && p[i] == '.') || (n == 2 && p[i] == '.' && p[i + 1] == '.'))
            return true;
        i = end + 1;
    }
    return false;
}

std::wstring backslashed(std::wstring w)
{
    for (wchar_t &c : w)
        if (c == L'/')
            c = L'\\';
    return w;
}

} // namespace

std::wstring wide(std::string_view bytes)
{
    std::wstring out;
    out.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        int n = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            cp = c;
        } else if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            n = -1;
        }
        bool ok = n >= 0 && end - p > n;
        for (int i = 1; ok && i <= n; ++i) {
            ok = (p[i] & 0xC0) == 0x80;
            cp = cp << 6 | (p[i] & 0x3F);
        }
        if (!ok)
            return {}; // bytes no name on Windows can hold: a path to nothing
        p += n + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += wchar_t(0xD800 + (cp >> 10));
            out += wchar_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += wchar_t(cp); // a lone surrogate comes back as it was
        }
    }
    return out;
}

QByteArray narrow(const wchar_t *s, size_t n)
{
    QByteArray out;
    out.reserve(qsizetype(n));
    for (size_t i = 0; i < n; ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[++i] - 0xDC00);
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | cp >> 6);
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | cp >> 12);
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | cp >> 18);
            out += char(0x80 | (cp >> 12 & 0x3F));
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::wstring apiPath(const QByteArray &path)
{
    QByteArray native = path;
    while (native.size() > 3 && (native.endsWith('/') || native.endsWith('\\')))
        native.chop(1);
    if (native.size() == 2 && native[1] == ':')
        native += '/';
    std::wstring w = backslashed(wide(std::string_view(native.constData(), size_t(native.size()))));
    if (w.empty() || !isAbsolute(native) || hasDotParts(native))
        return w;
    if (w.size() >= 2 && w[0] == L'\\' && w[1] == L'\\')
        return L"\\\\?\\UNC\\" + w.substr(2);
    return L"\\\\?\\" + w;
}

std::wstring shellPath(const QByteArray &native)
{
    return backslashed(wide(std::string_view(native.constData(), size_t(native.size()))));
}

std::wstring shellPath(const QString &path) { return backslashed(path.toStdWString()); }

QByteArray fromApi(const std::wstring &path)
{
    std::wstring p = path;
    if (p.rfind(L"\\\\?\\UNC\\", 0) == 0)
        p = L"\\\\" + p.substr(8);
    else if (p.rfind(L"\\\\?\\", 0) == 0)
        p = p.substr(4);
    for (wchar_t &c : p)
        if (c == L'\\')
            c = L'/';
    return narrow(p);
}

QString textFromApi(const wchar_t *path) { return QString::fromUtf8(fromApi(path)); }

namespace {
// 100-nanosecond steps between 1601-01-01 and 1970-01-01.
constexpr qint64 kEpochDiff = 116444736000000000LL;
} // namespace

qint64 fileTimeToSecs(const FILETIME &ft)
{
    const qint64 t = qint64((quint64(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) - kEpochDiff;
    return t >= 0 ? t / 10000000 : -((-t + 9999999) / 10000000);
}

FILETIME secsToFileTime(qint64 secs)
{
    const quint64 t = quint64(secs * 10000000 + kEpochDiff);
    FILETIME ft;
    ft.dwLowDateTime = DWORD(t);
    ft.dwHighDateTime = DWORD(t >> 32);
    return ft;
}

} // namespace vt::fs::win
