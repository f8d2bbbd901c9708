#include "platform/terminal.h"

#include <cstdio>
#include <windows.h>

namespace vt::fs {

namespace {

HANDLE consoleIn()
{
    const HANDLE h = ::GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    return h != INVALID_HANDLE_VALUE && h && ::GetConsoleMode(h, &mode) ? h : nullptr;
}

} // namespace

bool stdinIsTerminal() { return consoleIn() != nullptr; }

std::optional<QString> readStdinLine()
{
    // A console gives UTF-16 whatever its code page; redirected input is
    // taken as UTF-8 bytes.
    QString line;
    bool any = false;
    if (const HANDLE h = consoleIn()) {
        wchar_t buf[256];
        DWORD got = 0;
        while (::ReadConsoleW(h, buf, 256, &got, nullptr) && got > 0) {
            any = true;
            line += QString::fromWCharArray(buf, int(got));
            if (line.endsWith(QLatin1Char('\n')))
                break;
        }
    } else {
        QByteArray bytes;
        char buf[256];
        while (std::fgets(buf, sizeof buf, stdin)) {
            bytes += buf;
            if (bytes.endsWith('\n'))
                break;
        }
        any = !bytes.isEmpty();
        line = QString::fromUtf8(bytes);
    }
    if (!any)
        return std::nullopt;
    while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

} // namespace vt::fs
