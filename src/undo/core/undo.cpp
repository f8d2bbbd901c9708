#include "undo/core/undo.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "base/savelog.h"
#include "base/services.h"
#include "journal/core/journalrecorder.h"
#include "lists/core/listcontroller.h"
#include "platform/dirreader.h"
#include "rename/core/renbatch.h"
#include "table/core/tablemodel.h"
#include "undo/core/undoitem.h"

#include <QElapsedTimer>
#include <QHash>
#include <optional>

namespace vt {

namespace {

constexpr int kQuestionLines = 5;
constexpr qint64 kJournalEveryMs = 1000;

QString text(const QByteArray &path) { return fs::displayName(std::string_view(path.constData(), size_t(path.size()))); }

QString timeText(const QDateTime &t) { return t.toLocalTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")); }

// The kind of saved log an undo of the batch goes to: that of the batch it takes back.
LogKind logKind(const JournalBatch &b)
{
    switch (b.kind == BatchKind::Undo ? b.undoOf : b.kind) {
    case BatchKind::Move: return LogKind::Move;
    case BatchKind::Trash: return LogKind::DeleteFiles;
    default: return LogKind::Rename;
    }
}

QString outcomeLine(const JournalItem &it, ItemOutcome o)
{
    switch (o) {
    case ItemOutcome::Done: return undoItemText(it);
    case ItemOutcome::AlreadyBack: return text(it.type == JournalItem::Restored ? it.to : it.from)
                                          + QStringLiteral(" <уже на месте>");
    case ItemOutcome::Taken: return text(it.from) + QStringLiteral(" <имя занято>");
    case ItemOutcome::Missing: return text(it.to) + QStringLiteral(" <не найден>");
    case ItemOutcome::Failed: break;
    }
    return undoItemText(it) + QStringLiteral(" <ошибка>");
}

bool succeeded(ItemOutcome o) { return o == ItemOutcome::Done || o == ItemOutcome::AlreadyBack; }

} // namespace

QString batchKindText(BatchKind kind)
{
    switch (kind) {
    case BatchKind::RenameRule: return QStringLiteral("Переименование по правилу");
    case BatchKind::RenameFolders: return QStringLiteral("Переименование папок");
    case BatchKind::RenameList: return QStringLiteral("Переименование список/список");
    case BatchKind::RenameQuick: return QStringLiteral("Быстрое переименование");
    case BatchKind::RenameOne: return QStringLiteral("Переименование файла");
    case BatchKind::Move: return QStringLiteral("Перемещение");
    case BatchKind::Trash: return QStringLiteral("Удаление в корзину");
    case BatchKind::Copy: return QStringLiteral("Копирование");
    case BatchKind::Delete: return QStringLiteral("Удаление");
    case BatchKind::Undo: return QStringLiteral("Отмена");
    }
    return {};
}

QString batchTitle(const JournalBatch &b)
{
    QString kind = batchKindText(b.kind);
    if (b.kind == BatchKind::Undo)
        kind += QStringLiteral(" (") + batchKindText(b.undoOf) + QLatin1Char(')');
    return kind + QStringLiteral(", ") + timeText(b.time) + QStringLiteral(" (шт.: ") + QString::number(b.count)
         + QLatin1Char(')');
}

QString undoItemText(const JournalItem &item)
{
    switch (item.type) {
    case JournalItem::Moved: return text(item.to) + QStringLiteral(" >> ") + text(item.from);
    case JournalItem::Trashed: return QStringLiteral("Корзина >> ") + text(item.from);
    case JournalItem::Restored: return text(item.to) + QStringLiteral(" >> Корзина");
    }
    return {};
}

int newestUndoable(const QList<JournalBatch> &batches)
{
    for (qsizetype i = batches.size() - 1; i >= 0; --i)
        if (batches[i].undoable() && !batches[i].items.isEmpty())
            return int(i);
    return -1;
}

QString undoQuestion(const QList<JournalBatch> &batches, int pick)
{
    QString q;
    if (pick + 1 < batches.size())
        q += QStringLiteral("Последнее действие отменить нельзя:\r") + batchTitle(batches.last())
           + QStringLiteral("\r\rОтменить более раннее?\r");
    else
        q += QStringLiteral("Отменить последнее действие?\r");
    const JournalBatch &b = batches[pick];
    q += batchTitle(b);
    const qsizetype n = b.items.size();
    for (qsizetype i = n - 1; i >= 0 && i >= n - kQuestionLines; --i)
        q += QLatin1Char('\r') + undoItemText(b.items[i]);
    if (n > kQuestionLines)
        q += QStringLiteral("\r... и еще ") + QString::number(n - kQuestionLines);
    return q;
}

Undoer::Undoer(OperationContext &ops) : m_ops(ops) {}

UndoResult Undoer::undoLast()
{
    if (m_ops.busy())
        return {};
    const QList<JournalBatch> journal = loadJournal();
    const int pick = newestUndoable(journal);
    if (journal.isEmpty()) {
        ui().inf(QStringLiteral("Отменять нечего."));
        return {};
    }
    if (pick < 0) {
        ui().inf(QStringLiteral("Последние действия отменить нельзя:\r") + batchTitle(journal.last()));
        return {};
    }
    if (!ui().vopr(undoQuestion(journal, pick)))
        return {};
    return reverse(journal, pick, false);
}

UndoResult Undoer::run(bool test)
{
    const QList<JournalBatch> journal = loadJournal();
    const int pick = newestUndoable(journal);
    if (pick < 0)
        return {};
    return reverse(journal, pick, test);
}

UndoResult Undoer::reverse(const QList<JournalBatch> &journal, int pick, bool test)
{
    UndoResult res;
    const JournalBatch src = journal[pick];
    const QList<JournalItem> &items = src.items;
    res.total = int(items.size());
    res.ran = true;
    if (test) {
        for (qsizetype k = items.size() - 1; k >= 0; --k) {
            const ItemOutcome o = undoItem(items[k], true);
            res.done += succeeded(o);
            res.lines << outcomeLine(items[k], o);
        }
        return res;
    }

    CurrentLog &log = currentLog();
    const LogKind kind = logKind(src);
    log.beginOperation(kind);
    const QString header = logStamp() + QStringLiteral("Отмена: ") + batchTitle(src);
    log.opLog() << header << QStringLiteral("-");
    log.append(header);

    std::optional<OperationContext::Scope> busy;
    busy.emplace(m_ops);
    ProgressShown progress(m_ops);
    progress.show(res.total, QStringLiteral("Отмена, подождите..."));

    JournalRecorder journalOut(BatchKind::Undo, src.kind == BatchKind::Undo ? src.undoOf : src.kind);
    journalOut.holdWrites();
    // The journal as the recorder read it: the batch must still be there.
    qsizetype at = pick;
    if (at >= journalOut.editOlder().size() || journalOut.editOlder()[at] != src)
        at = journalOut.editOlder().indexOf(src);
    // Until it is done the batch being undone stays the newest, holding what is left.
    journalOut.placeAt(int(at));

    QHash<QByteArray, QList<int>> rowsOf;
    if (m_table)
        for (int i = 0; i < m_table->size(); ++i)
            rowsOf[m_table->at(i).entry.path].append(i);
    QList<RenamedRow> renamed;
    QList<int> goneRows;

    QList<JournalItem> kept; // failed ones, newest first; they stay in the batch
    const auto keepLeft = [&](qsizetype left) {
        if (at < 0)
            return;
        QList<JournalItem> rest = items.mid(0, left);
        for (qsizetype i = kept.size() - 1; i >= 0; --i)
            rest.append(kept[i]);
        QList<JournalBatch> &older = journalOut.editOlder();
        older[at].items = rest;
        older[at].count = int(rest.size());
    };
    QElapsedTimer sinceWrite;
    sinceWrite.start();
    qsizetype k = items.size() - 1;
    for (int reached = 1; k >= 0; --k, ++reached) {
        m_ops.pump();
        progress.update(reached);
        if (m_ops.stopRequested())
            break;
        const JournalItem &it = items[k];
        const ItemOutcome o = undoItem(it, false);
        log.opLog() << outcomeLine(it, o);
        res.lines << log.opLog().last();
        if (!succeeded(o)) {
            kept.append(it);
        } else {
            ++res.done;
            for (int row : rowsOf.value(it.to)) {
                if (it.type == JournalItem::Moved)
                    renamed.append({row, it.from});
                else if (it.type == JournalItem::Restored)
                    goneRows.append(row);
            }
        }
        if (sinceWrite.elapsed() >= kJournalEveryMs) {
            keepLeft(k);
            journalOut.flush();
            sinceWrite.restart();
        }
    }
    keepLeft(k + 1);
    if (at >= 0 && journalOut.editOlder()[at].items.isEmpty())
        journalOut.editOlder().removeAt(at);
    journalOut.placeAt(-1);
    journalOut.flush();

    if (m_table) {
        renUpdateRows(*m_table, renamed);
        if (!goneRows.isEmpty())
            m_table->removeRows(goneRows);
    }
    if ((!renamed.isEmpty() || !goneRows.isEmpty()) && m_lists && m_lists->isOpen())
        m_lists->SetlabChanSpis(ChangedState::Changed);

    const QString summary = QStringLiteral("Результат: ") + QString::number(res.done) + QStringLiteral(" из ")
                          + QString::number(res.total);
    log.opLog() << QStringLiteral("___\r\n") << summary;
    log.append(summary + QStringLiteral("\r\n-"));
    if (res.done > 0 && SaveLog(kind))
        log.opLog().last() = summary + QStringLiteral(", лог сохранен");
    progress.close();
    busy.reset();
    zv(3);
    feedback().showLog();
    return res;
}

} // namespace vt
