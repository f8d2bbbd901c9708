#pragma once
// The headless list modes: `vestrada --read LIST [--save LIST]` reads a list
// with the window's reader and prints its rows as --find does, then the
// read-error report and the report; --save (after --find or --read) writes
// the rows with the window's writer, its kind from the extension.
#include "search/core/headlessfind.h"

#include <QString>

namespace vt {

class TableModel;

// rename: how a trailing `--rename ...` renames the rows (none: refused).
int runHeadlessRead(int argc, char **argv, const HeadlessRename &rename = {});
// 0 saved, 2 not saved, 3 saved with rows left out (told on the error stream).
int saveRowsHeadless(const TableModel &rows, const QString &file);

} // namespace vt
