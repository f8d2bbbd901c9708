#include "fileops/core/deletefiles.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "base/savelog.h"
#include "base/services.h"
#include "journal/core/journalrecorder.h"
#include "lists/core/listcontroller.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/trash.h"
#include "table/core/selection.h"
#include "table/core/tablemodel.h"

#include <QElapsedTimer>
#include <QThread>
#include <optional>

namespace vt {

namespace {

constexpr int kMaxItems = 1000;

QString text(const QByteArray &path) { return fs::displayName(std::string_view(path.constData(), path.size())); }

QString num(qint64 n) { return QString::number(n); }

// "Байт: N" and then КБ, МБ, ГБ while the value is above 1023; hundredths
// that round up to 100 carry into the whole part.
QString sizeBlock(const QString &label, int count, quint64 bytes)
{
    QString s = label + QStringLiteral(" файлов: ") + num(count) + QStringLiteral("\r\nБайт: ")
                + QString::number(bytes);
    static const char16_t *const units[] = {u"\r\nКБ: ", u"\r\nМБ: ", u"\r\nГБ: "};
    quint64 v = bytes;
    for (const char16_t *unit : units) {
        if (v <= 1023)
            break;
        quint64 whole = v / 1024;
        quint64 hundredths = ((v % 1024) * 200 + 1024) / 2048;
        if (hundredths == 100) {
            ++whole;
            hundredths = 0;
        }
        s += QString::fromUtf16(unit) + QString::asprintf("%llu,%2.2llu", (unsigned long long)whole,
                                                     (unsigned long long)hundredths);
        v /= 1024;
    }
    return s;
}

} // namespace

// Each removal is reported to the batch's journal.
bool DeleteEngine::trash(const QByteArray &path)
{
    QByteArray where;
    if (!fs::moveToTrash(path, &where))
        return false;
    journalTrashed(path, where);
    return true;
}

bool DeleteEngine::remove(const QByteArray &path)
{
    const bool ok = fs::removeFileNative(path);
    if (ok)
        journalCounted();
    return ok;
}

bool DeleteEngine::removeDir(const QByteArray &path)
{
    const bool ok = fs::removeDirNative(path);
    if (ok)
        journalCounted();
    return ok;
}

bool folderIsEmpty(const QByteArray &path)
{
    const auto dir = fs::Dir::open(path);
    if (!dir)
        return true;
    fs::Listing l;
    if (!dir->read(l))
        return true;
    return l.items.empty();
}

bool fileExists(const QByteArray &path)
{
    fs::Entry e;
    return fs::lookupNative(path, &e) && !e.isDir();
}

QString filesSizeText(const TableCounters &c)
{
    const quint64 sel = c.selSize.kb * 1024 + c.selSize.rem;
    const quint64 all = c.size.kb * 1024 + c.size.rem;
    return sizeBlock(QStringLiteral("Выделено"), c.selFiles, sel) + QStringLiteral("\r\n-----------------\r\n")
           + sizeBlock(QStringLiteral("Всего"), c.files, all);
}

FileDeleter::FileDeleter(TableModel &table, OperationContext &ops) : m_table(table), m_ops(ops)
{
}

void FileDeleter::recount()
{
    vt::recount(m_table, false);
    feedback().countersChanged();
}

void FileDeleter::listChanged()
{
    if (m_lists && m_lists->isOpen())
        m_lists->SetlabChanSpis(ChangedState::Changed);
}

DeleteResult FileDeleter::deleteSelected(bool permanent)
{
    DeleteResult res;
    const int selFiles = m_table.counters().selFiles;
    if (selFiles < 1 || selFiles > kMaxItems || m_ops.busy())
        return res;

    struct Item {
        int row;
        QByteArray path;
    };
    QList<Item> items;
    for (int i = 0; i < m_table.size(); ++i) {
        const TableRow &r = m_table.at(i);
        if (r.selected && !r.isDir() && fileExists(r.entry.path))
            items.append({i, r.entry.path});
    }
    if (items.isEmpty()) {
        ui().inf(QStringLiteral("Не найдены файлы для удаления"));
        return res;
    }
    const int n = int(items.size());
    res.total = n;
    const QString where = permanent ? QString() : QStringLiteral(" в корзину");
    if (!ui().askTitled(QStringLiteral("Удалить файлы") + where,
                        QStringLiteral("Выделено файлов в таблице: ") + num(selFiles)
                            + QStringLiteral("\rИз них будут удалены (файлы существуют): ") + num(n)
                            + QStringLiteral("\rПродолжить?"),
                        BoxIcon::Warning, true))
        return res;
    if (permanent
        && !ui().askTitled(QStringLiteral("Удалить файлы: ") + num(n) + QStringLiteral(" шт."),
                           QStringLiteral("Файлы будут удалены!"), BoxIcon::Warning, true))
        return res;

    CurrentLog &log = currentLog();
    log.beginOperation(LogKind::DeleteFiles);
    const QString header = logStamp() + QStringLiteral("Удалить файлы") + where + QStringLiteral(" (") + num(n)
                           + QStringLiteral(" шт.)");
    log.opLog() << header << QStringLiteral("-");
    log.append(header);
    std::optional<OperationContext::Scope> busy;
    busy.emplace(m_ops);
    SuppressGuard suppress(&m_table);
    if (m_hideWindow)
        m_hideWindow();

    ProgressShown progress(m_ops);
    JournalRecorder journal(permanent ? BatchKind::Delete : BatchKind::Trash);
    if (permanent)
        progress.show(n, QStringLiteral("Удаление файлов, подождите..."));
    QList<int> gone;
    bool stopped = false;
    int reached = 0;
    for (int k = 0; k < n; ++k, ++reached) {
        m_ops.pump();
        if (permanent)
            progress.update(k + 1);
        if (m_ops.stopRequested()) {
            stopped = true;
            break;
        }
        const Item &it = items[k];
        const bool ok = m_dryRun
                        || (permanent ? engine().remove(it.path)
                                      : engine().trash(it.path) && !fs::existsNative(it.path));
        if (ok)
            gone.append(it.row);
        const QString tag = ok ? QStringLiteral("<УДАЛЕН>") : QStringLiteral("<Ошибка>");
        log.opLog() << text(it.path) + QLatin1Char(' ') + tag;
        res.rows.append({text(it.path), QString(), tag});
    }
    // Files a stop left in place are logged like the ones the trash refused.
    if (!permanent && stopped)
        for (int k = reached; k < n; ++k) {
            log.opLog() << text(items[k].path) + QStringLiteral(" <Ошибка>");
            res.rows.append({text(items[k].path), QString(), QStringLiteral("<Ошибка>")});
        }
    res.deleted = int(gone.size());
    res.ran = true;
    const QString summary = QStringLiteral("Результат: ") + num(res.deleted) + QStringLiteral(" из ") + num(n);
    if (res.deleted > 0 && !m_dryRun)
        listChanged();
    log.opLog() << QStringLiteral("___\r\n") << summary;
    log.append(summary + QStringLiteral("\r\n-"));
    if (res.deleted > 0 && !m_dryRun) {
        if (SaveLog(LogKind::DeleteFiles))
            log.opLog().last() = summary + QStringLiteral(", лог сохранен");
        m_table.removeRows(gone);
    }
    busy.reset();
    progress.close();
    recount();
    if (!(res.deleted == 0 && stopped))
        feedback().showLog();
    res.closeWindow = res.deleted > 0;
    return res;
}

bool FileDeleter::Del(bool permanent, int row)
{
    if (row < 0 || row >= m_table.size() || m_table.at(row).isDir())
        return false;
    const QByteArray path = m_table.at(row).entry.path;
    const QString shown = text(path);
    JournalRecorder journal(permanent ? BatchKind::Delete : BatchKind::Trash);
    if (permanent) {
        if (!ui().askTitled(QStringLiteral("Удаление файла"),
                            QStringLiteral("Файл:\r") + shown + QStringLiteral("\rбудет удален. Продолжить?"),
                            BoxIcon::Warning, true))
            return false;
        if (!engine().remove(path))
            ui().inf(QStringLiteral("Ошибка удаления"));
    } else {
        // Our own question where a shell would confirm the move to the trash.
        if (!ui().askTitled(QStringLiteral("Удаление файла"),
                            QStringLiteral("Файл:\r") + shown
                                + QStringLiteral("\rбудет перемещен в корзину. Продолжить?"),
                            BoxIcon::Warning, true))
            return false;
        if (!engine().trash(path))
            ui().inf(QStringLiteral("Ошибка удаления"));
    }
    m_ops.processEvents();
    QThread::msleep(50);
    if (fs::existsNative(path))
        return false;
    const QString line = logStamp() + QStringLiteral("Удален файл: ") + shown;
    SaveLog(LogKind::DeleteFiles, line);
    currentLog().append(line + QStringLiteral("\r\n-"));
    {
        SuppressGuard suppress(&m_table);
        m_table.removeRows({row});
    }
    listChanged();
    recount();
    zv(2);
    return true;
}

void FileDeleter::selectEmptyFolders()
{
    if (m_ops.busy())
        return;
    const int folders = m_table.counters().folders;
    if (folders == 0) {
        ui().inf(QStringLiteral("В таблице нет папок"));
        return;
    }
    if (!ui().vopr(QStringLiteral("В таблице будет снято выделение строк\rи будут выделены только пустые "
                                  "папки.\rПродолжить?")))
        return;
    int found = 0;
    {
        OperationContext::Scope busy(m_ops);
        SelectionBatch batch(&m_table);
        for (int i = 0; i < m_table.size(); ++i) {
            const TableRow &r = m_table.at(i);
            const bool on = r.isDir() && folderIsEmpty(r.entry.path);
            found += on;
            m_table.setSelected(i, on);
        }
    }
    if (found > 0)
        feedback().showRow(m_table.firstSelected());
    feedback().countersChanged();
    ui().inf(QStringLiteral("Найдено в таблице пустых папок: ") + num(found) + QStringLiteral("\rВсего папок: ")
             + num(folders));
}

DeleteResult FileDeleter::deleteEmptyFolders(bool toTrash)
{
    DeleteResult res;
    if (m_ops.busy())
        return res;
    const int selFolders = m_table.counters().selFolders;
    if (selFolders < 1 || selFolders > kMaxItems) {
        ui().inf(QStringLiteral("Для удаления выделите в таблице от 1 до 1000 папок.\rБудут определены пустые "
                                "папки."));
        return res;
    }
    QList<int> empty;
    for (int i = 0; i < m_table.size(); ++i) {
        const TableRow &r = m_table.at(i);
        if (r.selected && r.isDir() && folderIsEmpty(r.entry.path))
            empty.append(i);
    }
    if (empty.size() > selFolders) {
        ui().inf(QStringLiteral("Ошибка определения пустых папок"));
        return res;
    }
    if (empty.isEmpty()) {
        ui().inf(QStringLiteral("В выделенных строчках не найдены пустые папки."));
        return res;
    }
    const int found = int(empty.size());
    const YesOk a = ui().vprYesOK(
        QStringLiteral("В выделенных папках найдено пустых: ") + num(found)
        + QStringLiteral("\rВыберите действие:\r[YES]: Удалить пустые папки")
        + QStringLiteral("\r! Наличие пустых папок может быть необходимо для работы некоторых программ.")
        + QStringLiteral("\r\r[OK]: Выделить только эти пустые папки (из выделенных строк)."));
    if (a == YesOk::Cancel)
        return res;
    const bool del = a == YesOk::Yes;
    res.ran = true;
    res.total = found;

    CurrentLog &log = currentLog();
    int removed = 0;
    {
        OperationContext::Scope busy(m_ops);
        SuppressGuard suppress(&m_table);
        JournalRecorder journal(BatchKind::Delete);
        m_table.setAllSelected(false);
        if (del) {
            log.beginOperation(LogKind::DeleteFolders);
            const QString header = logStamp() + QStringLiteral("Удалить пустые папки")
                                   + (toTrash ? QStringLiteral(" в корзину") : QString())
                                   + QStringLiteral(" (папок: ") + num(found) + QStringLiteral(")");
            log.opLog() << header << QStringLiteral("-");
            log.append(header);
        }
        QList<int> gone;
        QStringList lines;
        for (int k = found - 1; k >= 0; --k) {
            const int row = empty[k];
            const QByteArray path = m_table.at(row).entry.path;
            if (!del) {
                m_table.setSelected(row, true);
                res.rows.prepend({text(path), QString(), QStringLiteral("<пустая папка>")});
                continue;
            }
            const bool ok = m_dryRun || (toTrash ? engine().trash(path) && !fs::existsNative(path)
                                                 : engine().removeDir(path));
            const QString tag = ok ? QStringLiteral("<OK: папка удалена>") : QStringLiteral("<ошибка удаления>");
            if (ok)
                gone.append(row);
            else
                m_table.setSelected(row, true);
            lines << text(path) + QLatin1Char(' ') + tag;
            res.rows.append({text(path), QString(), tag});
        }
        if (!del) {
            recount();
            feedback().showRow(m_table.firstSelected());
            zv(2);
            res.deleted = found;
            return res;
        }
        log.opLog() << lines;
        if (!m_dryRun)
            m_table.removeRows(gone);
        removed = int(gone.size());
    }
    const QString summary = QStringLiteral("Результат: ") + num(removed) + QStringLiteral(" из ") + num(found);
    log.opLog() << QStringLiteral("___\r\n") << summary;
    log.append(summary + QStringLiteral("\r\n-"));
    if (removed > 0 && !m_dryRun && SaveLog(LogKind::DeleteFolders))
        log.opLog().last() = summary + QStringLiteral(", лог сохранен");
    recount();
    if (removed > 0 && !m_dryRun)
        listChanged();
    res.deleted = removed;
    res.closeWindow = removed > 0;
    ui().inf(summary);
    feedback().showLog();
    return res;
}

void FileDeleter::reportSizes()
{
    if (m_ops.busy())
        return;
    ui().inf(filesSizeText(m_table.counters()));
}

} // namespace vt
