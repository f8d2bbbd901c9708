#pragma once
// Menus made from the command table: a layout names command ids in menu
// order, "-" for a separator and ">Title" … "<" for a submenu.
#include <QStringList>

class QMenu;
class QWidget;

namespace vt {

class CommandTable;

// Fills the menu; each item runs its command under the table's busy policy
// and carries the Tag of its first key (1 Shift, 2 Ctrl, 3 both, else 0).
void fillMenu(QMenu *menu, const CommandTable &t, const QStringList &layout);

} // namespace vt
