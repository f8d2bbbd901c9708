#pragma once
// Rows for table tests, built cell by cell as the search would build them.
#include "table/core/tablemodel.h"

#include <QString>

namespace vt::test {

inline TableRow fileRow(int id, const QString &folder, const QString &name, qint64 size,
                        const QString &modified = QStringLiteral("01.02.2024 10:00:00"),
                        const QString &short83 = QString())
{
    TableRow r;
    r.cells[ColID] = QString::number(id);
    r.cells[ColFolder] = folder;
    r.cells[ColName] = name;
    r.cells[ColType] = typeText(name, false);
    r.cells[ColSize] = tableSizeText(size);
    r.cells[ColByte] = QString::number(size);
    r.cells[Col83] = short83.isEmpty() ? (QStringLiteral("/T/") + folder + name).toUpper() : short83;
    r.cells[ColModified] = modified;
    r.cells[ColOrd] = QStringLiteral("-");
    r.cells[ColPage] = QStringLiteral("-");
    r.cells[ColAttrs] = QString();
    return r;
}

inline TableRow dirRow(int id, const QString &folder, const QString &name,
                       const QString &modified = QStringLiteral("01.02.2024 10:00:00"),
                       const QString &short83 = QString())
{
    TableRow r = fileRow(id, folder, name, 0, modified, short83);
    r.cells[ColType] = dirType();
    r.cells[ColAttrs] = QStringLiteral("Directory ");
    return r;
}

// Column texts of all rows, top to bottom.
inline QStringList column(const TableModel &m, int col)
{
    QStringList out;
    for (const TableRow &r : m.rows())
        out << r.cells[size_t(col)];
    return out;
}

inline QStringList ids(const TableModel &m) { return column(m, ColID); }

} // namespace vt::test
