#pragma once
// The main window's commands of the text views: Ctrl+Q the view of the
// selected rows, Shift+Ctrl+Q the name splitter, Ctrl+I the column view.
#include "base/commands.h"

#include <functional>

class QWidget;

namespace vt {

class TableModel;

// currentRow: the table's focused row, -1 for none.
void registerViewCommands(CommandTable &t, const TableModel &table, QWidget *parent,
                          std::function<int()> currentRow);

} // namespace vt
