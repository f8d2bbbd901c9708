// The file operations of the main window: the actions window (F6) with copy
// and move, which need the progress window, the log viewer and the
// conversion of "Папка" from here.
#include "app/logform.h"
#include "app/mainform.h"
#include "app/protectform.h"
#include "base/services.h"
#include "base/settings.h"
#include "fileops/actform.h"
#include "lists/core/textsave.h"
#include "app/qtservices.h"
#include "base/currentlog.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

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
    a.saveText = [m](const QString &quote, const QString &alias, bool aliasUsed, bool temp, int format) {
        TextSaveRequest r;
        r.quote = quote;
        r.replacement = alias;
        r.useReplacement = aliasUsed;
        r.toTemp = temp;
        r.ctrl = ctrlHeld();
        r.shift = shiftHeld();
        r.type = TextType(format);
        return SaveAsTxt(*m, currentLog(), r) != int(YesOk::Cancel);
    };
    const QString lcm = settings().lcm;
    TActfrm f(*m, m_ops, h, a, this);
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
