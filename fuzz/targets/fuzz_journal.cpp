// Options/journal: the batches that can be undone, loaded, saved and loaded again.
#include "base/currentlog.h"
#include "base/limits.h"
#include "fuzzhome.h"
#include "journal/core/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    fuzz::put(QStringLiteral("Options/journal"), data, size);
    vt::currentLog().start(); // a damaged journal adds a log line each time
    const QList<vt::JournalBatch> batches = vt::loadJournal();
    if (batches.size() > vt::kJournalBatches)
        fuzz::fail("more batches than are kept");
    for (const vt::JournalBatch &b : batches)
        if (b.undoable() ? b.count != b.items.size() : !b.items.isEmpty())
            fuzz::fail("a count that does not match the items");
    QList<vt::JournalBatch> decoded;
    const bool ok = vt::decodeJournal(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &decoded);
    if (ok ? decoded != batches : !batches.isEmpty())
        fuzz::fail("the store and the decoder disagree");
    if (batches.isEmpty())
        return 0;
    if (vt::encodeJournal(batches) != QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)))
        fuzz::fail("a journal read back is not the bytes it came from");
    if (!vt::saveJournal(batches) || vt::loadJournal() != batches)
        fuzz::fail("batches changed on their way back");
    return 0;
}
