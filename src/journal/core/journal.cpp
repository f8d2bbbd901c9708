#include "journal/core/journal.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/limits.h"
#include "base/storefile.h"
#include "base/textutil.h"
#include "platform/paths.h"

namespace vt {

namespace {

constexpr char kHead[] = "VTJ 1";
constexpr int kMaxCount = kJournalMaxItems;

QByteArray enc(const QByteArray &path) { return path.toPercentEncoding("/"); }


bool dec(const QByteArray &field, QByteArray *path)
{
    for (char c : field)
        if (uchar(c) <= ' ' || uchar(c) >= 0x7f)
            return false;
    *path = QByteArray::fromPercentEncoding(field);
    // only the encoder's own spelling: what reads back must write back the same
    return journalCanHold(*path) && enc(*path) == field;
}

bool kindOf(const QByteArray &f, BatchKind *kind)
{
    bool ok = false;
    const int k = f.toInt(&ok);
    if (!ok || k < 1 || k > kBatchKindLast || QByteArray::number(k) != f)
        return false;
    *kind = BatchKind(k);
    return true;
}

} // namespace

bool journalCanHold(const QByteArray &p)
{
    return p.size() <= 65536 && !p.contains('\0') && !fs::pathRoot(QString::fromUtf8(p.left(512))).isEmpty();
}

QByteArray encodeJournal(const QList<JournalBatch> &batches)
{
    QByteArray out = kHead;
    out += '\n';
    for (const JournalBatch &b : batches) {
        out += "batch " + QByteArray::number(int(b.kind)) + ' ' + QByteArray::number(int(b.undoOf)) + ' '
             + b.time.toUTC().toString(Qt::ISODate).toLatin1() + ' ' + QByteArray::number(b.count) + '\n';
        for (const JournalItem &i : b.items) {
            out += char(i.type);
            out += ' ' + enc(i.from) + ' ' + enc(i.to);
            if (i.type == JournalItem::Trashed)
                out += ' ' + enc(i.info);
            out += '\n';
        }
        out += "end\n";
    }
    return out;
}

bool decodeJournal(const QByteArray &data, QList<JournalBatch> *batches)
{
    batches->clear();
    QList<JournalBatch> got;
    const QList<QByteArray> lines = data.split('\n');
    // the text ends with a line break, so the last piece is empty
    if (lines.size() < 2 || lines.first() != kHead || !lines.last().isEmpty())
        return false;
    JournalBatch *open = nullptr;
    for (qsizetype n = 1; n + 1 < lines.size(); ++n) {
        const QList<QByteArray> f = lines[n].split(' ');
        if (!open) {
            if (f.size() != 5 || f[0] != "batch" || got.size() >= kJournalBatches)
                return false;
            JournalBatch b;
            bool ok = false;
            b.count = f[4].toInt(&ok);
            b.time = QDateTime::fromString(QString::fromLatin1(f[3]), Qt::ISODate);
            if (!kindOf(f[1], &b.kind) || !kindOf(f[2], &b.undoOf) || !ok || b.count < 0 || b.count > kMaxCount
                || QByteArray::number(b.count) != f[4] || !b.time.isValid()
                || b.time.timeSpec() != Qt::UTC || b.time.toString(Qt::ISODate).toLatin1() != f[3])
                return false;
            got.append(b);
            open = &got.last();
            continue;
        }
        if (f.size() == 1 && f[0] == "end") {
            if (open->undoable() ? open->count != open->items.size() : !open->items.isEmpty())
                return false;
            open = nullptr;
            continue;
        }
        if (f.first().size() != 1 || open->items.size() >= kMaxCount)
            return false;
        JournalItem it;
        it.type = JournalItem::Type(f[0][0]);
        const qsizetype fields = it.type == JournalItem::Trashed ? 4 : 3;
        if ((it.type != JournalItem::Moved && it.type != JournalItem::Trashed && it.type != JournalItem::Restored)
            || f.size() != fields || !dec(f[1], &it.from) || !dec(f[2], &it.to)
            || (fields == 4 && !f[3].isEmpty() && !dec(f[3], &it.info)))
            return false;
        open->items.append(it);
    }
    if (open)
        return false;
    *batches = std::move(got);
    return true;
}

QString journalPath() { return optPath() + QStringLiteral("journal"); }

QList<JournalBatch> loadJournal()
{
    QList<JournalBatch> batches;
    if (!GetOptPath())
        return batches;
    QByteArray data;
    const StoreRead r = readStore(journalPath(), &data);
    if (r == StoreRead::Missing || r == StoreRead::TooBig)
        return batches;
    if (r != StoreRead::Ok || !decodeJournal(data, &batches))
        currentLog().append(logStamp() + QStringLiteral("Журнал отмены поврежден и не прочитан:\r\n")
                            + journalPath() + QStringLiteral("\r\n-"));
    return batches;
}

bool saveJournal(QList<JournalBatch> batches)
{
    if (!GetOptPath() || storeTooBig(journalPath()))
        return false;
    if (batches.size() > kJournalBatches)
        batches.remove(0, batches.size() - kJournalBatches);
    QByteArray data = encodeJournal(batches);
    while (data.size() > kStoreMaxBytes && !batches.isEmpty()) {
        batches.removeFirst();
        data = encodeJournal(batches);
    }
    return writeFileAtomic(journalPath(), data);
}

} // namespace vt
