#pragma once
// The rename commands of the main window, registered from the rename folder:
// Shift+F9 and the two rename submenus (quick renames of files, the folder
// renames, their help), and the text views (viewcommands.h).
#include <QString>
#include <functional>

class QWidget;

namespace vt {

class AppContext;
enum class RenameTarget;

void registerRenameCommands(AppContext &ctx);

// One file by a typed name (QuickRen::QRename); the counters follow.
bool quickRenameFile(AppContext &ctx, RenameTarget target, QString &path, QByteArray *native = nullptr);
// The rule rename's preview over the selected rows (folders: the folder
// flavour); beforeShow runs once there is something to rename. False when
// nothing selected can be renamed.
bool renameByRule(AppContext &ctx, bool folders, const std::function<void()> &beforeShow);
// The quick-rename chooser over parent: false when closed without a choice.
bool chooseQuickRename(QWidget *parent, int *index, QString *text);
// Runs what the chooser handed back.
void runQuickRename(AppContext &ctx, int index, const QString &text);

} // namespace vt
