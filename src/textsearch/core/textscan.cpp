#include "textsearch/core/textscan.h"

#include "base/textutil.h"

#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <functional>
#include <string>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace vt {

namespace {

// Simple Unicode upper case of the code points whose upper case keeps the
// length of their UTF-8 form; the few that would change length stay as they are.
struct FoldTables {
    std::vector<uint16_t> up2; // U+0080..U+07FF
    std::vector<uint16_t> up3; // U+0800..U+FFFF
    uint8_t cp[256];           // cp1251 byte -> its upper-case byte
    FoldTables() : up2(0x800), up3(0x10000)
    {
        for (uint32_t c = 0x80; c < 0x800; ++c) {
            const uint32_t u = QChar::toUpper(c);
            up2[c] = uint16_t(u >= 0x80 && u < 0x800 ? u : c);
        }
        for (uint32_t c = 0x800; c < 0x10000; ++c) {
            const uint32_t u = QChar::toUpper(c);
            const bool keep = u >= 0x800 && u < 0x10000 && !(u >= 0xD800 && u < 0xE000);
            up3[c] = uint16_t(keep ? u : c);
        }
        for (int b = 0; b < 256; ++b) {
            const char ch = char(b);
            const QString s = fromCp1251(QByteArray(&ch, 1)).toUpper();
            bool ok = false;
            const QByteArray back = toCp1251(s, &ok);
            cp[b] = ok && back.size() == 1 ? uint8_t(back[0]) : uint8_t(b);
        }
    }
};

const FoldTables &tables()
{
    static const FoldTables t;
    return t;
}

inline bool cont(uint8_t b) { return (b & 0xC0) == 0x80; }

// Sixteen bytes at a time for the common case of Latin and Cyrillic text
// (GCC/Clang vector extensions: SSE2 on x86-64, NEON on ARM).
typedef uint8_t V16 __attribute__((vector_size(16)));

inline V16 load16(const uint8_t *p)
{
    V16 v;
    std::memcpy(&v, p, 16);
    return v;
}

inline bool any16(V16 m)
{
    uint64_t a[2];
    std::memcpy(a, &m, 16);
    return (a[0] | a[1]) != 0;
}

// Folds s[0..16) when every non-ASCII byte there belongs to a two-byte
// sequence led by D0 or D1 (Cyrillic) and the sequences are whole (the byte
// before s and the one after s+15 are read for context). Returns how many
// bytes were folded (15 when the last byte leads a sequence that ends past
// the block), 0 when the block needs the general path.
inline int foldBlock16(const uint8_t *s, uint8_t *out)
{
    const V16 x = load16(s), p = load16(s - 1), n = load16(s + 1);
    const V16 d0 = (V16)(x == 0xD0), d1 = (V16)(x == 0xD1);
    const V16 other = (V16)(x >= 0xC0) & ~d0 & ~d1;
    const V16 isCont = (V16)(x >= 0x80) & (V16)(x <= 0xBF);
    const V16 pLead = (V16)(p == 0xD0) | (V16)(p == 0xD1);
    const V16 nCont = (V16)(n >= 0x80) & (V16)(n <= 0xBF);
    const V16 broken = (isCont & ~pLead) | ((d0 | d1) & ~nCont);
    if (any16(other | broken))
        return 0;
    const V16 pd0 = (V16)(p == 0xD0), pd1 = (V16)(p == 0xD1);
    V16 delta = (V16)(x >= 'a') & (V16)(x <= 'z') & 0xE0;           // a-z: -0x20
    delta += pd0 & (V16)(x >= 0xB0) & 0xE0;                          // а-п: -0x20
    delta += pd1 & (V16)(x <= 0x8F) & 0x20;                          // р-я: +0x20
    delta += pd1 & (V16)(x >= 0x90) & (V16)(x <= 0x9F) & 0xF0;       // ѐ-џ: -0x10
    delta += pd1 & (V16)(x >= 0xA0) & (V16)((x & 1) == 1) & 0xFF;    // ѡ…ѿ: -1
    delta += d1 & (V16)(n <= 0x9F) & 0xFF;                           // lead D1 -> D0 for the two above
    const V16 r = x + delta;
    std::memcpy(out, &r, 16);
    return s[15] == 0xD0 || s[15] == 0xD1 ? 15 : 16;
}

// Newlines in [s, s + n).
qint64 countNewlines(const uint8_t *s, size_t n)
{
    qint64 total = 0;
    size_t i = 0;
    while (i + 16 <= n) {
        V16 acc = {};
        const size_t stop = std::min(n, i + 16 * 255);
        for (; i + 16 <= stop; i += 16)
            acc -= (V16)(load16(s + i) == '\n');
        uint64_t a[2];
        std::memcpy(a, &acc, 16);
        for (uint64_t w : a)
            for (int k = 0; k < 8; ++k)
                total += (w >> (8 * k)) & 0xFF;
    }
    for (; i < n; ++i)
        total += s[i] == '\n';
    return total;
}

// Checks the bytes as UTF-8 and, with Fold, writes their upper case to out
// (the same length). False on the first invalid sequence; *nonAscii tells
// whether any multi-byte sequence was seen.
template <bool Fold>
bool utf8Pass(const uint8_t *s, size_t n, uint8_t *out, bool *nonAscii)
{
    const FoldTables &t = tables();
    size_t i = 0;
    bool wide = false;
    while (i < n) {
        if constexpr (Fold) {
            if (i > 0 && i + 17 <= n) {
                const int done = foldBlock16(s + i, out + i);
                if (done > 0) {
                    wide = wide || any16((V16)(load16(s + i) >= 0x80));
                    i += size_t(done);
                    continue;
                }
            }
        }
        if (i + 8 <= n) {
            uint64_t w;
            std::memcpy(&w, s + i, 8);
            if (!(w & 0x8080808080808080ull)) {
                if constexpr (Fold) {
                    // Bytes in 'a'..'z' lose 0x20; no carry crosses a byte below 0x80.
                    const uint64_t ge = w + 0x1F1F1F1F1F1F1F1Full;
                    const uint64_t gt = w + 0x0505050505050505ull;
                    w ^= ((ge & ~gt) & 0x8080808080808080ull) >> 2;
                    std::memcpy(out + i, &w, 8);
                }
                i += 8;
                continue;
            }
        }
        const uint8_t b0 = s[i];
        if (b0 < 0x80) {
            if constexpr (Fold)
                out[i] = uint8_t(b0 - ((unsigned(b0) - 'a' < 26u) << 5));
            ++i;
            continue;
        }
        wide = true;
        if (b0 < 0xC2)
            return false;
        if (b0 < 0xE0) {
            if (i + 1 >= n || !cont(s[i + 1]))
                return false;
            if constexpr (Fold) {
                const uint32_t c = (uint32_t(b0 & 0x1F) << 6) | (s[i + 1] & 0x3F);
                const uint32_t u = t.up2[c];
                out[i] = uint8_t(0xC0 | (u >> 6));
                out[i + 1] = uint8_t(0x80 | (u & 0x3F));
            }
            i += 2;
            continue;
        }
        if (b0 < 0xF0) {
            if (i + 2 >= n || !cont(s[i + 1]) || !cont(s[i + 2]) || (b0 == 0xE0 && s[i + 1] < 0xA0)
                || (b0 == 0xED && s[i + 1] >= 0xA0))
                return false;
            if constexpr (Fold) {
                const uint32_t c = (uint32_t(b0 & 0x0F) << 12) | (uint32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
                const uint32_t u = t.up3[c];
                out[i] = uint8_t(0xE0 | (u >> 12));
                out[i + 1] = uint8_t(0x80 | ((u >> 6) & 0x3F));
                out[i + 2] = uint8_t(0x80 | (u & 0x3F));
            }
            i += 3;
            continue;
        }
        if (b0 > 0xF4 || i + 3 >= n || !cont(s[i + 1]) || !cont(s[i + 2]) || !cont(s[i + 3])
            || (b0 == 0xF0 && s[i + 1] < 0x90) || (b0 == 0xF4 && s[i + 1] >= 0x90))
            return false;
        if constexpr (Fold)
            std::memcpy(out + i, s + i, 4);
        i += 4;
    }
    *nonAscii = wide;
    return true;
}

void foldCp1251(const uint8_t *s, size_t n, uint8_t *out)
{
    const uint8_t *t = tables().cp;
    for (size_t i = 0; i < n; ++i)
        out[i] = t[s[i]];
}

QByteArray foldedNeedle(const QByteArray &raw, bool utf8)
{
    QByteArray out(raw.size(), Qt::Uninitialized);
    const auto *s = reinterpret_cast<const uint8_t *>(raw.constData());
    auto *o = reinterpret_cast<uint8_t *>(out.data());
    if (utf8) {
        bool wide = false;
        utf8Pass<true>(s, size_t(raw.size()), o, &wide);
    } else {
        foldCp1251(s, size_t(raw.size()), o);
    }
    return out;
}

// Ctrl+Z ends the text; a CR that does not end a line is not part of it.
void normalise(QByteArray &bytes)
{
    if (const void *z = std::memchr(bytes.constData(), 26, size_t(bytes.size())))
        bytes.truncate(static_cast<const char *>(z) - bytes.constData());
    const char *s = bytes.constData();
    const qsizetype n = bytes.size();
    const void *cr = std::memchr(s, '\r', size_t(n));
    bool lone = false;
    while (cr) {
        const qsizetype at = static_cast<const char *>(cr) - s;
        if (at + 1 >= n || s[at + 1] != '\n') {
            lone = true;
            break;
        }
        cr = std::memchr(s + at + 1, '\r', size_t(n - at - 1));
    }
    if (!lone)
        return;
    QByteArray out;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        if (s[i] != '\r' || (i + 1 < n && s[i + 1] == '\n'))
            out.append(s[i]);
    bytes = std::move(out);
}

} // namespace

TextNeedle::TextNeedle(const QString &text, bool caseSensitive) : m_case(caseSensitive)
{
    bool ok = false;
    const QByteArray cp = toCp1251(text, &ok);
    m_utf8 = text.toUtf8();
    if (ok)
        m_cp1251 = cp;
    if (!caseSensitive) {
        m_utf8 = foldedNeedle(m_utf8, true);
        if (ok)
            m_cp1251 = foldedNeedle(m_cp1251, false);
    }
}

TextScan scanText(QByteArray bytes, const TextNeedle &needle, bool wantNumbers, FoundLines found)
{
    TextScan r;
    normalise(bytes);
    const auto *raw = reinterpret_cast<const uint8_t *>(bytes.constData());
    const size_t n = size_t(bytes.size());
    if (n == 0)
        return r;
    const char *rawc = bytes.constData();
    const qint64 lastLine = rawc[n - 1] != '\n' ? 1 : 0;

    bool wide = false;
    std::unique_ptr<uint8_t[]> folded;
    const uint8_t *hay = raw;
    bool utf8;
    if (needle.caseSensitive()) {
        utf8 = utf8Pass<false>(raw, n, nullptr, &wide) && wide;
    } else {
        folded.reset(new uint8_t[n]);
        utf8 = utf8Pass<true>(raw, n, folded.get(), &wide) && wide;
        if (!utf8)
            foldCp1251(raw, n, folded.get());
        hay = folded.get();
    }
    const QByteArray &pat = utf8 ? needle.utf8() : needle.cp1251();
    if (pat.isEmpty()) {
        r.lines = countNewlines(raw, n) + lastLine;
        return r;
    }

    const char *h = reinterpret_cast<const char *>(hay);
    // Horspool skips whole needle lengths where the text cannot match.
    const std::boyer_moore_horspool_searcher find(pat.constBegin(), pat.constEnd());
    std::string numbers;
    size_t pos = 0, counted = 0;
    qint64 lineNo = 1; // of the line at `counted`
    bool keep = found != FoundLines::None;
    while (pos < n) {
        const char *m = find(h + pos, h + n).first;
        if (m == h + n)
            break;
        const size_t at = size_t(m - h);
        lineNo += countNewlines(raw + counted, at - counted);
        counted = at;
        const void *nl = std::memchr(rawc + at, '\n', n - at);
        const size_t end = nl ? size_t(static_cast<const char *>(nl) - rawc) : n;
        ++r.matches;
        if (wantNumbers) {
            char buf[24];
            const auto res = std::to_chars(buf, buf + sizeof buf, lineNo);
            numbers.append(buf, res.ptr);
            numbers.append("; ");
        }
        if (keep) {
            const size_t start = size_t(std::find(std::make_reverse_iterator(rawc + at),
                                                  std::make_reverse_iterator(rawc), '\n').base() - rawc);
            size_t stop = end;
            if (stop > start && rawc[stop - 1] == '\r')
                --stop;
            const QByteArray line(rawc + start, qsizetype(stop - start));
            r.found << (utf8 ? QString::fromUtf8(line) : fromCp1251(line));
            keep = found == FoundLines::All;
        }
        pos = end + 1;
    }
    r.numbers = QString::fromLatin1(numbers.data(), qsizetype(numbers.size()));
    r.lines = lineNo - 1 + countNewlines(raw + counted, n - counted) + lastLine;
    return r;
}

} // namespace vt
