// The list commands: save to and add to VTL lists through the chooser, open a
// list, VTS snapshots, Ord and Page, the table check and the path forms.
#include "lists/listcommands.h"

#include "base/appcontext.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "base/settings.h"
#include "lists/core/listcontroller.h"
#include "lists/core/listfolder.h"
#include "lists/core/ordstore.h"
#include "lists/core/snapshotdiff.h"
#include "lists/core/tablecheck.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtsfile.h"
#include "lists/favouritecommands.h"
#include "lists/ordform.h"
#include "lists/pathcommands.h"
#include "lists/spisform.h"
#include "lists/vtsform.h"
#include "table/core/tablemodel.h"

namespace vt {
namespace {

void diffWithVts(AppContext &ctx)
{
    TableModel &m = ctx.table();
    const QString path = ui().chooseExistingFile(QStringLiteral("Сравнить со снимком VTS"),
                                                 QStringLiteral("Снимки VTS (*.vts *.VTS)"), QString());
    if (path.isEmpty())
        return;
    TableModel snapshot;
    QStringList report;
    if (!readVtsRows(snapshot, path, report, nullptr).ok) {
        ui().inf(QStringLiteral("Ошибка чтения снимка VTS:\r") + path);
        return;
    }
    const SnapshotDiff d = diffWithSnapshot(m, snapshot);
    {
        SelectionBatch batch(&m);
        m.setAllSelected(false);
        for (const QList<int> *rows : {&d.added, &d.changed})
            for (int i : *rows)
                m.setSelected(i, true);
    }
    CurrentLog &log = ctx.log();
    log.beginOperation(LogKind::SnapshotDiff);
    log.opLog() = snapshotDiffLog(m, snapshot, d, path);
    log.append(log.opLog().first());
    ctx.window().showCounters();
    feedback().showLog();
}

// The single row of an Ord/Page command (-1 several, -2 refused).
int provOrdPage(AppContext &ctx)
{
    const ListKind kind = ctx.lists().kind();
    if (ctx.busy() || (kind != ListKind::Vtl && kind != ListKind::Vts) || !ctx.window().ordLinksShown())
        return -2;
    if (ctx.lists().path().isEmpty()) {
        ui().beep();
        return -2;
    }
    const QList<int> rows = ctx.table().selectedRows();
    if (rows.isEmpty()) {
        ui().inf(QStringLiteral("Не выделены строчки в таблице"));
        return -2;
    }
    feedback().showRow(rows.first());
    return rows.size() > 1 ? -1 : rows.first();
}

void labOrdClick(AppContext &ctx)
{
    const int one = provOrdPage(ctx);
    if (one == -2)
        return;
    const QString store = ordStorePath();
    if (store.isEmpty())
        return;
    QStringList names;
    switch (loadOrdNames(store, &names)) {
    case OrdLoad::Ok: break;
    case OrdLoad::WrongSize: ui().beep(); return;
    case OrdLoad::Unreadable: return;
    }
    TableModel &m = ctx.table();
    const QList<int> rows = m.selectedRows();
    TOrdForm chooser(names, one >= 0 ? int(m.at(one).entry.ord) : 0, int(rows.size()), ctx.window().widget());
    if (chooser.exec() == QDialog::Accepted && setOrdColumn(m, rows, chooser.choice())) {
        ctx.lists().SetlabChanSpis(ChangedState::Changed);
        zv(3);
    }
    // Names edited in the chooser stay edited whatever the choice.
    if (chooser.namesChanged())
        saveOrdNames(store, chooser.names());
}

void labPageClick(AppContext &ctx)
{
    const int one = provOrdPage(ctx);
    if (one == -2)
        return;
    TableModel &m = ctx.table();
    const QList<int> rows = m.selectedRows();
    const QString suffix = rows.size() > 1 ? QStringLiteral(" (строк: ") + QString::number(rows.size()) + QLatin1Char(')')
                                           : QString();
    QString proposed;
    if (one >= 0 && m.at(one).cells[ColPage] != QLatin1String("-"))
        proposed = m.at(one).cells[ColPage];
    const std::optional<QString> typed =
        ui().input(QStringLiteral("Введите число") + suffix, QStringLiteral("От 1 до 2147483647 (0 - удалить)"), proposed);
    if (!typed)
        return;
    const qint64 page = pageAnswer(*typed);
    if (page < 0)
        return;
    if (setPageColumn(m, rows, page)) {
        ctx.lists().SetlabChanSpis(ChangedState::Changed);
        zv(3);
    }
}

void saveToVtlAsk(AppContext &ctx)
{
    TableModel &m = ctx.table();
    const int selected = m.selectedCount();
    if (selected == 0) {
        ui().beep();
        return;
    }
    const YesOk a = ui().vprYesOK(QStringLiteral("Сохранить в список VTL\r[YES]: выделенные (")
                                  + QString::number(selected) + QStringLiteral(")\r[OK]: все (")
                                  + QString::number(m.size()) + QLatin1Char(')'));
    if (a == YesOk::Cancel)
        return;
    const bool onlySelected = a == YesOk::Yes;
    TSpisForm chooser(onlySelected ? ChooserMode::SaveSelected : ChooserMode::SaveAll,
                      onlySelected ? selected : m.size(), ctx.window().widget());
    if (chooser.exec() != QDialog::Accepted)
        return;
    ctx.lists().SaveSpisVTL(onlySelected, false, true, chooser.chosenPath(), chooser.detail());
}

void appSpisRun(AppContext &ctx, const QString &path)
{
    feedback().caption(QStringLiteral("Добавление к списку..."));
    ctx.ops().showProgress(false, 0, QStringLiteral("Добавление к списку, подождите..."));
    {
        OperationContext::Scope busy(ctx.ops());
        ctx.lists().AppSpis(path);
    }
    feedback().caption(QStringLiteral("Vestrada"));
    ctx.ops().closeProgress();
}

void appendToVtl(AppContext &ctx)
{
    ListController &lists = ctx.lists();
    const int selected = ctx.table().selectedCount();
    if (selected <= 0) {
        ui().beep();
        return;
    }
    if (lists.isOpen() && lists.kind() == ListKind::Vts && fillSelectedShortForms(ctx.table()) == 0) {
        ui().inf(QStringLiteral("Невозможно добавить к VTL. Не найдены файлы/папки"));
        return;
    }
    TSpisForm chooser(ChooserMode::Append, selected, ctx.window().widget());
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QString path = chooser.chosenPath();
    if (lists.isOpen() && path.compare(lists.path(), Qt::CaseInsensitive) == 0) {
        ui().inf(QStringLiteral("Этот список открыт в таблице. Добавление запрещено."));
        return;
    }
    appSpisRun(ctx, path);
}

void provCurSpis(AppContext &ctx)
{
    TableModel &m = ctx.table();
    ListController &lists = ctx.lists();
    if (m.size() == 0) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("В таблице после проверки будут выделены:\r- ненайденные файлы/папки\r"
                                  "- измененные по размеру и дате изменения.\rПродолжить?")))
        return;
    CurrentLog &log = ctx.log();
    log.beginOperation(LogKind::ListCheck);
    const QString head = logStamp() + QStringLiteral("Проверка текущего списка (") + QString::number(m.size())
                       + QStringLiteral(" шт.)");
    log.opLog() << head << QString();
    log.append(head);
    CheckResult r;
    {
        OperationContext::Scope busy(ctx.ops());
        r = checkTable(m, log.opLog(), &ctx.ops());
    }
    if (r.corrected > 0 && lists.isOpen() && lists.kind() == ListKind::Vts)
        lists.SetlabChanSpis(ChangedState::Changed);
    const QString summary = QStringLiteral("Исправлено ошибок: ") + QString::number(r.corrected)
                          + QStringLiteral("\r\nНе найдено файлов/папок: ") + QString::number(r.missing);
    ctx.window().showCounters();
    ui().inf(summary);
    log.append(summary + QStringLiteral("\r\n-"));
    bool recount = r.recount;
    if (r.corrected == 0 && r.missing == 0) {
        log.opLog() << QStringLiteral("---") << QStringLiteral("<НЕТ ОШИБОК>");
    } else {
        log.opLog() << summary;
        const YesOk choice = feedback().showLog({LogRows::NotFound, r.missing, m.selectedCount()});
        if (r.missing > 0 && choice != YesOk::Cancel) {
            QList<int> gone;
            for (int i = m.size() - 1; i >= 0; --i)
                if (m.at(i).entry.shortForm.isEmpty())
                    gone << i;
            recount = true;
            if (choice == YesOk::Ok) {
                m.removeRows(gone);
                zv(2);
                if (lists.isOpen())
                    lists.SetlabChanSpis(ChangedState::Changed);
            } else {
                SelectionBatch batch(&m);
                for (int i : gone)
                    m.setSelected(i, false);
                zv(1);
            }
        }
    }
    if (recount)
        ctx.window().recount();
    ctx.window().showCounters();
}

