// In-process half of bench/vts: reads a VTS snapshot into a table through
// the window's reader and writes the table back as a snapshot with the
// window's writer; prints the medians of the runs in milliseconds.
#include "base/operation.h"
#include "lists/core/listread.h"
#include "lists/core/vtsfile.h"
#include "table/core/tablemodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vt;

static double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fputs("usage: vtsbench LIST.vts OUT.vts [RUNS]\n", stderr);
        return 2;
    }
    const QString list = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    std::vector<double> readMs, writeMs;
    int rows = 0;
    for (int i = 0; i < runs; ++i) {
        TableModel table;
        OperationContext ops;
        QStringList report;
        QElapsedTimer t;
        t.start();
        VtsRead r = readVtsRows(table, list, report, &ops);
        readMs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!r.ok)
            return 1;
        rows = table.size();
        t.restart();
        const ListWrite w = writeVts(out, table, r.header);
        writeMs.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!w.ok)
            return 1;
    }
    std::printf("rows %d read median %.1f write median %.1f\n", rows, median(readMs), median(writeMs));
    return 0;
}
