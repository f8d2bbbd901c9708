// Undo of the main window: the newest batch of the journal that can be taken
// back, on this window's table (progress and log viewer come with the context
// and the feedback service).
#include "app/mainform.h"
#include "table/resulttable.h"
#include "undo/core/undo.h"

namespace vt {

void TFileForm::registerUndoCommands()
{
    m_commands.add("undo.last", u"Отменить последнее действие", u"Ctrl + Z", {{Qt::Key_Z, false, true}},
                   BusyPolicy::Refuse, [this] {
                       Undoer u(m_ops);
                       u.setTable(ListView->tableModel());
                       u.setLists(m_lists.get());
                       if (u.undoLast().ran)
                           showCounters();
                   });
}

} // namespace vt
