#include "base/currentlog.h"
#include "app/firstpaint.h"
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "app/qttranslations.h"
#include "base/appdirs.h"
#include "cli/cli.h"
#include "lists/core/pathintake.h"
#include "platform/console.h"
#include "undo/core/headlessundo.h"
#include "widgets/wholetitle.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstring>

int main(int argc, char **argv)
{
    // The headless modes need no display: a core application only.
    if (argc > 1 && argv[1][0] == '-' && argv[1][1] == '-')
        vt::fs::useStartingConsole();
    if (argc > 1 && std::strcmp(argv[1], "--paths") == 0)
        return vt::printAppDirs(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--undo") == 0)
        return vt::runHeadlessUndo(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--journal") == 0)
        return vt::runHeadlessJournal(argc, argv);
    {
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        if (vt::wantsHeadless(args)) {
            QCoreApplication core(argc, argv);
            QCoreApplication::setApplicationName(QStringLiteral("Vestrada"));
            vt::installQtTranslations();
            return vt::runCli(QCoreApplication::arguments());
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vestrada"));
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.vestrada.vestrada"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("vestrada")));
    vt::installQtTranslations();
    vt::keepTitlesWhole();
    vt::installQtServices();
    vt::currentLog().start();

    vt::TFileForm form;
    QStringList params = app.arguments().mid(1);
    params.removeAll(QStringLiteral("--quit-after-show"));
    // Relative paths name files of the folder the program was started in.
    form.setParameters(vt::absoluteParams(params, QDir::currentPath()));
    vt::THelpForm help(&form);
    form.setHelpForm(&help);
    if (app.arguments().contains(QStringLiteral("--quit-after-show")))
        vt::quitAfterFirstPaint(&form);
    form.show();
    return app.exec();
}
