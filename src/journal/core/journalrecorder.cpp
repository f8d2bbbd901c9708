#include "journal/core/journalrecorder.h"

#include "base/services.h"
#include "platform/trash.h"

namespace vt {

namespace {
JournalRecorder *g_current = nullptr;
constexpr qint64 kWriteEveryMs = 1000;
} // namespace

JournalRecorder::JournalRecorder(BatchKind kind, BatchKind undoOf) : m_outer(g_current)
{
    m_batch.kind = kind;
    m_batch.undoOf = undoOf;
    QDateTime t = now();
    if (!t.isValid())
        t = QDateTime::currentDateTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    m_batch.time = t;
    if (m_outer)
        return;
    m_older = loadJournal();
    g_current = this;
    m_sinceWrite.start();
}

JournalRecorder::~JournalRecorder()
{
    if (m_outer)
        return;
    g_current = nullptr;
    if (m_dirty)
        flush();
}

JournalRecorder *JournalRecorder::current() { return g_current; }

void JournalRecorder::add(const JournalItem &item)
{
    if (m_outer)
        return m_outer->add(item);
    // what the journal cannot hold is left out rather than spoil the file
    if (!journalCanHold(item.from) || !journalCanHold(item.to) || m_batch.items.size() >= kJournalMaxItems)
        return;
    m_batch.items.append(item);
    ++m_batch.count;
    m_dirty = true;
    maybeFlush();
}

void JournalRecorder::moved(const QByteArray &from, const QByteArray &to)
{
    add({JournalItem::Moved, from, to, {}});
}

void JournalRecorder::trashed(const QByteArray &from, const QByteArray &where, const QByteArray &info)
{
    add({JournalItem::Trashed, from, where, info});
}

void JournalRecorder::restored(const QByteArray &where, const QByteArray &to)
{
    add({JournalItem::Restored, where, to, {}});
}

void JournalRecorder::counted()
{
    if (m_outer)
        return m_outer->counted();
    if (m_batch.count < kJournalMaxItems)
        ++m_batch.count;
    m_dirty = true;
    maybeFlush();
}

void JournalRecorder::maybeFlush()
{
    if (!m_held && m_sinceWrite.isValid() && m_sinceWrite.elapsed() >= kWriteEveryMs)
        flush();
}

void JournalRecorder::flush()
{
    if (m_outer)
        return;
    QList<JournalBatch> all = m_older;
    if (m_batch.count > 0)
        all.insert(m_placeAt >= 0 && m_placeAt < all.size() ? m_placeAt : all.size(), m_batch);
    saveJournal(std::move(all));
    m_dirty = false;
    m_sinceWrite.restart();
}

void journalMoved(const QByteArray &from, const QByteArray &to)
{
    if (JournalRecorder *r = JournalRecorder::current())
        r->moved(from, to);
}

void journalTrashed(const QByteArray &from, const QByteArray &where)
{
    if (JournalRecorder *r = JournalRecorder::current())
        r->trashed(from, where, fs::trashInfoPath(where));
}

void journalCounted()
{
    if (JournalRecorder *r = JournalRecorder::current())
        r->counted();
}

} // namespace vt
