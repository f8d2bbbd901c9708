#pragma once
// The list commands of the main window, registered from the lists folder:
// VTL lists (save, add to, open) through the chooser, VTS snapshots and the
// comparison with one, Ord and Page, the table check and the path forms, the
// text lists, the paths from outside and the favourite choosers.
#include <QString>

namespace vt {

class AppContext;
enum class ListKind;

void registerListCommands(AppContext &ctx);

// The list-mode branch of the search command: the chooser of the checked
// list type, then the read.
void openListFlow(AppContext &ctx);
// Ctrl+S: the table as a new VTS snapshot; true when it was saved.
bool saveVtsAsk(AppContext &ctx);

} // namespace vt
