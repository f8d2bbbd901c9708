#pragma once
// The loops of the text scan that touch every byte, built once for plain
// x86-64 (sixteen bytes at a time) and, where the processor has AVX2, once
// more for thirty-two; the set is picked when first used. Plain data only
// crosses this interface: the wide set is compiled with other instruction
// flags and must share no inline code with the rest of the program.
#include <cstddef>
#include <cstdint>

namespace vt::scan {

// A byte position of the string and every value a case variant puts there.
struct Probe {
    int offset = 0;
    unsigned char values[4] = {};
    int count = 0;
};

// Every spelling of one character of the string, as UTF-8 bytes.
struct CharForms {
    int offset = 0, len = 0, count = 0;
    unsigned char bytes[4][3] = {};
    // Each spelling's bytes as one number (first byte lowest), unused
    // places repeating the first: compared four at once.
    uint32_t packed[4] = {};
    void pack()
    {
        for (int k = 0; k < 4; ++k) {
            const unsigned char *b = bytes[k < count ? k : 0];
            packed[k] = uint32_t(b[0]) | (len > 1 ? uint32_t(b[1]) << 8 : 0) | (len > 2 ? uint32_t(b[2]) << 16 : 0);
        }
    }
};

// What the probe search needs of the string: its two probes, its length in
// bytes and the spellings of its characters, which a candidate place
// (at least len bytes) must match one by one.
struct ProbeSet {
    Probe p1, p2;
    size_t len = 0;
    const CharForms *forms = nullptr;
    int formCount = 0;
};

struct Kernels {
    // True when [s, s + n) is valid UTF-8 (a sequence cut at n is invalid);
    // *nonAscii tells whether any byte was not ASCII.
    bool (*checkUtf8)(const unsigned char *s, size_t n, bool *nonAscii);
    // The first place at or after pos where the string starts, else n;
    // *lineFeeds takes the line feeds between pos and that place.
    size_t (*findProbes)(const unsigned char *s, size_t n, size_t pos, const ProbeSet &ps, long long *lineFeeds);
    // Line feeds in [s, s + n).
    long long (*countNewlines)(const unsigned char *s, size_t n);
    // The first line feed at or after pos, else n.
    size_t (*nextNewline)(const unsigned char *s, size_t n, size_t pos);
};

// The set for this processor.
const Kernels &kernels();
// For tests: the plain set even where a wider one exists (false: back to the choice).
void usePlainKernels(bool on);
// True when the wide set is the one in use.
bool wideKernels();

} // namespace vt::scan
