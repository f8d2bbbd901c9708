#include "base/currentlog.h"
#include "app/firstpaint.h"
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/qttranslations.h"
#include "cli/headlessmain.h"
#include "lists/core/pathintake.h"
#include "widgets/wholetitle.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char **argv)
{
    if (const int code = vt::runHeadlessMain(argc, argv); code >= 0)
        return code;

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
