// The file operations: the actions window (F6) with copy, move, delete and
// what it starts elsewhere, the deletions of the table, the size report and
// the folder creation.
#include "fileops/fileopscommands.h"

#include "base/appcontext.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "base/settings.h"
#include "fileops/actform.h"
#include "fileops/core/deletefiles.h"
#include "fileops/core/dircreate.h"
#include "fileops/dircreateform.h"
#include "lists/core/listcontroller.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/textsave.h"
#include "table/core/tablemodel.h"
#include "widgets/keystate.h"

#include <QPushButton>

namespace vt {
namespace {

void showActions(AppContext &ctx)
{
    TableModel &m = ctx.table();
    AppContext *c = &ctx;
    CopyMoveHooks h;
    h.preobr = [c] { convertFolders(*c, false); };
    ActHooks a;
    a.saveVtl = [c] { c->commands().run(QStringLiteral("lists.saveVtl")); };
    a.appendVtl = [c] { c->commands().run(QStringLiteral("lists.appendVtl")); };
    a.saveVts = [c] { return c->window().saveVts(); };
    TActfrm *form = nullptr;
    a.openWith = [c, &form] {
        if (c->window().sendSelected() && form)
            form->accept();
    };
    a.textSearch = [c](const QString &) { return c->window().openTextSearch(); };
    a.openIzb = [c](const QString &current, const QString &tableFolder) {
        return c->window().chooseFavouriteFolder(current, tableFolder, c->window().widget());
    };
    a.deleteFiles = [c, &form](bool permanent) {
        FileDeleter d = deleterFor(*c);
        d.setHideWindow([&form] {
            if (form)
                form->hide();
        });
        return d.deleteSelected(permanent).closeWindow;
    };
    a.rename = [c, &form] {
        if (!c->window().renameByRule([&form] { form->hide(); })) {
            ui().beep();
            form->sbRenFil->setEnabled(false);
            return;
        }
        form->accept();
    };
    int dopIndex = -1;
    QString dopText;
    a.dopRen = [c, &form, &dopIndex, &dopText] {
        return c->window().chooseQuickRename(form ? static_cast<QWidget *>(form) : c->window().widget(),
                                             &dopIndex, &dopText);
    };
    a.saveText = [&m, c](const QString &quote, const QString &alias, bool aliasUsed, bool temp, int format) {
        TextSaveRequest r;
        r.quote = quote;
        r.replacement = alias;
        r.useReplacement = aliasUsed;
        r.toTemp = temp;
        r.ctrl = ctrlHeld();
        r.shift = shiftHeld();
        r.type = TextType(format);
        return SaveAsTxt(m, c->log(), r) != int(YesOk::Cancel);
    };
    const QString lcm = settings().lcm;
    TActfrm f(m, ctx.ops(), h, a, ctx.window().widget());
    form = &f;
    f.setLists(&ctx.lists());
    f.setFocusedRow(ctx.window().currentRow());
    do
        f.exec();
    while (f.takeReopen());
    if (settings().lcm != lcm)
        Savini();
    ctx.window().showCounters();
    if (f.actResult() == ActResult::Marks)
        ctx.commands().run(QStringLiteral("table.marks"));
    else if (f.actResult() == ActResult::DopRen)
        ctx.window().runQuickRename(dopIndex, dopText);
}

} // namespace

FileDeleter deleterFor(AppContext &ctx)
{
    FileDeleter f(ctx.table(), ctx.ops());
    f.setLists(&ctx.lists());
    return f;
}

void registerFileopsCommands(AppContext &ctx)
{
    using B = BusyPolicy;
    CommandTable &t = ctx.commands();
    AppContext *c = &ctx;
    t.add("fileops.actions", u"Действия (выбрать)", u"F6", {{Qt::Key_F6, false, false}}, B::Refuse,
          [c] { showActions(*c); });
    t.add("fileops.sizes", u"Объем выделенных / всех файлов", u"Ctrl + Shift + F4", {{Qt::Key_F4, true, true}},
          B::Refuse, [c] { deleterFor(*c).reportSizes(); });
    t.add("fileops.trashOne", u"Удалить в корзину (файл)", u"Ctrl + F9", {{Qt::Key_F9, false, true}}, B::Refuse,
          [c] {
              const RowPath p = c->window().provList(ProvMode::File);
              const Selection sel = c->table().selection();
              if (p.native.isEmpty() || sel.size() != 1)
                  return;
              if (sel.first().entry.isDir())
                  return ui().beep();
              deleterFor(*c).Del(false, sel.first().row);
          });
    t.add("fileops.selectEmpty", u"Выделить пустые папки (вся таблица)", u"Ctrl + E", {{Qt::Key_E, false, true}},
          B::Refuse, [c] { deleterFor(*c).selectEmptyFolders(); });
    t.add("fileops.emptyFolders", u"Удалить/выделить пустые папки из выделенных", u"Ctrl + D",
          {{Qt::Key_D, false, true}}, B::Refuse, [c] { deleterFor(*c).deleteEmptyFolders(); });
    t.add("fileops.checkPath", u"Проверить/создать путь папки", u"Ctrl + H", {{Qt::Key_H, false, true}}, B::Refuse,
          [] { checkOrCreateTypedPath(); });

    auto *dirCreate = new TDirCreateFrm(ctx, ctx.window().widget());
    t.add("fileops.dirCreate", u"Создать папки по списку", u"", {}, B::Refuse, [dirCreate] { dirCreate->showWindow(); });
}

} // namespace vt
