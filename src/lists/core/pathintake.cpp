#include "lists/core/pathintake.h"

#include "base/appcontext.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/services.h"
#include "lists/core/diskpath.h"
#include "lists/core/listcontroller.h"
#include "lists/core/tableupkeep.h"
#include "platform/shortpath.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vt {

namespace {

const QString &addedCaption()
{
    static const QString s = QStringLiteral("Добавлены файлы/папки.");
    return s;
}

} // namespace

void sortPaths(QStringList &paths)
{
    std::stable_sort(paths.begin(), paths.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

QStringList absoluteParams(const QStringList &params, const QString &folder)
{
    QStringList out;
    const QDir base(folder);
    for (const QString &p : params)
        out << (p.isEmpty() ? p : QDir::cleanPath(base.absoluteFilePath(p)));
    return out;
}

PathIntake::PathIntake(ListController &lists, TableModel &table, OperationContext &ops, CurrentLog &log,
                       AppWindow *window)
    : m_lists(lists), m_table(table), m_ops(ops), m_log(log), m_window(window)
{
}

bool PathIntake::ProvAdd()
{
    if (m_ops.busy())
        return false;
    if (m_lists.isOpen() && m_lists.kind() == ListKind::Vts) {
        ui().inf(QStringLiteral("Открыт список VTS. Добавление запрещено"));
        return false;
    }
    if (m_table.size() >= kRowLimitMax) {
        ui().inf(QStringLiteral("В таблице 9999 строк. Добавление невозможно."));
        return false;
    }
    // New rows take the count of rows as their ID, so the IDs must be 1..n.
    if (m_table.size() == 0) {
        m_table.counters().rowsRemoved = false;
    } else if (m_table.counters().rowsRemoved) {
        if (ui().vopr(QStringLiteral("Из таблицы удаляли записи. Для добавления требуется "
                                     "перенуменовать колонку ID.\rПродолжить?"))) {
            perenum(m_table, false);
            feedback().countersChanged();
        }
        return false;
    }
    if (m_table.startFolder().isEmpty())
        return true;
    if (m_table.size() == 0) {
        if (m_window)
            m_window->convertFolders(true);
        return true;
    }
    if (ui().vopr(QStringLiteral("Для добавления нужно преобразовать пути\rколонки \"Папка\" из "
                                 "относительного в полный формат. Продолжить?"))
        && m_window)
        m_window->convertFolders(false);
    return false;
}

AddOutcome PathIntake::AddParams(AddMode mode, const QStringList &paths)
{
    AddOutcome out;
    OperationContext::Scope busy(m_ops);
    auto caption = [](const QString &c) { feedback().caption(c); };
    auto finish = [] { feedback().countersChanged(); };
    if (mode == AddMode::ReadList) {
        if (!paths.isEmpty() && m_lists.openList(paths.first()))
            out.list = m_lists.kind();
        finish();
        return out;
    }
    if (mode == AddMode::CommandLine) {
        m_lists.clearForRead();
        caption(QStringLiteral("Идет чтение в таблицу..."));
        feedback().panel(7, QStringLiteral("чтение..."));
        if (paths.size() == 1) {
            const QFileInfo fi(paths.first());
            if (fi.isDir()) {
                QString folder = paths.first();
                if (!folder.endsWith(QLatin1Char('/')))
                    folder += QLatin1Char('/');
                if (m_window)
                    m_window->setFolderField(folder);
                feedback().panel(7, QString());
                caption(QStringLiteral("Vestrada"));
                out.folderField = true;
                finish();
                return out;
            }
            out.list = m_lists.ReadSpis(paths.first());
            if (out.list != ListKind::None) {
                finish();
                return out;
            }
        }
    }
    // A list whose rows grow here is changed; one already marked stays so.
    const bool baseline = mode == AddMode::Append && m_lists.isOpen() && !m_lists.changed();
    const int before = m_table.size();
    const TableCounters c0 = m_table.counters();
    {
        SuppressGuard guard(&m_table);
        AppendState st;
        for (const QString &p : paths) {
            m_ops.pump();
            if (m_ops.stopRequested())
                break;
            if (appendPath(m_table, st, p) == AppendResult::Stop)
                break;
        }
    }
    out.files = m_table.counters().files - c0.files;
    out.folders = m_table.counters().folders - c0.folders;
    feedback().panel(7, QString());
    if (mode == AddMode::CommandLine) {
        const QString done = QStringLiteral("Прочитаны параметры командной строки в таблицу.");
        caption(done);
        m_log.append(logStamp() + done + QStringLiteral("\r\nВ таблице файлов: ")
                     + QString::number(m_table.counters().files) + QStringLiteral(", папок: ")
                     + QString::number(m_table.counters().folders) + QStringLiteral("\r\n-"));
    } else {
        caption(addedCaption());
    }
    if (baseline && m_table.size() != before)
        m_lists.SetlabChanSpis(ChangedState::Changed);
    finish();
    return out;
}

void PathIntake::reportAdded(const AddOutcome &o)
{
    const QString text = QStringLiteral("Добавлено файлов: ") + QString::number(o.files)
                       + QStringLiteral(", папок: ") + QString::number(o.folders);
    ui().inf(text);
    m_log.append(logStamp() + addedCaption() + QStringLiteral("\r\n") + text + QStringLiteral("\r\n-"));
}

void PathIntake::addOnePath(const QString &typed)
{
    const DiskPath d = diskPath(typed);
    if (d.status == DiskPath::TooShort) {
        ui().beep();
        return;
    }
    if (d.status == DiskPath::NotFound) {
        ui().inf(QStringLiteral("Не найден файл/папка:\r") + d.path);
        return;
    }
    const QString kind = d.isDir ? QStringLiteral("папки") : QStringLiteral("файла");
    const QString s83 = fs::shortPath(d.path);
    if (!s83.isEmpty() && m_table.has83(s83)) {
        for (const TableRow &r : m_table.rows())
            if (r.entry.shortForm == s83) {
                ui().inf(QStringLiteral("Путь ") + kind + QStringLiteral(":\r") + d.path
                         + QStringLiteral("\rесть в таблице, ID = ") + r.cells[ColID]);
                return;
            }
    }
    if (!ui().vopr(QStringLiteral("Добавить путь ") + kind + QStringLiteral("?\r") + d.path))
        return;
    const AddOutcome o = AddParams(AddMode::Append, {d.path});
    if (o.files + o.folders > 0) {
        zv(2);
        m_log.append(logStamp() + QStringLiteral("Добавлен путь ") + kind + QStringLiteral(":\r\n") + d.path
                     + QStringLiteral("\r\n-"));
    }
}

void PathIntake::addFiles(const QStringList &files)
{
    if (files.size() == 1) {
        addOnePath(files.first());
        return;
    }
    if (files.isEmpty()
        || !ui().vopr(QStringLiteral("Добавить пути файлов (") + QString::number(files.size())
                      + QStringLiteral(" шт.) в таблицу?")))
        return;
    reportAdded(AddParams(AddMode::Append, files));
}

bool PathIntake::addDropped(QStringList paths, const std::function<void(const QStringList &)> &view)
{
    if (!ProvAdd())
        return false;
    if (paths.isEmpty()) {
        ui().beep();
        return true;
    }
    const YesOk a = ui().vprYesOK(QStringLiteral("Выберите действие:\r[YES]: Добавить пути файлов/папок (")
                                  + QString::number(paths.size())
                                  + QStringLiteral(" шт.) из проводника?\r[OK]: Просмотр путей файлов/папок"));
    sortPaths(paths);
    if (a == YesOk::Ok) {
        if (view)
            view(paths);
    } else if (a == YesOk::Yes) {
        reportAdded(AddParams(AddMode::Append, paths));
    }
    return true;
}

} // namespace vt
