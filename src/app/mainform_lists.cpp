// The main window's list commands: save to and add to VTL lists through the
// chooser, open a list, the list group, and the path forms of the table.
#include "app/mainform.h"

#include "app/logform.h"
#include "app/protectform.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "base/settings.h"
#include "lists/core/listfolder.h"
#include "lists/core/ordstore.h"
#include "lists/core/snapshotdiff.h"
#include "lists/core/tablecheck.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtsfile.h"
#include "lists/listgroup.h"
#include "lists/ordform.h"
#include "lists/savevtxform.h"
#include "lists/spisform.h"
#include "lists/vtsform.h"
#include "search/searchpanel.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "table/tablecommands.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace vt {
namespace {

// The shown widths of the Ord and Page columns, kept on the view.
const char kOrdWidth[] = "vtOrdWidth";
const char kPageWidth[] = "vtPageWidth";

} // namespace

void TFileForm::buildLists()
{
    ListHooks h;
    h.report = [this](StopFlag stop, int errors) {
        search().setStopFlag(stop);
        search().ress(errors);
        showCounters();
    };
    h.showListMode = [this](ListKind kind) {
        showListMode(kind);
        panBot->setFocus();
    };
    h.clearView = [this] { panTop->SetDirPath(QString()); };
    h.setDirPath = [this](const QString &folder) { panTop->SetDirPath(folder); };
    h.setVtsLook = [this](bool on) { SetVtsIs(on); };
    h.vprVtx = [this](const QString &path, bool incomplete, bool *relative) {
        return VprVtx(path, incomplete, relative, this);
    };
    h.showInFileManager = [](const QString &path) { ExtFnd(path); };
    m_lists = std::make_unique<ListController>(*ListView->tableModel(), m_ops, currentLog(), std::move(h), this);
    m_listGroup = new ListGroup(*m_lists, panTop->gbAllSpis, panTop->labAllSpis, panTop->wAllSpisTools);
    connect(m_listGroup, &ListGroup::renameClicked, this, [this] {
        if (busy() || !m_lists->provSpisOpen(false, true, true))
            return;
        QString path = m_lists->path();
        if (QRename(1, path))
            m_lists->renamed(path);
    });
    connect(m_lists.get(), &ListController::stateChanged, this, [this] {
        panTop->setListOpen(m_lists->isOpen());
        const bool ordPage = m_lists->isOpen()
                          && (m_lists->kind() == ListKind::Vtl || m_lists->kind() == ListKind::Vts);
        // VisOrdPage
        labOrd->setVisible(ordPage);
        labPage->setVisible(ordPage);
        SetuOrdPage();
        SetVtsIs(m_lists->isOpen() && m_lists->kind() == ListKind::Vts);
    });
    ListView->setProperty(kOrdWidth, ListView->columnWidth(ColOrd));
    ListView->setProperty(kPageWidth, ListView->columnWidth(ColPage));
    auto *ordLink = new OrdLink(labOrd, QStringLiteral("ord"),
                                QStringLiteral("Назначить ординал (от 1 до 255) для списка VTL / VTS: Ctrl + O"),
                                QColor(255, 128, 64));
    auto *pageLink = new OrdLink(labPage, QStringLiteral("page"),
                                 QStringLiteral("Любой номер (от 1 до 2147483647) для списка VTL / VTS: Ctrl + P"),
                                 QColor(0, 128, 192));
    connect(ordLink, &OrdLink::clicked, this, [this] { m_commands.run(QStringLiteral("lists.ord")); });
    connect(pageLink, &OrdLink::clicked, this, [this] { m_commands.run(QStringLiteral("lists.page")); });
    // Rows taken out of an open list's table change the list.
    connect(tableCommands, &TableCommands::rowsRemoved, this, [this] {
        if (m_lists->isOpen())
            m_lists->SetlabChanSpis(ChangedState::Changed);
    });
}

