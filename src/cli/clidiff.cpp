// `--diff SNAPSHOT.vts [--all]`: the rows against a snapshot by full path,
// one line per path: "+" new, "-" gone, "~" another size or time ("=" the
// same, with --all), then the cells.
#include "cli/cliactions.h"

#include "lists/core/snapshotdiff.h"
#include "lists/core/vtsfile.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <cstdio>

namespace vt {

int cliDiff(CliRun &r)
{
    const QString path = QDir(r.value("diff")).absolutePath();
    TableModel snapshot;
    QStringList report;
    const VtsRead read = readVtsRows(snapshot, path, report, nullptr);
    if (!read.ok) {
        printErr(QStringLiteral("Ошибка чтения снимка VTS:\r") + plainCell(path));
        return 2;
    }
    const SnapshotDiff d = diffWithSnapshot(r.rows, snapshot);
    QByteArray out;
    const auto lines = [&out](const char *mark, const TableModel &t, const QList<int> &list) {
        for (int i : list) {
            const TableRow &row = t.at(i);
            out += QByteArray(mark) + '\t' + plainRow(QStringList(row.cells.begin(), row.cells.end()));
        }
    };
    lines("+", r.rows, d.added);
    lines("~", r.rows, d.changed);
    if (r.isSet("all"))
        lines("=", r.rows, d.same);
    lines("-", snapshot, d.removed);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    printOut(QStringLiteral("Новые: %1, изменены: %2, нет в таблице: %3, без изменений: %4")
                 .arg(d.added.size()).arg(d.changed.size()).arg(d.removed.size()).arg(d.same.size()));
    std::fflush(stdout);
    return d.added.isEmpty() && d.changed.isEmpty() && d.removed.isEmpty() ? 0 : 1;
}

} // namespace vt
