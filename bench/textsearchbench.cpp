// In-process timing of the text search over files given on the command line:
// the same Parser the window runs, case-insensitive, with line numbers.
// Prints "<ms> <matching lines per file...>" as "ms path=count" lines.
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "textsearch/core/textsearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        QTextStream(stderr) << "usage: textsearchbench NEEDLE FILE...\n";
        return 2;
    }
    vt::TableModel table;
    vt::AppendState st;
    for (int i = 2; i < args.size(); ++i)
        vt::appendPath(table, st, args[i]);
    table.setAllSelected(true);
    vt::TextSearchOptions o;
    o.numbersLine = true;
    QStringList log;
    QElapsedTimer t;
    t.start();
    vt::Parser(table, args[1], o, log, nullptr);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    QTextStream out(stdout);
    out << "ms " << ms << "\n";
    // Path line, size line, count line for every file with a hit.
    for (int i = 1; i + 2 < log.size(); ++i)
        if (log[i + 2].startsWith(QStringLiteral("Число строк, где найдено вхождение: ")))
            out << log[i] << '=' << log[i + 2].section(QStringLiteral(": "), 1) << "\n";
    return 0;
}
