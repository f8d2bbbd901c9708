#include "base/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace vt {

bool installQtTranslations()
{
    static QPointer<QTranslator> installed;
    if (installed)
        return true;
    auto *t = new QTranslator(QCoreApplication::instance());
    const QString dirs[] = {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString &dir : dirs) {
        if (t->load(QStringLiteral("qtbase_ru"), dir) && QCoreApplication::installTranslator(t)) {
            installed = t;
            return true;
        }
    }
    delete t;
    return false;
}

} // namespace vt
