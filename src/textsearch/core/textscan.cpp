#include "textsearch/core/textscan.h"

#include "base/textutil.h"
#include "textsearch/core/scankernels.h"
#include "textsearch/core/utf8step.h"

#include <QStringDecoder>
#include <algorithm>
#include <charconv>
#include <functional>
#include <string>
#include <string_view>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
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
    const V16 x = load16(s), p = load16(s - 1);
    const V16 d0 = (V16)(x == 0xD0), d1 = (V16)(x == 0xD1);
    const V16 other = (V16)(x >= 0xC0) & ~d0 & ~d1;
    const V16 isCont = (V16)((x & 0xC0) == 0x80);
    const V16 pLead = (V16)(p == 0xD0) | (V16)(p == 0xD1);
    const V16 n = load16(s + 1);
    const V16 nCont = (V16)((n & 0xC0) == 0x80);
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

// Checks the bytes as UTF-8 and writes their upper case to out (the same
// length). False on the first invalid sequence; *nonAscii tells whether any
// multi-byte sequence was seen.
bool utf8Fold(const uint8_t *s, size_t n, uint8_t *out, bool *nonAscii)
{
    const FoldTables &t = tables();
    size_t i = 0;
    bool wide = false;
    while (i < n) {
        if (i > 0 && i + 17 <= n) {
            const int done = foldBlock16(s + i, out + i);
            if (done > 0) {
                wide = wide || any16((V16)(load16(s + i) >= 0x80));
                i += size_t(done);
                continue;
            }
        }
        if (i + 8 <= n) {
            uint64_t w;
            std::memcpy(&w, s + i, 8);
            if (!(w & 0x8080808080808080ull)) {
                {
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
            out[i] = uint8_t(b0 - ((unsigned(b0) - 'a' < 26u) << 5));
            ++i;
            continue;
        }
        wide = true;
        const int len = scan::utf8SequenceLength(s, i, n);
        if (len == 2) {
            const uint32_t c = (uint32_t(b0 & 0x1F) << 6) | (s[i + 1] & 0x3F);
            const uint32_t u = t.up2[c];
            out[i] = uint8_t(0xC0 | (u >> 6));
            out[i + 1] = uint8_t(0x80 | (u & 0x3F));
        } else if (len == 3) {
            const uint32_t c = (uint32_t(b0 & 0x0F) << 12) | (uint32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            const uint32_t u = t.up3[c];
            out[i] = uint8_t(0xE0 | (u >> 12));
            out[i + 1] = uint8_t(0x80 | ((u >> 6) & 0x3F));
            out[i + 2] = uint8_t(0x80 | (u & 0x3F));
        } else if (len == 4) {
            std::memcpy(out + i, s + i, 4); // four-byte characters are compared as written
        } else {
            return false;
        }
        i += size_t(len);
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
        utf8Fold(s, size_t(raw.size()), o, &wide);
    } else {
        foldCp1251(s, size_t(raw.size()), o);
    }
    return out;
}

uint32_t foldCode(uint32_t c)
{
    if (c < 0x80)
        return c - ((c - 'a' < 26u) << 5);
    return c < 0x800 ? tables().up2[c] : tables().up3[c];
}

int utf8Length(uint32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : 3; }

void encodeUtf8(uint32_t c, uint8_t *out)
{
    if (c < 0x80) {
        out[0] = uint8_t(c);
    } else if (c < 0x800) {
        out[0] = uint8_t(0xC0 | (c >> 6));
        out[1] = uint8_t(0x80 | (c & 0x3F));
    } else {
        out[0] = uint8_t(0xE0 | (c >> 12));
        out[1] = uint8_t(0x80 | ((c >> 6) & 0x3F));
        out[2] = uint8_t(0x80 | (c & 0x3F));
    }
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
        makeProbes(text);
    }
}

void TextNeedle::makeProbes(const QString &text)
{
    // Per byte of the folded needle, every value that any spelling folding
    // to the same characters has there (our folds keep the length).
    std::vector<std::vector<uint8_t>> sets;
    std::vector<scan::CharForms> forms;
    int offset = 0;
    for (char32_t c : text.toUcs4()) {
        if (c > 0xFFFF || (c >= 0xD800 && c < 0xE000))
            return;
        const uint32_t f = foldCode(c);
        const int l = utf8Length(c);
        scan::CharForms cf;
        cf.offset = offset;
        cf.len = l;
        offset += l;
        const uint32_t lo = l == 1 ? 0 : l == 2 ? 0x80 : 0x800, hi = l == 1 ? 0x80 : l == 2 ? 0x800 : 0x10000;
        std::vector<std::vector<uint8_t>> mine{size_t(l)};
        for (uint32_t v = lo; v < hi; ++v) {
            if ((v >= 0xD800 && v < 0xE000) || foldCode(v) != f)
                continue;
            uint8_t enc[3];
            encodeUtf8(v, enc);
            if (cf.count < 4)
                std::memcpy(cf.bytes[cf.count], enc, size_t(l));
            ++cf.count;
            for (int k = 0; k < l; ++k)
                if (std::find(mine[size_t(k)].begin(), mine[size_t(k)].end(), enc[k]) == mine[size_t(k)].end())
                    mine[size_t(k)].push_back(enc[k]);
        }
        for (auto &m : mine)
            sets.push_back(std::move(m));
        cf.pack();
        forms.push_back(cf);
    }
    if (sets.empty() || sets.size() != size_t(m_utf8.size()))
        return;
    for (const scan::CharForms &cf : forms)
        if (cf.count > 4)
            return;
    auto usable = [&](size_t k) { return !sets[k].empty() && sets[k].size() <= 4; };
    // Common bytes make poor probes: blanks and the leads of Cyrillic letters.
    auto common = [&](size_t k) {
        for (uint8_t b : sets[k])
            if (b == ' ' || b == 0xD0 || b == 0xD1)
                return true;
        return false;
    };
    const size_t last = sets.size() - 1;
    if (!usable(last))
        return;
    size_t first = last;
    for (size_t k = 0; k < last; ++k)
        if (usable(k) && !common(k)) {
            first = k;
            break;
        }
    auto fill = [&](Probe &p, size_t k) {
        p.offset = int(k);
        p.count = int(sets[k].size());
        for (int j = 0; j < p.count; ++j)
            p.values[j] = sets[k][size_t(j)];
    };
    fill(m_p1, first);
    fill(m_p2, last);
    m_forms = std::move(forms);
    m_probes = true;
}

namespace {

// Bytes at the end of [s, s + n) that start a UTF-8 sequence the next
// piece completes; held back so that each piece is checked whole.
size_t incompleteTail(const uint8_t *s, size_t n)
{
    for (size_t k = 1; k <= 3 && k <= n; ++k) {
        const uint8_t b = s[n - k];
        if (b < 0x80)
            return 0;
        if (b >= 0xC0) {
            const size_t need = b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            return need > k ? k : 0;
        }
    }
    return 0;
}

// The last c in [s, s + n), or null.
const char *lastOf(const char *s, size_t n, char c)
{
#ifdef __GLIBC__
    return static_cast<const char *>(memrchr(s, c, n));
#else
    for (size_t i = n; i-- > 0;)
        if (s[i] == c)
            return s + i;
    return nullptr;
#endif
}

// Drops the CRs in [from, n) that do not end a line, in place; a CR at the
// very end stays unless the text ends there. Returns the new length.
size_t dropLoneCrs(char *s, size_t from, size_t n, bool atEnd)
{
    const void *cr = std::memchr(s + from, '\r', n - from);
    if (!cr)
        return n;
    size_t out = size_t(static_cast<const char *>(cr) - s);
    for (size_t i = out; i < n; ++i) {
        if (s[i] == '\r' && (i + 1 < n ? s[i + 1] != '\n' : atEnd))
            continue;
        s[out++] = s[i];
    }
    return out;
}

} // namespace

// A scan buffer, kept from text to text; its bytes are not cleared.
template <typename T>
class ScanBuffer {
public:
    void fit(size_t n)
    {
        // Grown when too small, given back when far too big for this text.
        if (n > m_size || (m_size > (size_t(8) << 20) && m_size > 4 * n)) {
            const size_t size = n > m_size ? std::max(n, 2 * m_size) : n;
            m_data.reset(new T[size]);
            m_size = size;
        }
    }
    T *data() { return m_data.get(); }
    T &operator[](size_t i) { return m_data[i]; }

private:
    std::unique_ptr<T[]> m_data;
    size_t m_size = 0;
};

struct ScanScratch::Buffers {
    ScanBuffer<char> text;    // the pieces read, after the unfinished line
    ScanBuffer<uint8_t> fold; // the folded copy searched without case
};

ScanScratch::ScanScratch() : m_b(std::make_unique<Buffers>()) {}
ScanScratch::~ScanScratch() = default;

namespace {

// The scan of one text read piece by piece. The buffer holds the line the
// last piece left unfinished, then the new piece; whole lines are searched
// as they arrive. A line longer than the limit is searched before it ends
// and only its tail is kept, so any file is read in bounded memory. A text
// is taken as UTF-8 until a sequence proves otherwise; then it is scanned
// again from its start as cp1251 (an all-ASCII text reads alike in both).
class Scanner {
public:
    enum Outcome { Done, NotUtf8, ReadError };

    Scanner(const TextNeedle &nd, bool wantNumbers, FoundLines found, const std::atomic<bool> *stop,
            const ScanLimits &lim, ScanScratch::Buffers &scratch)
        : m_nd(nd), m_wantNumbers(wantNumbers), m_found(found), m_stop(stop), m_lim(lim), m_scratch(scratch)
    {
    }

    bool run(TextSource &src, TextScan &out)
    {
        Outcome o = pass(src, true);
        if (o == NotUtf8) {
            m_utf8 = false;
            o = m_restartHere ? pass(src, false) : src.rewind() ? pass(src, true) : ReadError;
        }
        if (o != Done)
            return false;
        m_r.numbers = QByteArray(m_numbers.data(), qsizetype(m_numbers.size()));
        out = std::move(m_r);
        return true;
    }

private:
    bool stopped() const { return m_stop && m_stop->load(std::memory_order_relaxed); }

    void reset()
    {
        m_r = TextScan();
        m_numbers.clear();
        m_keep = m_found != FoundLines::None;
        m_lineNo = 1;
        m_lineMatched = false;
        m_head.clear();
        m_headCut = false;
        m_any = false;
        m_last = 0;
        const QByteArray &pat = m_utf8 ? m_nd.utf8() : m_nd.cp1251();
        // A line holds no line end and no Ctrl+Z: such a string is never in one.
        m_pat = pat.contains('\n') || pat.contains('\r') || pat.contains('\x1A') ? QByteArray() : pat;
        m_probes = m_utf8 && !m_nd.caseSensitive() && m_nd.hasProbes();
        if (m_probes)
            m_probeSet = m_nd.probeSet();
        m_searcher.emplace(m_pat.constBegin(), m_pat.constEnd());
    }

    // One pass over the text; read: take new pieces from src (else rescan
    // what the buffer holds, which is still the text's start).
    Outcome pass(TextSource &src, bool read)
    {
        reset();
        const size_t chunk = size_t(std::max<qint64>(1, m_lim.chunk));
        const size_t room = chunk + size_t(std::max<qint64>(1, m_lim.longLine)) + size_t(m_pat.size()) + 8;
        ScanBuffer<char> &buf = m_scratch.text;
        if (read)
            buf.fit(room);
        size_t len = read ? 0 : m_len, normFrom = read ? 0 : m_normFrom;
        bool atEnd = read ? false : m_atEnd;
        bool fromStart = true; // nothing before the buffer's first byte was dropped
        for (bool first = true;; first = false) {
            if (stopped())
                return Done;
            if (read || !first) {
                if (atEnd)
                    break;
                const qint64 got = src.read(buf.data() + len, qint64(chunk));
                if (got < 0)
                    return ReadError;
                if (got == 0) {
                    atEnd = true;
                } else {
                    size_t n = size_t(got);
                    if (const void *z = std::memchr(buf.data() + len, 26, n)) {
                        n = size_t(static_cast<const char *>(z) - (buf.data() + len));
                        atEnd = true;
                    }
                    len += n;
                }
            }
            len = dropLoneCrs(buf.data(), normFrom, len, atEnd);
            size_t end = len;
            if (!atEnd && end > 0 && buf[end - 1] == '\r')
                --end;
            if (m_utf8 && !atEnd)
                end -= incompleteTail(reinterpret_cast<const uint8_t *>(buf.data()), end);
            normFrom = end;
            const uint8_t *hay = nullptr;
            if (!prepare(reinterpret_cast<const uint8_t *>(buf.data()), end, hay)) {
                if (fromStart) { // the buffer still holds the text's start
                    m_restartHere = true;
                    m_len = len;
                    m_normFrom = normFrom;
                    m_atEnd = atEnd;
                }
                return NotUtf8;
            }
            if (end > 0) {
                m_any = true;
                m_last = buf[end - 1];
            }
            size_t cut = end;
            if (!atEnd) {
                const char *nl = lastOf(buf.data(), end, '\n');
                cut = nl ? size_t(nl - buf.data()) + 1 : 0;
            }
            if (cut > 0)
                lines(buf.data(), hay, cut, atEnd);
            if (atEnd || stopped())
                break;
            // Keep the unfinished line; of a long one only what a match may still start in.
            size_t keepFrom = cut;
            if (end - cut > size_t(m_lim.longLine)) {
                longLine(buf.data(), hay, cut, end);
                keepFrom = end - std::min(end - cut, size_t(std::max<qsizetype>(0, m_pat.size() - 1)));
                while (m_utf8 && keepFrom > cut && (uint8_t(buf[keepFrom]) & 0xC0) == 0x80)
                    --keepFrom;
            }
            if (keepFrom > 0) {
                std::memmove(buf.data(), buf.data() + keepFrom, len - keepFrom);
                len -= keepFrom;
                normFrom -= keepFrom;
                fromStart = false;
            }
        }
        m_r.lines = m_lineNo - 1 + (m_any && m_last != '\n' ? 1 : 0);
        return Done;
    }

    // Checks (UTF-8) and folds (without case) [0, n); hay is what to search.
    bool prepare(const uint8_t *s, size_t n, const uint8_t *&hay)
    {
        hay = s;
        const bool fold = !m_nd.caseSensitive() && !m_probes && !m_pat.isEmpty();
        ScanBuffer<uint8_t> &foldBuf = m_scratch.fold;
        if (fold) {
            foldBuf.fit(n);
            hay = foldBuf.data();
        }
        if (!m_utf8) {
            if (fold)
                foldCp1251(s, n, foldBuf.data());
            return true;
        }
        bool wide = false;
        return fold ? utf8Fold(s, n, foldBuf.data(), &wide) : m_k.checkUtf8(s, n, &wide);
    }

    // The next place of the string in [pos, n), else n. *lineFeeds takes the
    // line feeds before it when the search counted them on its way, else -1.
    size_t find(const char *raw, const uint8_t *hay, size_t pos, size_t n, long long *lineFeeds) const
    {
        *lineFeeds = -1;
        if (m_probes)
            return m_k.findProbes(reinterpret_cast<const uint8_t *>(raw), n, pos, m_probeSet, lineFeeds);
        const char *h = reinterpret_cast<const char *>(hay);
        return size_t((*m_searcher)(h + pos, h + n).first - h);
    }

    void match(qint64 lineNo, const char *raw, size_t start, size_t stop, bool continued)
    {
        ++m_r.matches;
        if (m_wantNumbers) {
            char nb[24];
            const auto res = std::to_chars(nb, nb + sizeof nb, lineNo);
            m_numbers.append(nb, res.ptr);
            m_numbers.append("; ");
        }
        if (!m_keep)
            return;
        if (stop > start && raw[stop - 1] == '\r')
            --stop; // the CR of a CR LF pair
        QByteArray line;
        if (continued && m_headCut)
            line = m_head;
        line.append(raw + start, qsizetype(std::min(stop - start, size_t(m_lim.longLine) + 4)));
        if (line.size() > m_lim.longLine) {
            qsizetype cut = m_lim.longLine; // at most the limit, on a character's start
            while (m_utf8 && cut > 0 && (uint8_t(line[cut]) & 0xC0) == 0x80)
                --cut;
            line.truncate(cut);
        }
        m_r.found << (m_utf8 ? QString::fromUtf8(line) : fromCp1251(line));
        m_keep = m_found == FoundLines::All;
    }

    // The whole lines in [0, n): n follows a line end, or is the text's end.
    void lines(const char *raw, const uint8_t *hay, size_t n, bool atEnd)
    {
        size_t pos = 0, counted = 0; // m_lineNo is the number of the line at `counted`
        bool continued = true;       // the line at pos began in an earlier piece
        if (m_lineMatched) {
            const void *nl = std::memchr(raw, '\n', n);
            pos = counted = nl ? size_t(static_cast<const char *>(nl) - raw) + 1 : n;
            if (nl) {
                ++m_lineNo;
                continued = false;
            }
        }
        while (!m_pat.isEmpty() && pos < n) {
            if (stopped())
                return;
            long long feeds; // pos == counted here
            const size_t at = find(raw, hay, pos, n, &feeds);
            if (at >= n) {
                if (feeds >= 0) {
                    m_lineNo += feeds;
                    counted = n;
                }
                break;
            }
            m_lineNo += feeds >= 0 ? feeds : m_k.countNewlines(reinterpret_cast<const uint8_t *>(raw) + counted, at - counted);
            const size_t end = m_k.nextNewline(reinterpret_cast<const uint8_t *>(raw), n, at);
            const bool nl = end < n;
            size_t start = pos;
            if (m_keep) { // the line's start, for its text
                if (const char *before = lastOf(raw + pos, at - pos, '\n')) {
                    start = size_t(before - raw) + 1;
                    continued = false;
                }
            }
            match(m_lineNo, raw, start, end, continued);
            continued = false;
            counted = nl ? end + 1 : end;
            if (nl)
                ++m_lineNo;
            pos = end + 1;
        }
        m_lineNo += m_k.countNewlines(reinterpret_cast<const uint8_t *>(raw) + counted, n > counted ? n - counted : 0);
        if (!atEnd) {
            m_lineMatched = false;
            m_headCut = false;
            m_head.clear();
        }
    }

    // [from, end) is the start of a line longer than the limit: searched now,
    // and its head kept for the found lines.
    void longLine(const char *raw, const uint8_t *hay, size_t from, size_t end)
    {
        const bool continued = from == 0;
        if (!m_lineMatched && !m_pat.isEmpty()) {
            long long feeds;
            const size_t at = find(raw, hay, from, end, &feeds);
            if (at < end) {
                match(m_lineNo, raw, from, end, continued);
                m_lineMatched = true;
            }
        }
        if (!(continued && m_headCut) && m_found != FoundLines::None) {
            m_head = QByteArray(raw + from, qsizetype(std::min(end - from, size_t(m_lim.longLine) + 4)));
            m_headCut = true;
        }
    }

    const TextNeedle &m_nd;
    const bool m_wantNumbers;
    const FoundLines m_found;
    const std::atomic<bool> *m_stop;
    const ScanLimits m_lim;
    ScanScratch::Buffers &m_scratch;
    const scan::Kernels &m_k = scan::kernels();
    bool m_utf8 = true;
    bool m_restartHere = false;
    size_t m_len = 0, m_normFrom = 0;
    bool m_atEnd = false;

    TextScan m_r;
    std::string m_numbers;
    bool m_keep = false;
    qint64 m_lineNo = 1;        // the number of the line at the buffer's start
    bool m_lineMatched = false; // that line (a long one) matched already
    QByteArray m_head;          // that line's head, when its start is no longer in the buffer
    bool m_headCut = false;
    bool m_any = false;
    char m_last = 0;
    QByteArray m_pat;
    bool m_probes = false;
    scan::ProbeSet m_probeSet;
    std::optional<std::boyer_moore_horspool_searcher<const char *>> m_searcher;
};

// The bytes of a buffer, handed out at most `piece` at a time.
class MemorySource : public TextSource {
public:
    MemorySource(const QByteArray &bytes, qint64 piece) : m_bytes(bytes), m_piece(piece) {}
    qint64 read(char *buf, qint64 n) override
    {
        const qint64 k = std::min({n, m_piece, qint64(m_bytes.size()) - m_pos});
        std::memcpy(buf, m_bytes.constData() + m_pos, size_t(k));
        m_pos += k;
        return k;
    }
    bool rewind() override
    {
        m_pos = 0;
        return true;
    }

private:
    const QByteArray &m_bytes;
    qint64 m_piece;
    qint64 m_pos = 0;
};

} // namespace

bool scanSource(TextSource &src, const TextNeedle &needle, bool wantNumbers, FoundLines found,
                const std::atomic<bool> *stop, const ScanLimits &limits, TextScan &out, ScanScratch *scratch)
{
    std::optional<ScanScratch> own;
    if (!scratch)
        scratch = &own.emplace();
    Scanner s(needle, wantNumbers, found, stop, limits, scratch->buffers());
    return s.run(src, out);
}

TextScan scanText(const QByteArray &bytes, const TextNeedle &needle, bool wantNumbers, FoundLines found,
                  const std::atomic<bool> *stop, const ScanLimits &limits)
{
    MemorySource src(bytes, limits.chunk);
    TextScan r;
    scanSource(src, needle, wantNumbers, found, stop, limits, r);
    return r;
}

} // namespace vt
