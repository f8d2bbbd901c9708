#pragma once
// The undo command of the main window (Ctrl+Z): the newest batch of the
// journal that can be taken back, on the context's table and open list.
namespace vt {

class AppContext;

void registerUndoCommands(AppContext &ctx);

} // namespace vt
