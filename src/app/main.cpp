#include "base/currentlog.h"
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "search/core/headlessfind.h"

#include <QApplication>
#include <cstring>

int main(int argc, char **argv)
{
    // The headless search makes its own core application.
    if (argc > 1 && std::strcmp(argv[1], "--find") == 0)
        return vt::runHeadlessFind(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--paths") == 0)
        return vt::printAppDirs(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vestrada"));
    vt::installQtServices();
    vt::currentLog().start();

    vt::TFileForm form;
    vt::THelpForm help(&form);
    form.setHelpForm(&help);
    form.show();
    return app.exec();
}
