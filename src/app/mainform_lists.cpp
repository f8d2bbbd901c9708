// The main window's list commands: save to and add to VTL lists through the
// chooser, open a list, the list group, and the path forms of the table.
#include "app/mainform.h"

#include "app/protectform.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "app/logform.h"
#include "lists/core/tablecheck.h"
#include "lists/core/tableupkeep.h"
#include "lists/listgroup.h"
#include "lists/spisform.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "table/tablecommands.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace vt {

void TFileForm::buildLists()
{
    ListHooks h;
    h.setCaption = [this](const QString &c) { setWindowTitle(c); };
    h.setPanel = [this](int i, const QString &t) { sbar->setPanel(i, t); };
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
    h.showInFileManager = [](const QString &path) {
        if (!shell().showItem(path))
            ui().inf(QStringLiteral("Ошибка открытия"));
    };
    m_lists = std::make_unique<ListController>(*ListView->tableModel(), m_ops, currentLog(), std::move(h), this);
    m_listGroup = new ListGroup(*m_lists, panTop->gbAllSpis, panTop->labAllSpis, panTop->wAllSpisTools);
    connect(m_listGroup, &ListGroup::renameClicked, this, [this] {
        // The rename dialog arrives with the quick renames.
        if (m_lists->provSpisOpen(false, true, true))
            ui().beep();
    });
    connect(m_lists.get(), &ListController::stateChanged, this, [this] {
        panTop->setListOpen(m_lists->isOpen());
        const bool ordPage = m_lists->isOpen() && m_lists->kind() == ListKind::Vtl;
        labOrd->setVisible(ordPage);
        labPage->setVisible(ordPage);
    });
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
    t.add("lists.renumberIds", u"Перенумеровать (кол. ID)", u"", {}, B::Refuse, [this] {
        if (perenum(*ListView->tableModel(), true))
            showCounters();
    });
    t.add("lists.preobr", u"", u"", {}, B::Refuse, [this] { sbPreobrClick(); });
    t.add("lists.checkTable", u"Проверить таблицу", u"Ctrl + F1", {{Qt::Key_F1, false, true}}, B::Refuse,
          [this] { ProvCurSpis(); });
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
    if (!panTop->rbMdVTL->isChecked()) {
        ui().beep(); // VTX and VTS lists arrive with their formats
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
    ShowProtect(m_ops, false, 0, QStringLiteral("Добавление к списку, подождите..."));
    {
        OperationContext::Scope busy(m_ops);
        m_lists->AppSpis(path);
    }
    setWindowTitle(QStringLiteral("Vestrada"));
    CloseProtect(m_ops);
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
        const YesOk choice = ShowLog(-r.missing, false, m->selectedCount());
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
