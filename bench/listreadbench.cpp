// In-process half of bench/listread: reads a VTL list into a table through
// the window's reader (with the operation context serving events) and
// prints the median of the runs in milliseconds.
#include "base/operation.h"
#include "lists/core/listread.h"
#include "table/core/tablemodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vt;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: listreadbench LIST.vtl [RUNS]\n", stderr);
        return 2;
    }
    const QString list = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    std::vector<double> ms;
    int rows = 0, errors = 0;
    for (int i = 0; i < runs; ++i) {
        TableModel table;
        OperationContext ops;
        QStringList report;
        QElapsedTimer t;
        t.start();
        const ListRead r = readListRows(table, list, report, &ops);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        rows = table.size();
        errors = r.errors;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("rows %d errors %d median %.1f\n", rows, errors, ms[ms.size() / 2]);
    return 0;
}
