#include "lists/core/snapshotdiff.h"

#include "base/currentlog.h"
#include "platform/dirreader.h"
#include "table/core/tablemodel.h"

#include <QHash>

namespace vt {

namespace {

QString pathText(const TableModel &t, int row)
{
    const QByteArray &p = t.fullPath(row);
    return fs::displayName(std::string_view(p.constData(), size_t(p.size())));
}

// Size and time as the snapshot keeps them: the cells.
bool sameState(const TableRow &a, const TableRow &b)
{
    return a.cells[ColByte] == b.cells[ColByte] && a.cells[ColModified] == b.cells[ColModified];
}

} // namespace

SnapshotDiff diffWithSnapshot(const TableModel &rows, const TableModel &snapshot)
{
    QHash<QByteArray, int> before;
    before.reserve(snapshot.size());
    for (int i = 0; i < snapshot.size(); ++i)
        before.insert(snapshot.fullPath(i), i);
    SnapshotDiff d;
    QList<bool> seen(snapshot.size(), false);
    for (int i = 0; i < rows.size(); ++i) {
        const auto it = before.constFind(rows.fullPath(i));
        if (it == before.constEnd()) {
            d.added << i;
            continue;
        }
        seen[*it] = true;
        (sameState(rows.at(i), snapshot.at(*it)) ? d.same : d.changed) << i;
    }
    for (int i = 0; i < snapshot.size(); ++i)
        if (!seen[i])
            d.removed << i;
    return d;
}

QStringList snapshotDiffLog(const TableModel &rows, const TableModel &snapshot, const SnapshotDiff &d,
                            const QString &snapshotPath)
{
    QStringList log{logStamp() + QStringLiteral("Сравнение со снимком VTS:\r\n") + snapshotPath, QStringLiteral("-")};
    const auto group = [&](const QString &title, const TableModel &t, const QList<int> &list, const char *mark) {
        log << title + QString::number(list.size());
        for (int i : list)
            log << QLatin1String(mark) + pathText(t, i);
        log << QStringLiteral("___");
    };
    group(QStringLiteral("Новые (нет в снимке): "), rows, d.added, "+ ");
    group(QStringLiteral("Изменены (размер или время): "), rows, d.changed, "~ ");
    group(QStringLiteral("Нет в таблице (есть в снимке): "), snapshot, d.removed, "- ");
    log << QStringLiteral("Без изменений: ") + QString::number(d.same.size());
    return log;
}

} // namespace vt
