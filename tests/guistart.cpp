// Every window test starts as the program does: Qt's own texts in Russian
// and window titles shown whole.
#include "base/qttranslations.h"
#include "widgets/wholetitle.h"

#include <QCoreApplication>

static void startAsTheProgram()
{
    vt::installQtTranslations();
    vt::keepTitlesWhole();
}
Q_COREAPP_STARTUP_FUNCTION(startAsTheProgram)
