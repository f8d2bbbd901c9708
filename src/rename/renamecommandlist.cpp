// The quick renames: the two rename submenus, Shift+F9, Ctrl+J and
// Ctrl+Shift+J, the actions window's chooser, and the rule preview.
#include "rename/renamecommands.h"

#include "base/appcontext.h"
#include "base/services.h"
#include "lists/core/listcontroller.h"
#include "rename/core/quickren.h"
#include "rename/doprenform.h"
#include "rename/renprevform.h"
#include "rename/viewcommands.h"
#include "table/core/tablemodel.h"

#include <QThread>

namespace vt {
namespace {

QuickRen quickRen(AppContext &ctx)
{
    // the warning must not be dismissed by the same key press that opens the next question
    return QuickRen(ctx.table(), ctx.ops(), &ctx.lists(), [] { QThread::msleep(500); });
}

void renameFoldersByRule(AppContext &ctx)
{
    if (ctx.busy() || !quickRen(ctx).folderPreCheck())
        return;
    if (!renameByRule(ctx, true, {}))
        return ui().inf(QStringLiteral("Не найдено папок для переименования"));
    ctx.window().showCounters();
}

} // namespace

bool quickRenameFile(AppContext &ctx, RenameTarget target, QString &path, QByteArray *native)
{
    const bool ok = quickRen(ctx).QRename(target, path, native);
    if (ok)
        ctx.window().showCounters();
    return ok;
}

bool renameByRule(AppContext &ctx, bool folders, const std::function<void()> &beforeShow)
{
    TRenPrevForm prev(ctx.table(), ctx.ops(), &ctx.lists(), folders, ctx.window().widget());
    AppContext *c = &ctx;
    prev.openProperties = [c, &prev](const QString &path, bool folder) {
        c->window().viewProperties(path, folder, &prev);
    };
    if (prev.fill(ctx.table().selectedRows()) == 0)
        return false;
    if (beforeShow)
        beforeShow();
    prev.exec();
    return true;
}

bool chooseQuickRename(QWidget *parent, int *index, QString *text)
{
    TDopRenForm chooser(parent);
    if (chooser.exec() != TDopRenForm::kApply)
        return false;
    *index = chooser.itemIndex();
    *text = chooser.itemText();
    return true;
}

void runQuickRename(AppContext &ctx, int index, const QString &text)
{
    if (index >= 0 && index <= 2)
        quickRen(ctx).DopRen(QuickMode(index), false, text);
    else if (index == 3)
        quickRen(ctx).removeExtensions();
    ctx.window().showCounters();
}

void registerRenameCommands(AppContext &ctx)
{
    using B = BusyPolicy;
    CommandTable &t = ctx.commands();
    AppContext *c = &ctx;
    t.add("rename.quick", u"Быстрое переименование (файл)", u"Shift + F9",
          {{Qt::Key_F9, true, false}, {Qt::Key_F9, true, true}}, B::Refuse, [c] {
              QString unused;
              quickRenameFile(*c, RenameTarget::SelectedRow, unused);
          });
    const auto dop = [c](QuickMode mode, const char16_t *title) {
        return [c, mode, title] {
            quickRen(*c).DopRen(mode, false, QString::fromUtf16(title));
            c->window().showCounters();
        };
    };
    t.add("rename.dopSpaces", u"Заменить пробелы на подчеркивание", u"", {}, B::Refuse,
          dop(QuickMode::Spaces, u"Заменить пробелы на подчеркивание"));
    t.add("rename.dopTranslit", u"Перевести имена в транслит", u"", {}, B::Refuse,
          dop(QuickMode::Translit, u"Перевести имена в транслит"));
    t.add("rename.dopExtPlus", u"Добавить расширение", u"", {}, B::Refuse,
          dop(QuickMode::AddExt, u"Добавить расширение"));
    t.add("rename.dopExtDel", u"Удалить расширение", u"", {}, B::Refuse, [c] {
        quickRen(*c).removeExtensions();
        c->window().showCounters();
    });
    t.add("rename.dopHelp", u"Справка по доп. переименованию файлов", u"", {}, B::Refuse,
          [] { QuickRen::showQuickRenameHelp(); });
    t.add("rename.folders", u"По правилу или список/список", u"Ctrl + J", {{Qt::Key_J, false, true}}, B::Refuse,
          [c] { renameFoldersByRule(*c); });
    t.add("rename.folderNames", u"Транслит или замена пробелов", u"Ctrl + Shift + J", {{Qt::Key_J, true, true}},
          B::Refuse, [c] {
              quickRen(*c).renameFolderNames();
              c->window().showCounters();
          });
    t.add("rename.folderHelp", u"Справка по переименованию папок", u"", {}, B::Refuse,
          [] { QuickRen::showFolderRenameHelp(); });
    registerViewCommands(t, ctx.table(), ctx.window().widget(), [c] { return c->window().currentRow(); });
}

} // namespace vt
