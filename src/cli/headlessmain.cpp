#include "cli/headlessmain.h"

#include "base/appdirs.h"
#include "base/qttranslations.h"
#include "cli/cli.h"
#include "platform/console.h"
#include "undo/core/headlessundo.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstring>

namespace vt {

int runHeadlessMain(int argc, char **argv)
{
    // The headless modes need no display: a core application only.
    if (argc > 1 && argv[1][0] == '-' && argv[1][1] == '-')
        fs::useStartingConsole();
    if (argc > 1 && std::strcmp(argv[1], "--paths") == 0)
        return printAppDirs(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--undo") == 0)
        return runHeadlessUndo(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--journal") == 0)
        return runHeadlessJournal(argc, argv);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (!wantsHeadless(args))
        return -1;
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vestrada"));
    installQtTranslations();
    return runCli(QCoreApplication::arguments());
}

} // namespace vt
