#include "search/core/headlessfind.h"

#include <QApplication>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--find") == 0)
        return vt::runHeadlessFind(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vestrada"));
    return 0;
}
