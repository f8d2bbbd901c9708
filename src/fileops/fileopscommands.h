#pragma once
// The file-operation commands of the main window, registered from the
// fileops folder: the actions window (F6), the deletions of the table, the
// size report and the folder creation.
class QWidget;

namespace vt {

class AppContext;
class FileDeleter;

// The window of "fileops.dirCreate" lives for the run, under parent.
void registerFileopsCommands(AppContext &ctx);
// The deletions on the context's table and open list.
FileDeleter deleterFor(AppContext &ctx);

} // namespace vt
