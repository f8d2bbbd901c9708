#pragma once
// The main window's commands of the text views: Ctrl+Q the view of the
// selected rows, Shift+Ctrl+Q the name splitter, Ctrl+I the column view.
#include "base/commands.h"

#include <functional>

class QWidget;

namespace vt {

class TableModel;

struct ViewCommandHooks {
    std::function<int()> currentRow; // the table's focused row, -1 for none
    std::function<void()> showLog;   // the log viewer on the last action
};

void registerViewCommands(CommandTable &t, const TableModel &table, QWidget *parent, ViewCommandHooks hooks);

} // namespace vt
