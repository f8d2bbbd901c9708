#include "platform/dirreader.h"

#include <algorithm>
#include <cstring>

namespace vt::fs {

bool validUtf8(std::string_view s)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(s.data());
    const unsigned char *end = p + s.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int n;
        quint32 cp;
        if ((c & 0xE0) == 0xC0) {
            n = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            n = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            n = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - p <= n)
            return false;
        for (int i = 1; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (p[i] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not valid.
        if ((n == 1 && cp < 0x80) || (n == 2 && cp < 0x800) || (n == 3 && cp < 0x10000)
            || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
            return false;
        p += n + 1;
    }
    return true;
}

QString displayName(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QString pathText(const QByteArray &native) { return QString::fromUtf8(native); }

namespace {
inline unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }
} // namespace

void sortListing(Listing &out)
{
    const char *base = out.names.data();
    std::sort(out.items.begin(), out.items.end(), [base](const DirItem &a, const DirItem &b) {
        const unsigned char *x = reinterpret_cast<const unsigned char *>(base + a.offset);
        const unsigned char *y = reinterpret_cast<const unsigned char *>(base + b.offset);
        const quint32 n = std::min(a.length, b.length);
        quint32 i = 0;
        // Names of a folder often share a long start; equal bytes fold equal.
        while (i + 8 <= n && std::memcmp(x + i, y + i, 8) == 0)
            i += 8;
        for (; i < n; ++i) {
            const unsigned char fx = foldAscii(x[i]), fy = foldAscii(y[i]);
            if (fx != fy)
                return fx < fy;
        }
        if (a.length != b.length)
            return a.length < b.length;
        return std::memcmp(x, y, n) < 0;
    });
}

} // namespace vt::fs
