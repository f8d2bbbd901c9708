#pragma once
// One step of the UTF-8 check, shared by the plain scan and the vector
// kernels. Internal linkage on purpose: the kernels built for wider
// processors include it too, and no copy of theirs may stand in for the
// plain build's.
#include <cstddef>
#include <cstdint>

namespace vt::scan {
namespace {

__attribute__((always_inline)) inline bool utf8Continues(uint8_t b) { return (b & 0xC0) == 0x80; }

// The length of the sequence whose lead s[i] (0x80 or above) starts, within
// n bytes; 0 when it is not valid: a stray continuation, an overlong form, a
// surrogate, a value above U+10FFFF or a sequence cut by the end.
__attribute__((always_inline)) inline int utf8SequenceLength(const uint8_t *s, size_t i, size_t n)
{
    const uint8_t b0 = s[i];
    if (b0 < 0xC2)
        return 0;
    if (b0 < 0xE0)
        return i + 1 < n && utf8Continues(s[i + 1]) ? 2 : 0;
    if (b0 < 0xF0)
        return i + 2 < n && utf8Continues(s[i + 1]) && utf8Continues(s[i + 2]) && !(b0 == 0xE0 && s[i + 1] < 0xA0)
                       && !(b0 == 0xED && s[i + 1] >= 0xA0)
                   ? 3
                   : 0;
    return b0 <= 0xF4 && i + 3 < n && utf8Continues(s[i + 1]) && utf8Continues(s[i + 2])
                   && utf8Continues(s[i + 3]) && !(b0 == 0xF0 && s[i + 1] < 0x90) && !(b0 == 0xF4 && s[i + 1] >= 0x90)
               ? 4
               : 0;
}

} // namespace
} // namespace vt::scan
