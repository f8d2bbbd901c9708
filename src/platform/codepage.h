#pragma once
// The characters of code page 1251 (the program's lists and stores), as the
// system's own converter has them: Qt's ICU converter here, the Windows code
// page tables there (Qt for Windows carries no ICU).
#include <array>

namespace vt::fs {

// The character of each byte; 0xFFFD for a byte the code page leaves undefined.
std::array<char16_t, 256> cp1251Chars();

} // namespace vt::fs
