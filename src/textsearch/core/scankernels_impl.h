#pragma once
// The bodies of the scan kernels for a vector of W bytes. Included only by
// the files that build a kernel set; everything here has internal linkage,
// so that code built for wider vectors never stands in for the plain build.
#include "textsearch/core/scankernels.h"
#include "textsearch/core/utf8step.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// Vectors are passed only between helpers inlined into one kernel.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace vt::scan {
namespace {

#define VT_KERNEL_INLINE __attribute__((always_inline)) inline

template <int W>
struct Lanes {
    typedef uint8_t V __attribute__((vector_size(W)));
};

template <int W>
VT_KERNEL_INLINE typename Lanes<W>::V loadV(const uint8_t *p)
{
    typename Lanes<W>::V v;
    __builtin_memcpy(&v, p, W);
    return v;
}

// One bit per byte of a mask (bytes 0 or 0xFF), byte 0 lowest.
template <int W>
VT_KERNEL_INLINE uint64_t bitsOf(typename Lanes<W>::V m)
{
#if defined(__AVX2__)
    if constexpr (W == 32)
        return uint32_t(_mm256_movemask_epi8(__m256i(m)));
#endif
#if defined(__SSE2__)
    if constexpr (W == 16)
        return uint32_t(_mm_movemask_epi8(__m128i(m)));
#endif
    uint64_t a[W / 8];
    __builtin_memcpy(a, &m, W);
    uint64_t r = 0;
    for (int k = 0; k < W / 8; ++k)
        r |= ((((a[k] & 0x8080808080808080ull) >> 7) * 0x0102040810204080ull) >> 56) << (8 * k);
    return r;
}

template <int W>
VT_KERNEL_INLINE bool anyOf(typename Lanes<W>::V m)
{
    return bitsOf<W>(m) != 0;
}


// Checks s[0..W) when every non-ASCII byte there belongs to a two-byte
// sequence led by D0 or D1 (Cyrillic), on bit masks: a continuation exactly
// after each lead. lead tells whether the byte before s leads a sequence
// and takes whether the block's last byte does. False when the block needs
// the general path (lead is then left as it was).
template <int W>
VT_KERNEL_INLINE bool cyrillicBlock(const uint8_t *s, uint64_t &lead, bool &wide)
{
    typedef typename Lanes<W>::V V;
    const V x = loadV<W>(s);
    const uint64_t high = bitsOf<W>(x);
    if (!high)
        return !lead;
    const uint64_t leads = bitsOf<W>((V)(x == 0xD0) | (V)(x == 0xD1));
    const uint64_t conts = bitsOf<W>((V)((x & 0xC0) == 0x80));
    const uint64_t all = W == 64 ? ~uint64_t(0) : (uint64_t(1) << W) - 1;
    if ((high & ~leads & ~conts) || conts != (((leads << 1) | lead) & all))
        return false;
    lead = leads >> (W - 1);
    wide = true;
    return true;
}

template <int W>
bool checkUtf8(const unsigned char *s, size_t n, bool *nonAscii)
{
    size_t i = 0;
    bool wide = false;
    for (;;) {
        uint64_t lead = 0;
        while (i + W <= n && cyrillicBlock<W>(s + i, lead, wide))
            i += W;
        if (lead)
            --i; // back to the lead of the sequence the blocks left open
        if (i >= n)
            break;
        // The general path, one step: eight ASCII bytes or one sequence.
        if (i + 8 <= n) {
            uint64_t w;
            __builtin_memcpy(&w, s + i, 8);
            if (!(w & 0x8080808080808080ull)) {
                i += 8;
                continue;
            }
        }
        const uint8_t b0 = s[i];
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        wide = true;
        const int len = utf8SequenceLength(s, i, n);
        if (!len)
            return false;
        i += size_t(len);
    }
    *nonAscii = wide;
    return true;
}

template <int W>
VT_KERNEL_INLINE typename Lanes<W>::V inSet(typename Lanes<W>::V v, const Probe &p)
{
    typedef typename Lanes<W>::V V;
    V m = (V)(v == p.values[0]);
    for (int k = 1; k < p.count; ++k)
        m |= (V)(v == p.values[k]);
    return m;
}

VT_KERNEL_INLINE bool matchesAt(const ProbeSet &ps, const uint8_t *s)
{
    for (int c = 0; c < ps.formCount; ++c) {
        const CharForms &cf = ps.forms[c];
        const uint8_t *at = s + cf.offset;
        const uint32_t x = uint32_t(at[0]) | (cf.len > 1 ? uint32_t(at[1]) << 8 : 0)
                           | (cf.len > 2 ? uint32_t(at[2]) << 16 : 0);
        if (!((x == cf.packed[0]) | (x == cf.packed[1]) | (x == cf.packed[2]) | (x == cf.packed[3])))
            return false;
    }
    return true;
}

VT_KERNEL_INLINE int popcount(uint64_t x)
{
#if defined(__POPCNT__)
    return __builtin_popcountll(x);
#else
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int((x * 0x0101010101010101ull) >> 56);
#endif
}

template <int W>
size_t findProbes(const unsigned char *s, size_t n, size_t pos, const ProbeSet &ps, long long *lineFeeds)
{
    typedef typename Lanes<W>::V V;
    const V nl = V{} + uint8_t('\n');
    const size_t len = ps.len;
    const size_t o1 = size_t(ps.p1.offset), o2 = size_t(ps.p2.offset);
    const size_t far = o1 > o2 ? o1 : o2;
    long long feeds = 0;
    size_t i = pos;
    for (; i + far + W <= n; i += W) {
        uint64_t bits = bitsOf<W>(inSet<W>(loadV<W>(s + i + o1), ps.p1) & inSet<W>(loadV<W>(s + i + o2), ps.p2));
        const uint64_t lf = bitsOf<W>((V)(loadV<W>(s + i) == nl));
        while (bits) {
            const int b = __builtin_ctzll(bits);
            const size_t at = i + size_t(b);
            if (at + len <= n && matchesAt(ps, s + at)) {
                *lineFeeds = feeds + popcount(lf & ((uint64_t(1) << b) - 1));
                return at;
            }
            bits &= bits - 1;
        }
        feeds += popcount(lf);
    }
    for (; i + len <= n; ++i) {
        if (matchesAt(ps, s + i)) {
            *lineFeeds = feeds;
            return i;
        }
        feeds += s[i] == '\n';
    }
    for (; i < n; ++i)
        feeds += s[i] == '\n';
    *lineFeeds = feeds;
    return n;
}

template <int W>
long long countNewlines(const unsigned char *s, size_t n)
{
    typedef typename Lanes<W>::V V;
    const V nl = V{} + uint8_t('\n');
    long long total = 0;
    size_t i = 0;
    // Long stretches: W byte counters, each taking 1 per line feed, emptied
    // before they can wrap at 255.
    while (i + 8 * W <= n) {
        V acc{};
        const size_t stop = n - (W - 1) < i + 255 * W ? n - (W - 1) : i + 255 * W;
        for (; i < stop; i += W)
            acc -= (V)(loadV<W>(s + i) == nl);
        uint64_t part[W / 8];
        __builtin_memcpy(part, &acc, W);
        for (uint64_t h : part) {
            h = (h & 0x00FF00FF00FF00FFull) + ((h >> 8) & 0x00FF00FF00FF00FFull);
            h = (h & 0x0000FFFF0000FFFFull) + ((h >> 16) & 0x0000FFFF0000FFFFull);
            total += (long long)((h & 0xFFFFFFFFull) + (h >> 32));
        }
    }
    for (; i + W <= n; i += W)
        total += popcount(bitsOf<W>((V)(loadV<W>(s + i) == nl)));
    if (i < n && n >= W) // the rest: the last W bytes, those counted already shifted out
        return total + popcount(bitsOf<W>((V)(loadV<W>(s + n - W) == nl)) >> (W - (n - i)));
    for (; i < n; ++i)
        total += s[i] == '\n';
    return total;
}

template <int W>
size_t nextNewline(const unsigned char *s, size_t n, size_t pos)
{
    typedef typename Lanes<W>::V V;
    const V nl = V{} + uint8_t('\n');
    size_t i = pos;
    for (; i + W <= n; i += W)
        if (const uint64_t bits = bitsOf<W>((V)(loadV<W>(s + i) == nl)))
            return i + size_t(__builtin_ctzll(bits));
    for (; i < n; ++i)
        if (s[i] == '\n')
            return i;
    return n;
}

template <int W>
constexpr Kernels kernelSet()
{
    return Kernels{&checkUtf8<W>, &findProbes<W>, &countNewlines<W>, &nextNewline<W>};
}

#undef VT_KERNEL_INLINE

} // namespace
} // namespace vt::scan
