// The program as started on Linux: the modes without a window run here and
// never load the window libraries (a fifth of a short run went to loading
// them); the window is the program beside this one.
#include "cli/headlessmain.h"
#include "platform/siblingprogram.h"

#include <cstdio>

int main(int argc, char **argv)
{
    const int code = vt::runHeadlessMain(argc, argv);
    if (code >= 0)
        return code;
    vt::fs::runSiblingProgram("vestrada-window", argv);
    std::fputs("Не удалось запустить окно программы: vestrada-window\n", stderr);
    return 127;
}
