#include "platform/console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace vt::fs {

void useStartingConsole()
{
    // Redirected output already has its handles; only a bare start from a
    // console needs to take that console.
    const bool outMissing = ::GetFileType(::GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN;
    const bool errMissing = ::GetFileType(::GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN;
    if ((outMissing || errMissing) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (outMissing)
            std::freopen("CONOUT$", "w", stdout);
        if (errMissing)
            std::freopen("CONOUT$", "w", stderr);
        ::SetConsoleOutputCP(CP_UTF8);
    }
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

} // namespace vt::fs
