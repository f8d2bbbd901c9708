#pragma once
// The headless list modes: `vestrada --read LIST` reads a list with the
// window's reader and prints its rows as --find does, then the read-error
// report and the report; --save (after --find or --read) writes the rows with
// the window's writer, its kind from the extension.
#include <QString>

namespace vt {

class TableModel;

// Reads the list into table and prints its rows, the read-error report and
// the report; 0, or 2 when it could not be read.
int readRowsHeadless(const QString &list, TableModel &table);
// 0 saved, 2 not saved, 3 saved with rows left out (told on the error stream).
int saveRowsHeadless(const TableModel &rows, const QString &file);

} // namespace vt
