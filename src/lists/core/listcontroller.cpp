#include "lists/core/listcontroller.h"

#include "base/appcontext.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/services.h"
#include "lists/core/listfolder.h"
#include "lists/core/textlist.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtsfile.h"
#include "platform/fileentry.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"

#include <QFile>
#include <QFileInfo>

namespace vt {
namespace {

QString fileName(const QString &path) { return QFileInfo(path).fileName(); }

// The note of rows that no list record can hold, for result messages and the log.
QString leftOutNote(int leftOut)
{
    if (leftOut <= 0)
        return QString();
    return QStringLiteral("\r\nНе записано строк: ") + QString::number(leftOut)
         + QStringLiteral(" (путь длиннее 255 символов или с символами вне кодировки 1251)");
}

} // namespace

ListController::ListController(TableModel &table, OperationContext &ops, CurrentLog &log,
                               AppWindow *window, QObject *parent)
    : QObject(parent), m_table(table), m_ops(ops), m_log(log), m_window(window)
{
}

QString ListController::incompleteNote() const
{
    return m_changed == ChangedState::ReadIncompletely
             ? QStringLiteral("\r\n\r\n>>Список был открыт НЕ ПОЛНОСТЬЮ!")
             : QString();
}

QString ListController::groupCaption() const
{
    if (!isOpen())
        return QString();
    return QStringLiteral("Открыт список ") + listKindName(m_kind) + QStringLiteral(": ") + fileName(m_path);
}

void ListController::forget()
{
    m_kind = ListKind::None;
    m_path.clear();
    m_stamp = 0;
    m_warning = false;
    m_changed = ChangedState::Unchanged;
    emit stateChanged();
}

void ListController::SetlabChanSpis(ChangedState state)
{
    if ((state != ChangedState::Unchanged) == changed())
        return;
    m_changed = state;
    emit stateChanged();
}

void ListController::renamed(const QString &newPath)
{
    if (!isOpen() || newPath.isEmpty())
        return;
    m_path = newPath;
    m_stamp = GetFData();
    emit stateChanged();
}

quint32 ListController::GetFData() const
{
    fs::Entry e;
    return !m_path.isEmpty() && fs::lookup(m_path, &e) ? e.stamp : 0;
}

ListKind ListController::ReadSpis(const QString &path)
{
    const ListKind kind = listKindOf(path);
    if (kind == ListKind::None || !QFileInfo::exists(path))
        return ListKind::None;
    if (kind == ListKind::Vts)
        return ReadVtS(path, path) ? ListKind::Vts : ListKind::None;
    m_log.beginOperation(LogKind::ListOpen);
    QStringList &report = m_log.opLog();
    ListRead r;
    {
        OperationContext::Scope busy(m_ops);
        SuppressGuard guard(&m_table);
        r = readListRows(m_table, path, report, &m_ops);
    }
    if (r.kind == ListKind::None) {
        report.clear();
        return ListKind::None;
    }
    m_kind = r.kind;
    m_path = path;
    m_stamp = GetFData();
    m_warning = false;
    m_changed = ChangedState::Unchanged;
    const QString summary = QStringLiteral("Прочитан список в таблицу. Имя файла:\r\n") + path;
    m_log.setSearchSummary(summary);
    m_log.append(logStamp() + summary + QStringLiteral("\r\nОшибок чтения: ")
                 + QString::number(r.errors) + QStringLiteral("\r\n-"));
    {
        SuppressGuard guard(&m_table);
        m_table.setAllSelected(false);
    }
    feedback().panel(6, QString::number(m_table.counters().files));
    feedback().panel(9, QString::number(m_table.counters().folders));
    feedback().panel(7, QString());
    if (r.stop != StopNone)
        m_changed = ChangedState::ReadIncompletely;
    emit stateChanged();
    if (m_window)
        m_window->reportListRead(int(r.stop), r.errors);
    return r.kind;
}

void ListController::clearForRead()
{
    {
        SuppressGuard guard(&m_table);
        m_table.clear();
    }
    // Rows read now carry full paths; a start folder left from a search would
    // make every short form wrong.
    m_table.setStartFolder(QString());
    m_log.setSearchSummary(QString());
    // The window forgets what described the old rows (the start-folder hint).
    if (m_window)
        m_window->showStartFolder(QString());
    forget();
}

bool ListController::openList(const QString &path)
{
    clearForRead();
    feedback().caption(QStringLiteral("Идет чтение в таблицу..."));
    feedback().panel(7, QStringLiteral("чтение..."));
    if (ReadSpis(path) != ListKind::None)
        return true;
    feedback().caption(QStringLiteral("Ошибка чтения списка в таблицу"));
    feedback().panel(7, QString());
    m_kind = ListKind::Failed;
    m_path.clear();
    m_log.append(logStamp() + QStringLiteral("Ошибка чтения списка в таблицу. Имя файла:\r\n") + path
                 + QStringLiteral("\r\n-"));
    emit stateChanged();
    return false;
}

ListWrite ListController::SaveSpisVTL(bool selectedOnly, bool changes, bool showResult,
                                      const QString &path, const QString &detail)
{
    const ListWrite w = writeVtl(path, m_table, selectedOnly);
    if (!w.ok) {
        ui().inf(QStringLiteral("Ошибка записи списка:\r") + path);
        return w;
    }
    const QString note = leftOutNote(w.leftOut);
    if (!changes) {
        if (showResult)
            ui().inf(QStringLiteral("Список сохранен. Имя списка:\r") + path + note);
        m_log.append(logStamp() + QStringLiteral("Сохранен список ") + fileName(path) + QLatin1Char(' ')
                     + detail + note + QStringLiteral("\r\n-"));
        return w;
    }
    m_log.append(logStamp() + QStringLiteral("Сохранены изменения в списке VTL ") + fileName(path)
                 + QLatin1Char(' ') + note + QStringLiteral("\r\n-"));
    if (w.leftOut > 0)
        ui().inf(QStringLiteral("Список сохранен не полностью:\r") + path + note);
    if (showResult)
        updinf();
    return w;
}

bool ListController::SaveVTS(bool changes, bool showResult, const QString &description, int mark)
{
    QString path;
    VtsHeader header;
    if (changes) {
        path = m_path;
        if (!readVtsHeader(path, &header)) {
            ui().inf(QStringLiteral("Ошибка ввода/вывода:\r") + path);
            return false;
        }
    } else {
        const QString folder = listsFolder();
        if (folder.isEmpty())
            return false;
        const QDateTime now = clock().now();
        path = folder + vtsFileName(now);
        header.mark = quint16(mark);
        header.created = vtsDay(now.date());
        header.description = description;
    }
    const ListWrite w = writeVts(path, m_table, header);
    if (!w.ok) {
        ui().inf(QStringLiteral("Ошибка записи списка:\r") + path);
        return false;
    }
    const QString note = leftOutNote(w.leftOut);
    m_log.append(logStamp() + (changes ? QStringLiteral("Сохранены изменения в списке") : QStringLiteral("Сохранен список"))
                 + QStringLiteral(" VTS:\r\n") + path + note + QStringLiteral("\r\n-"));
    if (showResult)
        ui().inf(QStringLiteral("Информация из таблицы сохранена в список VTS") + note);
    else if (w.leftOut > 0)
        ui().inf(QStringLiteral("Список сохранен не полностью:\r") + path + note);
    return true;
}

bool ListController::ReadVtS(const QString &path, const QString &shownName)
{
    if (listsFolder().isEmpty())
        return false;
    clearForRead();
    if (m_window)
        m_window->setVtsLook(true);
    feedback().caption(QStringLiteral("Идет чтение в таблицу..."));
    feedback().panel(7, QStringLiteral("чтение..."));
    m_log.beginOperation(LogKind::ListOpen);
    VtsRead r;
    {
        OperationContext::Scope busy(m_ops);
        SuppressGuard guard(&m_table);
        r = readVtsRows(m_table, path, m_log.opLog(), &m_ops);
    }
    if (!r.ok) {
        m_log.opLog().clear();
        m_table.setStartFolder(QString());
        if (m_window)
            m_window->setVtsLook(false);
        return false;
    }
    m_kind = ListKind::Vts;
    m_path = path;
    m_stamp = GetFData();
    m_warning = false;
    m_changed = ChangedState::Unchanged;
    QString summary = QStringLiteral("Чтение списка VTS: ") + shownName;
    if (!r.header.startFolder.isEmpty())
        summary += QStringLiteral("\r\nПапка начала поиска: ") + r.header.startFolder;
    if (m_window)
        m_window->showStartFolder(r.header.startFolder);
    m_log.setSearchSummary(summary);
    const QString errors = r.errors > 0 ? QStringLiteral("\r\nОшибок чтения: ") + QString::number(r.errors)
                                        : QString();
    m_log.append(logStamp() + summary + errors + QStringLiteral("\r\n-"));
    feedback().panel(6, QString::number(m_table.counters().files));
    feedback().panel(9, QString::number(m_table.counters().folders));
    feedback().panel(7, QString());
    const bool stopped = r.stop != StopNone;
    if (stopped)
        m_changed = ChangedState::ReadIncompletely;
    emit stateChanged();
    const QString caption = stopped ? QStringLiteral("Чтение VTS остановлено")
                                    : QStringLiteral("Прочитан список VTS (снимок таблицы)");
    feedback().caption(caption);
    // Read errors are in the log and the read-error report; only a stop is told.
    if (stopped)
        ui().inf(caption);
    else
        zv(2);
    return true;
}

int ListController::VprVtx()
{
    m_vtxRelative = false;
    const bool incomplete = m_changed == ChangedState::ReadIncompletely;
    if (m_window)
        return m_window->askSaveTextList(m_path, incomplete, &m_vtxRelative);
    const QString note = incompleteNote();
    const YesNoCancel a = ui().yesNoCancel(
        QStringLiteral("Список изменен"),
        QStringLiteral("Сохранить изменения в списке:\r") + m_path + QStringLiteral(" ?") + note,
        note.isEmpty() ? BoxIcon::Question : BoxIcon::Warning);
    return a == YesNoCancel::Yes ? 6 : a == YesNoCancel::No ? 7 : 2;
}

bool ListController::SaveSpisVtx(bool askRenumber, bool relative)
{
    const TextLines t = vtxLines(m_table, m_path, relative);
    if (!t.ok) {
        ui().inf(QStringLiteral("Нет короткого пути папки списка, список не сохранен:\r") + m_path);
        return false;
    }
    if (!writeTextLines(m_path, t.lines)) {
        ui().inf(QStringLiteral("Ошибка записи списка:\r") + m_path);
        return false;
    }
    const QString note = t.leftOut > 0 ? QStringLiteral("\r\nНе записано строк: ") + QString::number(t.leftOut)
                                             + QStringLiteral(" (имя не в кодировке UTF-8)")
                                       : QString();
    m_log.append(logStamp() + QStringLiteral("Сохранены изменения в списке:\r\n") + m_path + note
                 + QStringLiteral("\r\n-"));
    if (t.leftOut > 0)
        ui().inf(QStringLiteral("Список сохранен не полностью:\r") + m_path + note);
    if (askRenumber)
        updinf();
    return true;
}

void ListController::updinf()
{
    if (ui().vopr(QStringLiteral("Изменения в списке сохранены.\r\nПеренумеровать колонку ID?")))
        perenum(m_table, false);
}

VtlAppend ListController::AppSpis(const QString &path)
{
    const Selection sel = m_table.selection();
    const VtlAppend a = appendVtl(path, sel);
    m_ops.closeProgress();
    if (!a.opened)
        return a;
    const QString text = QStringLiteral("Добавлены (помеч.) ") + QString::number(a.added)
                       + QStringLiteral(" из ") + QString::number(sel.size())
                       + QStringLiteral(", всего в списке: ") + QString::number(a.existing + a.added)
                       + QStringLiteral("\r\nСписок: ") + fileName(path) + leftOutNote(a.leftOut);
    ui().inf(text);
    if (a.added > 0 || a.leftOut > 0)
        m_log.append(logStamp() + text + QStringLiteral("\r\n-"));
    return a;
}

bool ListController::provSpisOpen(bool needRows, bool beep, bool switchMode)
{
    auto refuse = [beep] {
        if (beep)
            ui().beep();
        return false;
    };
    if (m_ops.busy() || int(m_kind) <= 0)
        return refuse();
    if (switchMode && m_window)
        m_window->showListMode(m_kind);
    if (needRows && m_table.size() == 0)
        return refuse();
    if (!m_path.isEmpty() && QFileInfo::exists(m_path))
        return true;
    forget();
    return refuse();
}

ChanAnswer ListController::provChan(bool switchMode)
{
    if (!provSpisOpen(true, false, switchMode) || !changed())
        return ChanAnswer::Nothing;
    if (m_kind == ListKind::Vtx) {
        const int a = VprVtx();
        if (a == 2)
            return ChanAnswer::Cancelled;
        if (a == 6 && SaveChanSpis(false))
            zv(2);
        return ChanAnswer::Answered;
    }
    const QString note = incompleteNote();
    const YesNoCancel a = ui().yesNoCancel(
        QStringLiteral("Список изменен"),
        QStringLiteral("Сохранить изменения в списке:\r") + m_path + QStringLiteral(" ?") + note,
        note.isEmpty() ? BoxIcon::Question : BoxIcon::Warning);
    if (a == YesNoCancel::Cancel)
        return ChanAnswer::Cancelled;
    if (a == YesNoCancel::Yes && SaveChanSpis(false))
        zv(2);
    return ChanAnswer::Answered;
}

bool ListController::SaveChanSpis(bool askRenumber)
{
    bool ok = false;
    if (m_kind == ListKind::Vtl)
        ok = SaveSpisVTL(false, true, askRenumber, m_path, QString()).ok;
    else if (m_kind == ListKind::Vts)
        ok = SaveVTS(true, askRenumber);
    else if (m_kind == ListKind::Vtx)
        ok = SaveSpisVtx(askRenumber, m_vtxRelative);
    else
        return false;
    m_stamp = GetFData();
    if (!ok)
        return false;
    m_warning = false;
    m_changed = ChangedState::Unchanged;
    emit stateChanged();
    return true;
}

void ListController::saveOpenList()
{
    if (!provSpisOpen(true, true, true))
        return;
    if (m_kind == ListKind::Vtx) {
        if (VprVtx() == 6)
            SaveChanSpis(true);
        return;
    }
    const QString note = incompleteNote();
    if (ui().askTitled(QStringLiteral("Сохранить список"),
                       QStringLiteral("Сохранить изменения в текущем списке?") + note,
                       note.isEmpty() ? BoxIcon::Question : BoxIcon::Warning, false))
        SaveChanSpis(true);
}

void ListController::reopenOrShow(bool showFile)
{
    if (!provSpisOpen(false, true, true))
        return;
    if (showFile) {
        // Only where a window shows the list.
        if (m_window)
            ExtFnd(m_path);
        return;
    }
    if (!ui().askTitled(QStringLiteral("Переоткрыть список"),
                        QStringLiteral("Переоткрыть список:\r") + m_path + QStringLiteral("\rПродолжить?"),
                        BoxIcon::Question, false))
        return;
    const QString path = m_path;
    if (provChan(false) == ChanAnswer::Cancelled)
        return;
    openList(path);
}

void ListController::deleteListFile()
{
    if (!provSpisOpen(false, true, true))
        return;
    if (!ui().askTitled(QStringLiteral("Удалить"),
                        QStringLiteral("Удалить список:\r") + m_path + incompleteNote()
                            + QStringLiteral("\rПродолжить?"),
                        BoxIcon::Warning, true))
        return;
    if (!QFile::remove(m_path)) {
        ui().inf(QStringLiteral("Ошибка удаления"));
        return;
    }
    m_log.append(logStamp() + QStringLiteral("Удален список:\r\n") + m_path + QStringLiteral("\r\n-"));
    forget();
    zv(3);
}

void ListController::ProvFileCheck()
{
    if (int(m_kind) <= 0 || m_ops.busy() || m_path.isEmpty() || m_warning)
        return;
    const quint32 now = GetFData();
    if (now == m_stamp)
        return;
    m_stamp = now;
    if (now == 0) {
        forget();
        return;
    }
    m_warning = true;
    emit stateChanged();
    ui().errorTitled(QStringLiteral("Vestrada"),
                     QStringLiteral("Открытый список изменен другой программой.\rНажмите \"Переоткрыть\" или "
                                    "\"Сохранить изменения\"")
                         + incompleteNote());
}

} // namespace vt
