#include "platform/codepage.h"

#include <QStringDecoder>

namespace vt::fs {

std::array<char16_t, 256> cp1251Chars()
{
    std::array<char16_t, 256> out{};
    QStringDecoder dec("windows-1251");
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString s = dec.decode(QByteArrayView(&byte, 1));
        out[size_t(b)] = s.size() == 1 ? s.at(0).unicode() : char16_t(0xFFFD);
    }
    return out;
}

} // namespace vt::fs
