#include "platform/terminal.h"

#include <cstdio>
#include <unistd.h>

namespace vt::fs {

bool stdinIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

std::optional<QString> readStdinLine()
{
    QByteArray line;
    char buf[256];
    while (std::fgets(buf, sizeof buf, stdin)) {
        line += buf;
        if (line.endsWith('\n'))
            break;
    }
    if (line.isEmpty())
        return std::nullopt;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

} // namespace vt::fs
