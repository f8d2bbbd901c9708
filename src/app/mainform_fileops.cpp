// The file operations of the main window: the actions window (F6) with copy
// and move, which need the progress window, the log viewer and the
// conversion of "Папка" from here, and the rule rename of the selected files.
#include "app/logform.h"
#include "app/mainform.h"
#include "app/protectform.h"
#include "base/services.h"
#include "base/settings.h"
#include "fileops/actform.h"
#include "rename/renprevform.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QPushButton>

namespace vt {

void TFileForm::registerFileopsCommands()
{
    m_commands.add("fileops.actions", u"Действия (выбрать)", u"F6", {{Qt::Key_F6, false, false}},
                   BusyPolicy::Refuse, [this] { ShowAct(); });
}

void TFileForm::ShowAct()
{
    TableModel *m = ListView->tableModel();
    CopyMoveHooks h;
    h.preobr = [this] { preobr(false); };
    h.showProgress = [this](int max, const QString &text) { ShowProtect(m_ops, true, max, text); };
    h.updateProgress = [this](int pos) { UpdateProtect(m_ops, pos); };
    h.closeProgress = [this] { CloseProtect(m_ops); };
    h.showLog = [] { ShowLog(0, false); };
    ActHooks a;
    a.saveVtl = [this] { m_commands.run(QStringLiteral("lists.saveVtl")); };
    a.appendVtl = [this] { m_commands.run(QStringLiteral("lists.appendVtl")); };
    TActfrm *act = nullptr;
    a.rename = [this, m, &act] {
        TRenPrevForm prev(*m, m_lists.get(), false, this);
        prev.showLog = [] { ShowLog(0, false); };
        if (prev.fill(m->selectedRows()) == 0) {
            ui().beep();
            act->sbRenFil->setEnabled(false);
            return;
        }
        act->hide();
        prev.exec();
        act->accept();
    };
    const QString lcm = settings().lcm;
    TActfrm f(*m, m_ops, h, a, this);
    act = &f;
    f.setLists(m_lists.get());
    f.setFocusedRow(ListView->currentRow());
    f.exec();
    if (settings().lcm != lcm)
        Savini();
    showCounters();
    if (f.actResult() == ActResult::Marks)
        m_commands.run(QStringLiteral("table.marks"));
}

} // namespace vt