void openSpisAll(AppContext &ctx, ListKind kind)
{
    if (ctx.busy())
        return;
    ctx.window().showListMode(kind);
    ctx.window().startSearch();
}

} // namespace

bool saveVtsAsk(AppContext &ctx)
{
    if (ctx.busy())
        return false;
    if (ctx.table().size() == 0) {
        ui().beep();
        return false;
    }
    TVtsChanForm editor(-1, QString(), false, ctx.window().widget());
    if (editor.exec() != QDialog::Accepted)
        return false;
    return ctx.lists().SaveVTS(false, true, editor.description(), editor.mark());
}

void openListFlow(AppContext &ctx)
{
    const ListKind kind = ctx.window().listModeKind();
    if (kind == ListKind::Vts) {
        const QString folder = listsFolder();
        if (folder.isEmpty())
            return;
        TVtsForm chooser(folder, ctx.window().widget());
        if (chooser.exec() != QDialog::Accepted)
            return;
        ctx.lists().ReadVtS(folder + chooser.chosenFile(), chooser.chosenFile());
        ctx.window().showCounters();
        return;
    }
    if (kind == ListKind::Vtx) {
        readTextList(ctx, QString());
        return;
    }
    if (kind != ListKind::Vtl || listsFolder().isEmpty()) {
        ui().beep();
        return;
    }
    TSpisForm chooser(ChooserMode::Open, 0, ctx.window().widget());
    if (chooser.exec() != QDialog::Accepted)
        return;
    ctx.lists().openList(chooser.chosenPath());
    ctx.window().showCounters();
}

