#pragma once
// The rows against a VTS snapshot, by full path: new rows, changed ones
// (another size or time), the same, and the snapshot's rows that are gone.
// One pass over each side, so the comparison stays linear in the rows.
#include <QList>
#include <QString>
#include <QStringList>

namespace vt {

class TableModel;

struct SnapshotDiff {
    QList<int> added;    // rows of the table, in table order
    QList<int> changed;
    QList<int> same;
    QList<int> removed;  // rows of the snapshot, in its order
};

SnapshotDiff diffWithSnapshot(const TableModel &rows, const TableModel &snapshot);

// "+", "~", "=" or "-" and the row's full path; what the log viewer shows.
QStringList snapshotDiffLog(const TableModel &rows, const TableModel &snapshot, const SnapshotDiff &d,
                            const QString &snapshotPath);

} // namespace vt
