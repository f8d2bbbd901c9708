#include "lists/core/csvlist.h"

#include "table/core/tablemodel.h"

#include <QFileInfo>

namespace vt {

namespace {

void appendField(QByteArray &out, const QString &cell, char separator)
{
    const QByteArray b = cell.toUtf8();
    if (!b.contains(separator) && !b.contains('"') && !b.contains('\n') && !b.contains('\r')) {
        out += b;
        return;
    }
    out += '"';
    for (char c : b) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

QByteArray csvBytes(const TableModel &table, const QList<int> &rows, char separator)
{
    QByteArray out;
    for (int c = 0; c < ColCount; ++c) {
        if (c)
            out += separator;
        appendField(out, TableModel::caption(c), separator);
    }
    out += "\r\n";
    for (int r : rows) {
        const TableRow &row = table.at(r);
        for (int c = 0; c < ColCount; ++c) {
            if (c)
                out += separator;
            appendField(out, row.cells[size_t(c)], separator);
        }
        out += "\r\n";
    }
    return out;
}

char csvSeparatorFor(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == QLatin1String("csv") ? ',' : ext == QLatin1String("tsv") ? '\t' : 0;
}

} // namespace vt