void registerListCommands(AppContext &ctx)
{
    using B = BusyPolicy;
    CommandTable &t = ctx.commands();
    AppContext *c = &ctx;
    t.add("lists.saveVtl", u"Сохранить в список VTL", u"Ctrl + F6", {{Qt::Key_F6, false, true}}, B::Refuse,
          [c] { saveToVtlAsk(*c); });
    t.add("lists.appendVtl", u"Добавить к списку VTL", u"Shift + F6",
          {{Qt::Key_F6, true, false}, {Qt::Key_F6, true, true}}, B::Refuse, [c] { appendToVtl(*c); });
    t.add("lists.openVtl", u"VTL", u"Ctrl + 1", {{Qt::Key_1, false, true}}, B::Refuse,
          [c] { openSpisAll(*c, ListKind::Vtl); });
    t.add("lists.openVtx", u"VTX / M3U", u"Ctrl + 2", {{Qt::Key_2, false, true}}, B::Refuse,
          [c] { openSpisAll(*c, ListKind::Vtx); });
    t.add("lists.openVts", u"VTS", u"Ctrl + 3", {{Qt::Key_3, false, true}}, B::Refuse,
          [c] { openSpisAll(*c, ListKind::Vts); });
    t.add("lists.saveVts", u"Сохранить как список VTS", u"Ctrl + S", {{Qt::Key_S, false, true}}, B::Refuse,
          [c] { saveVtsAsk(*c); });
    t.add("lists.ord", u"Назначить ординал (Ord)", u"Ctrl + O", {{Qt::Key_O, false, true}}, B::Refuse,
          [c] { labOrdClick(*c); });
    t.add("lists.page", u"Назначить номер (Page)", u"Ctrl + P", {{Qt::Key_P, false, true}}, B::Refuse,
          [c] { labPageClick(*c); });
    const struct {
        const char *id;
        const char16_t *caption;
        OrdPageMode mode;
    } modes[] = {{"lists.ordPageHide", u"Прятать Ord и Page", OrdPageMode::Hide},
                 {"lists.ordPageShow", u"Показывать Ord и Page", OrdPageMode::Show},
                 {"lists.ordPageAuto", u"Авто (показывать для списков)", OrdPageMode::Auto},
                 {"lists.ordPageKeep", u"Не менять ширину колонок", OrdPageMode::Keep}};
    for (const auto &m : modes) {
        Command cmd;
        cmd.id = QString::fromLatin1(m.id);
        cmd.caption = QString::fromUtf16(m.caption);
        cmd.run = [c, mode = m.mode] {
            settings().ophs = int(mode);
            c->window().applyOrdPageColumns();
            zv(3);
        };
        cmd.checked = [mode = m.mode] { return settings().ophs == int(mode); };
        t.add(cmd);
    }
    t.add("lists.ordPageRemember", u"Запомнить настройку Ord и Page", u"", {}, B::Refuse,
          [] {
              GetStartDir(StartDir::SaveOrdPage);
              ui().inf(QStringLiteral("Настройки для Ord/Page сохранены"));
          });
    t.add("lists.renumberIds", u"Перенумеровать (кол. ID)", u"", {}, B::Refuse, [c] {
        if (perenum(c->table(), true))
            c->window().showCounters();
    });
    t.add("lists.preobr", u"", u"", {}, B::Refuse, [c] {
        if (c->table().startFolder().isEmpty()) {
            ui().beep();
            return;
        }
        if (ui().vopr(QStringLiteral("Конвертировать колонку \"Папка\" в полный формат пути?")))
            convertFolders(*c, false);
    });
    t.add("lists.checkTable", u"Проверить таблицу", u"Ctrl + F1", {{Qt::Key_F1, false, true}}, B::Refuse,
          [c] { provCurSpis(*c); });
    t.add("lists.diffVts", u"Сравнить со снимком VTS...", u"", {}, B::Refuse, [c] { diffWithVts(*c); });

    registerPathCommands(ctx);
    registerFavouriteCommands(ctx);
}

} // namespace vt
