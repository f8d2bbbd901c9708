#include "undo/core/undocommands.h"

#include "base/appcontext.h"
#include "undo/core/undo.h"

namespace vt {

void registerUndoCommands(AppContext &ctx)
{
    AppContext *c = &ctx;
    ctx.commands().add("undo.last", u"Отменить последнее действие", u"Ctrl + Z", {{Qt::Key_Z, false, true}},
                       BusyPolicy::Refuse, [c] {
                           Undoer u(c->ops());
                           u.setTable(&c->table());
                           u.setLists(&c->lists());
                           if (u.undoLast().ran)
                               c->window().showCounters();
                       });
}

} // namespace vt
