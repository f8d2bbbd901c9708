#pragma once
// Upkeep of the table's rows: renumbering the ID column and turning the
// "Папка" column from relative into full paths.
namespace vt {

class AppContext;
class TableModel;

// IDs 1, 2, 3 … in table order; clears the rows-removed flag. ask: the
// question "Перенумеровать колонку ID?" comes first. False when nothing was
// done (empty table: a beep; No). Sound 3 when done.
bool perenum(TableModel &table, bool ask);

// "Папка" := search start folder + "Папка" for every row, and the start
// folder is cleared. False when there was no start folder.
bool convertToFullPaths(TableModel &table);
// The same on the context's table, with the start-folder hint cleared, an
// open snapshot marked changed and a line in the current log (silent: no sound).
void convertFolders(AppContext &ctx, bool silent);

} // namespace vt
