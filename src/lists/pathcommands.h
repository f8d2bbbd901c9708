#pragma once
// Paths that reach the table from outside a search, as commands: "Добавить"
// and its menu, the command-line tools of the program menu, and the VTX/M3U
// text lists (the open dialog, the quick save into TEMP, the Texts folder).
#include <QString>

namespace vt {

class AppContext;

void registerPathCommands(AppContext &ctx);
// "Добавить": Ctrl types a path, Shift chooses a folder, plain chooses files.
void addToTable(AppContext &ctx, bool shift, bool ctrl);
// Reads a VTX/M3U list; an empty path opens the dialog first.
void readTextList(AppContext &ctx, const QString &path);

} // namespace vt