void TFileForm::registerListCommands()
{
    using B = BusyPolicy;
    CommandTable &t = m_commands;
    t.add("lists.saveVtl", u"Сохранить в список VTL", u"Ctrl + F6", {{Qt::Key_F6, false, true}}, B::Refuse,
          [this] { saveToVtlAsk(); });
    t.add("lists.appendVtl", u"Добавить к списку VTL", u"Shift + F6",
          {{Qt::Key_F6, true, false}, {Qt::Key_F6, true, true}}, B::Refuse, [this] { appendToVtl(); });
    t.add("lists.openVtl", u"VTL", u"Ctrl + 1", {{Qt::Key_1, false, true}}, B::Refuse,
          [this] { OpenSpisAll(ListKind::Vtl); });
    t.add("lists.openVtx", u"VTX / M3U", u"Ctrl + 2", {{Qt::Key_2, false, true}}, B::Refuse,
          [this] { OpenSpisAll(ListKind::Vtx); });
    t.add("lists.openVts", u"VTS", u"Ctrl + 3", {{Qt::Key_3, false, true}}, B::Refuse,
          [this] { OpenSpisAll(ListKind::Vts); });
    t.add("lists.saveVts", u"Сохранить как список VTS", u"Ctrl + S", {{Qt::Key_S, false, true}}, B::Refuse,
          [this] { SaveVTSBefore(); });
    t.add("lists.ord", u"Назначить ординал (Ord)", u"Ctrl + O", {{Qt::Key_O, false, true}}, B::Refuse,
          [this] { labOrdClick(); });
    t.add("lists.page", u"Назначить номер (Page)", u"Ctrl + P", {{Qt::Key_P, false, true}}, B::Refuse,
          [this] { labPageClick(); });
    const struct {
        const char *id;
        const char16_t *caption;
        int mode;
    } modes[] = {{"lists.ordPageHide", u"Прятать Ord и Page", OrdPageHide},
                 {"lists.ordPageShow", u"Показывать Ord и Page", OrdPageShow},
                 {"lists.ordPageAuto", u"Авто (показывать для списков)", OrdPageAuto},
                 {"lists.ordPageKeep", u"Не менять ширину колонок", OrdPageKeep}};
    for (const auto &m : modes) {
        Command c;
        c.id = QString::fromLatin1(m.id);
        c.caption = QString::fromUtf16(m.caption);
        c.run = [this, mode = m.mode] { miOrdPageHideClick(mode); };
        c.checked = [mode = m.mode] { return settings().ophs == mode; };
        t.add(c);
    }
    t.add("lists.ordPageRemember", u"Запомнить настройку Ord и Page", u"", {}, B::Refuse,
          [this] { OrdPage1Click(); });
    t.add("lists.renumberIds", u"Перенумеровать (кол. ID)", u"", {}, B::Refuse, [this] {
        if (perenum(*ListView->tableModel(), true))
            showCounters();
    });
    t.add("lists.preobr", u"", u"", {}, B::Refuse, [this] { sbPreobrClick(); });
    t.add("lists.checkTable", u"Проверить таблицу", u"Ctrl + F1", {{Qt::Key_F1, false, true}}, B::Refuse,
          [this] { ProvCurSpis(); });
    t.add("lists.diffVts", u"Сравнить со снимком VTS...", u"", {}, B::Refuse, [this] { diffWithVts(); });
}

void TFileForm::diffWithVts()
{
    TableModel *m = ListView->tableModel();
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
    const SnapshotDiff d = diffWithSnapshot(*m, snapshot);
    {
        SelectionBatch batch(m);
        m->setAllSelected(false);
        for (const QList<int> *rows : {&d.added, &d.changed})
            for (int i : *rows)
                m->setSelected(i, true);
    }
    CurrentLog &log = currentLog();
    log.beginOperation(kSnapshotDiff);
    log.opLog() = snapshotDiffLog(*m, snapshot, d, path);
    log.append(log.opLog().first());
    showCounters();
    feedback().showLog();
}

void TFileForm::showListMode(ListKind kind)
{
    panTop->setListMode(true);
    (kind == ListKind::Vtx ? panTop->rbMdVTX : kind == ListKind::Vts ? panTop->rbMdVTS : panTop->rbMdVTL)
        ->setChecked(true);
}

void TFileForm::OpenSpisAll(ListKind kind)
{
    if (busy())
        return;
    showListMode(kind);
    StartFind();
}

