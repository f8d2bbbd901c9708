#include "rename/viewcommands.h"

#include "rename/colviewform.h"
#include "rename/prosmform.h"

namespace vt {

void registerViewCommands(CommandTable &t, const TableModel &table, QWidget *parent,
                          std::function<int()> currentRow)
{
    using B = BusyPolicy;
    const TableModel *m = &table;
    t.add("rename.view", u"Просмотр (выдел. строчки)", u"Ctrl + Q", {{Qt::Key_Q, false, true}}, B::Refuse,
          [m, parent] { ProsmAndNameFrm(false, *m, parent); });
    t.add("rename.splitter", u"Разделитель имен", u"Shift + Ctrl + Q", {{Qt::Key_Q, true, true}}, B::Refuse,
          [m, parent] { ProsmAndNameFrm(true, *m, parent); });
    t.add("rename.columns", u"Просмотр выбранных колонок", u"Ctrl + I", {{Qt::Key_I, false, true}}, B::Refuse,
          [m, parent, currentRow] { miProsmColsClick(*m, currentRow ? currentRow() : -1, parent); });
}

} // namespace vt
