// Running and opening the current row, the open-with window, the file
// manager and the properties window (F8, F9, the explorer button).
#include "shell/shellcommands.h"

#include "base/appcontext.h"
#include "base/services.h"
#include "shell/core/openwith.h"
#include "shell/core/shellrun.h"
#include "shell/svvform.h"
#include "table/core/tablemodel.h"

#include <QApplication>
#include <QPointer>

namespace vt {
namespace {

// The Page cell of the table's current row.
QString currentPage(AppContext &ctx)
{
    const TableModel &m = ctx.table();
    const int row = ctx.window().currentRow();
    return row >= 0 && row < m.size() ? m.at(row).cells[ColPage] : QString();
}

void openWithRow(AppContext &ctx, const QString &path)
{
    ctx.window().openWith(true, {path}, currentPage(ctx), ctx.window().widget());
}

void runRow(AppContext &ctx, const QString &path)
{
    // A path the desktop cannot run or open goes to the open-with window; the
    // desktop may answer after another command has started: that one goes on.
    AppContext *c = &ctx;
    pusk(true, path, {}, [c, window = QPointer<QWidget>(ctx.window().widget()), path](bool ok) {
        if (!ok && window && !c->busy() && !QApplication::activeModalWidget())
            openWithRow(*c, path);
    });
}

void showProperties(AppContext &ctx)
{
    const RowPath p = ctx.window().provList(ProvMode::Any);
    if (p.isEmpty())
        return;
    const Selection sel = ctx.table().selection();
    const int row = sel.first().row;
    const bool folder = sel.first().entry.isDir();
    AppContext *c = &ctx;
    SvvHooks h;
    // the window shows text; the rename goes by the row's bytes
    h.rename = [c, native = p.native](QString &path) mutable { return c->window().quickRename(path, &native); };
    h.del = [c, row](bool permanent) { return c->window().deleteRow(permanent, row); };
    h.send = [c] { c->commands().run(QStringLiteral("shell.openWith")); };
    Tsvvfrm f(std::move(h), ctx.window().widget());
    f.InitTxt(p.text);
    f.setFolder(folder);
    f.exec();
    if (f.result() == SvvResult::Actions)
        ctx.commands().run(QStringLiteral("fileops.actions"));
}

} // namespace

bool sendSelected(AppContext &ctx)
{
    const TableModel &m = ctx.table();
    const SendText s = sendText(m, m.selection());
    if (s.text.isEmpty())
        return false;
    return ctx.window().openWith(s.paths.size() == 1, s.paths, currentPage(ctx), ctx.window().widget());
}

void registerShellCommands(AppContext &ctx)
{
    using B = BusyPolicy;
    CommandTable &t = ctx.commands();
    AppContext *c = &ctx;
    t.add("shell.runAsk", u"Выполнить / отправить", u"F8", {{Qt::Key_F8, false, false}}, B::Refuse, [c] {
        const RowPath p = c->window().provList(ProvMode::Any);
        if (p.isEmpty())
            return;
        const YesOk a = ui().vprYesOK(QStringLiteral("Файл/папка:\r") + p.text
                                      + QStringLiteral("\r---\rВыберите действие:\r[Yes]: выполнить файл/папку"
                                                       "\r[OK]: открыть с помощью"));
        if (a == YesOk::Yes)
            runRow(*c, p.text);
        else if (a == YesOk::Ok)
            openWithRow(*c, p.text);
    });
    t.add("shell.run", u"", u"", {{Qt::Key_F8, true, false}, {Qt::Key_F8, true, true}}, B::Refuse, [c] {
        const RowPath p = c->window().provList(ProvMode::Any);
        if (!p.isEmpty())
            runRow(*c, p.text);
    });
    t.add("shell.openWith", u"", u"", {{Qt::Key_F8, false, true}}, B::Refuse, [c] {
        const RowPath p = c->window().provList(ProvMode::Any);
        if (!p.isEmpty())
            openWithRow(*c, p.text);
    });
    t.add("shell.properties", u"Свойства (выбрать)", u"F9", {{Qt::Key_F9, false, false}}, B::Refuse,
          [c] { showProperties(*c); });
    t.add("shell.explorer", u"Проводник (см. кол. \"Папка\")", u"", {}, B::Refuse, [c] {
        const RowPath p = c->window().provList(ProvMode::Folder);
        if (!p.isEmpty())
            pusk(false, p.text);
    });
    t.add("shell.findInExplorer", u"Найти в проводнике (см. кол. \"Имя\")", u"", {}, B::Refuse, [c] {
        const RowPath p = c->window().provList(ProvMode::Any);
        if (!p.isEmpty())
            ExtFnd(p.text);
    });
}

} // namespace vt