void TFileForm::openListFlow()
{
    if (panTop->rbMdVTS->isChecked()) {
        const QString folder = listsFolder();
        if (folder.isEmpty())
            return;
        TVtsForm chooser(folder, this);
        if (chooser.exec() != QDialog::Accepted)
            return;
        m_lists->ReadVtS(folder + chooser.chosenFile(), chooser.chosenFile());
        showCounters();
        return;
    }
    if (panTop->rbMdVTX->isChecked()) {
        ReadVtx(QString());
        return;
    }
    if (!panTop->rbMdVTL->isChecked()) {
        ui().beep();
        return;
    }
    if (listsFolder().isEmpty()) {
        ui().beep();
        return;
    }
    TSpisForm chooser(ChooserMode::Open, 0, this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    m_lists->openList(chooser.chosenPath());
    showCounters();
}

bool TFileForm::SaveVTSBefore()
{
    if (busy())
        return false;
    if (ListView->tableModel()->size() == 0) {
        ui().beep();
        return false;
    }
    TVtsChanForm editor(-1, QString(), false, this);
    if (editor.exec() != QDialog::Accepted)
        return false;
    return m_lists->SaveVTS(false, true, editor.description(), editor.mark());
}

void TFileForm::SetVtsIs(bool on)
{
    QPalette pal = ListView->palette();
    const QColor base = on ? vtsColour() : QColor(Qt::white);
    if (pal.color(QPalette::Base) != base) {
        pal.setColor(QPalette::Base, base);
        ListView->setPalette(pal);
    }
    panTop->sbAddList->setEnabled(!on);
}

int TFileForm::provOrdPage()
{
    const ListKind kind = m_lists->kind();
    if (busy() || (kind != ListKind::Vtl && kind != ListKind::Vts) || labOrd->isHidden())
        return -2;
    if (m_lists->path().isEmpty()) {
        ui().beep();
        return -2;
    }
    const QList<int> rows = ListView->tableModel()->selectedRows();
    if (rows.isEmpty()) {
        ui().inf(QStringLiteral("Не выделены строчки в таблице"));
        return -2;
    }
    ListView->scrollToRow(rows.first());
    return rows.size() > 1 ? -1 : rows.first();
}

void TFileForm::labOrdClick()
{
    const int one = provOrdPage();
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
    TableModel *m = ListView->tableModel();
    const QList<int> rows = m->selectedRows();
    TOrdForm chooser(names, one >= 0 ? int(m->at(one).entry.ord) : 0, int(rows.size()), this);
    if (chooser.exec() == QDialog::Accepted && setOrdColumn(*m, rows, chooser.choice())) {
        m_lists->SetlabChanSpis(ChangedState::Changed);
        zv(3);
    }
    // Names edited in the chooser stay edited whatever the choice.
    if (chooser.namesChanged())
        saveOrdNames(store, chooser.names());
}

void TFileForm::labPageClick()
{
    const int one = provOrdPage();
    if (one == -2)
        return;
    TableModel *m = ListView->tableModel();
    const QList<int> rows = m->selectedRows();
    const QString suffix = rows.size() > 1 ? QStringLiteral(" (строк: ") + QString::number(rows.size()) + QLatin1Char(')')
                                           : QString();
    QString proposed;
    if (one >= 0 && m->at(one).cells[ColPage] != QLatin1String("-"))
        proposed = m->at(one).cells[ColPage];
    const std::optional<QString> typed =
        ui().input(QStringLiteral("Введите число") + suffix, QStringLiteral("От 1 до 2147483647 (0 - удалить)"), proposed);
    if (!typed)
        return;
    const qint64 page = pageAnswer(*typed);
    if (page < 0)
        return;
    if (setPageColumn(*m, rows, page)) {
        m_lists->SetlabChanSpis(ChangedState::Changed);
        zv(3);
    }
}

void TFileForm::SetuOrdPage()
{
    const std::optional<bool> shown = ordColumnsShown(settings().ophs, !labOrd->isHidden());
    if (!shown)
        return;
    const std::pair<int, const char *> cols[] = {{ColOrd, kOrdWidth}, {ColPage, kPageWidth}};
    for (const auto &[col, key] : cols) {
        if (ListView->isColumnHidden(col) != *shown)
            continue;
        ListView->setColumnHidden(col, !*shown);
        const int width = ListView->property(key).toInt();
        if (*shown)
            ListView->setColumnWidth(col, width > 0 ? width : ResultTable::startWidth(col));
    }
}

void TFileForm::miOrdPageHideClick(int mode)
{
    settings().ophs = mode;
    SetuOrdPage();
    zv(3);
}

void TFileForm::OrdPage1Click()
{
    GetStartDir(-1);
    ui().inf(QStringLiteral("Настройки для Ord/Page сохранены"));
}

void TFileForm::applyOrdPageAtStart() { SetuOrdPage(); }

void TFileForm::saveToVtlAsk()
{
    TableModel *m = ListView->tableModel();
    const int selected = m->selectedCount();
    if (selected == 0) {
        ui().beep();
        return;
    }
    const YesOk a = ui().vprYesOK(QStringLiteral("Сохранить в список VTL\r[YES]: выделенные (")
                                  + QString::number(selected) + QStringLiteral(")\r[OK]: все (")
                                  + QString::number(m->size()) + QLatin1Char(')'));
    if (a == YesOk::Cancel)
        return;
    const bool onlySelected = a == YesOk::Yes;
    TSpisForm chooser(onlySelected ? ChooserMode::SaveSelected : ChooserMode::SaveAll,
                      onlySelected ? selected : m->size(), this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    m_lists->SaveSpisVTL(onlySelected, false, true, chooser.chosenPath(), chooser.detail());
}

void TFileForm::appendToVtl()
{
    const int selected = ListView->tableModel()->selectedCount();
    if (selected <= 0) {
        ui().beep();
        return;
    }
    if (m_lists->isOpen() && m_lists->kind() == ListKind::Vts
        && fillSelectedShortForms(*ListView->tableModel()) == 0) {
        ui().inf(QStringLiteral("Невозможно добавить к VTL. Не найдены файлы/папки"));
        return;
    }
    TSpisForm chooser(ChooserMode::Append, selected, this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QString path = chooser.chosenPath();
    if (m_lists->isOpen() && path.compare(m_lists->path(), Qt::CaseInsensitive) == 0) {
        ui().inf(QStringLiteral("Этот список открыт в таблице. Добавление запрещено."));
        return;
    }
    AppSpisRun(path);
}

void TFileForm::AppSpisRun(const QString &path)
{
    setWindowTitle(QStringLiteral("Добавление к списку..."));
    m_ops.showProgress(false, 0, QStringLiteral("Добавление к списку, подождите..."));
    {
        OperationContext::Scope busy(m_ops);
        m_lists->AppSpis(path);
    }
    setWindowTitle(QStringLiteral("Vestrada"));
    m_ops.closeProgress();
}

void TFileForm::ProvCurSpis()
{
    TableModel *m = ListView->tableModel();
    if (m->size() == 0) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("В таблице после проверки будут выделены:\r- ненайденные файлы/папки\r"
                                  "- измененные по размеру и дате изменения.\rПродолжить?")))
        return;
    CurrentLog &log = currentLog();
    log.beginOperation(kListCheck);
    const QString head = logStamp() + QStringLiteral("Проверка текущего списка (") + QString::number(m->size())
                       + QStringLiteral(" шт.)");
    log.opLog() << head << QString();
    log.append(head);
    CheckResult r;
    {
        OperationContext::Scope busy(m_ops);
        r = checkTable(*m, log.opLog(), &m_ops);
    }
    if (r.corrected > 0 && m_lists->isOpen() && m_lists->kind() == ListKind::Vts)
        m_lists->SetlabChanSpis(ChangedState::Changed);
    const QString summary = QStringLiteral("Исправлено ошибок: ") + QString::number(r.corrected)
                          + QStringLiteral("\r\nНе найдено файлов/папок: ") + QString::number(r.missing);
    showCounters();
    ui().inf(summary);
    log.append(summary + QStringLiteral("\r\n-"));
    bool recount = r.recount;
    if (r.corrected == 0 && r.missing == 0) {
        log.opLog() << QStringLiteral("---") << QStringLiteral("<НЕТ ОШИБОК>");
    } else {
        log.opLog() << summary;
        const YesOk choice = showLog({LogRows::NotFound, r.missing, m->selectedCount()});
        if (r.missing > 0 && choice != YesOk::Cancel) {
            QList<int> gone;
            for (int i = m->size() - 1; i >= 0; --i)
                if (m->at(i).entry.shortForm.isEmpty())
                    gone << i;
            recount = true;
            if (choice == YesOk::Ok) {
                m->removeRows(gone);
                zv(2);
                if (m_lists->isOpen())
                    m_lists->SetlabChanSpis(ChangedState::Changed);
            } else {
                SelectionBatch batch(m);
                for (int i : gone)
                    m->setSelected(i, false);
                zv(1);
            }
        }
    }
    if (recount)
        tableCommands->Peressh(false);
    showCounters();
}

void TFileForm::sbPreobrClick()
{
    if (ListView->tableModel()->startFolder().isEmpty()) {
        ui().beep();
        return;
    }
    if (ui().vopr(QStringLiteral("Конвертировать колонку \"Папка\" в полный формат пути?")))
        preobr(false);
}

void TFileForm::preobr(bool silent)
{
    if (!convertToFullPaths(*ListView->tableModel()))
        return;
    panTop->SetDirPath(QString());
    if (m_lists->isOpen() && m_lists->kind() == ListKind::Vts)
        m_lists->SetlabChanSpis(ChangedState::Changed);
    currentLog().append(logStamp() + QStringLiteral("Колонка \"Папка\" конвертирована в полный формат\r\n-"));
    if (!silent)
        zv(3);
}

} // namespace vt
