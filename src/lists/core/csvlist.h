#pragma once
// The rows as a table for spreadsheets: the eleven columns with a header
// line, comma-separated (CSV, RFC 4180) or tab-separated (TSV), UTF-8, lines
// ending CR LF; a field holding the separator, a quote or a line break is
// quoted, its quotes doubled.
#include <QByteArray>
#include <QList>
#include <QString>

namespace vt {

class TableModel;

QByteArray csvBytes(const TableModel &table, const QList<int> &rows, char separator);
// The separator a file's extension asks for (',' for .csv, '\t' for .tsv), 0 for others.
char csvSeparatorFor(const QString &path);

} // namespace vt
