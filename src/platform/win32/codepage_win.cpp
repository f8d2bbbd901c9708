#include "platform/codepage.h"

#include <windows.h>

namespace vt::fs {

std::array<char16_t, 256> cp1251Chars()
{
    std::array<char16_t, 256> out{};
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        wchar_t c = 0;
        const int n = ::MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &byte, 1, &c, 1);
        out[size_t(b)] = n == 1 ? char16_t(c) : char16_t(0xFFFD);
    }
    return out;
}

} // namespace vt::fs
