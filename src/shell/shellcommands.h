#pragma once
// The shell commands of the main window, registered from the shell folder:
// F8 and its variants (run, open with), F9 (the properties window), the file
// manager on the row's folder or the row itself.
namespace vt {

class AppContext;

void registerShellCommands(AppContext &ctx);
// The actions window's "Отправить...": the open-with window on the selected
// rows; true when it closed done.
bool sendSelected(AppContext &ctx);

} // namespace vt
