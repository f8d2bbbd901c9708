#include "base/currentlog.h"
#include "app/firstpaint.h"
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "app/qttranslations.h"
#include "base/appdirs.h"
#include "lists/core/headlesslists.h"
#include "lists/core/pathintake.h"
#include "rename/core/headlessrename.h"
#include "platform/console.h"
#include "search/core/headlessfind.h"
#include "undo/core/headlessundo.h"
#include "widgets/wholetitle.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <cstring>

int main(int argc, char **argv)
{
    // The headless modes make their own core application.
    if (argc > 1 && argv[1][0] == '-' && argv[1][1] == '-')
        vt::fs::useStartingConsole();
    if (argc > 1 && std::strcmp(argv[1], "--find") == 0)
        return vt::runHeadlessFind(argc, argv, vt::saveRowsHeadless, vt::renameRowsHeadless);
    if (argc > 1 && std::strcmp(argv[1], "--read") == 0)
        return vt::runHeadlessRead(argc, argv, vt::renameRowsHeadless);
    if (argc > 1 && std::strcmp(argv[1], "--paths") == 0)
        return vt::printAppDirs(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--undo") == 0)
        return vt::runHeadlessUndo(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--journal") == 0)
        return vt::runHeadlessJournal(argc, argv);

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
