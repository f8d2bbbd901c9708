// VTL lists: the record decoder and the whole read into the table.
#include "base/limits.h"
#include "fuzzhome.h"
#include "lists/core/listread.h"
#include "lists/core/vtlformat.h"
#include "table/core/tablemodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The reader never goes past the table's limit of records.
    if (fuzz::beyond(size, qint64(vt::kRowLimitMax + 1) * vt::kVtlRecordSize))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<vt::VtlRecord> records = vt::vtlRecords(bytes);
    if (records.size() != qsizetype(size) / vt::kVtlRecordSize)
        fuzz::fail("one record per whole 264 bytes");
    for (const vt::VtlRecord &r : records) {
        // What can be written again must read back as it was.
        const QByteArray again = vt::vtlRecord(r.ord, r.page, r.path);
        if (again.isEmpty())
            continue;
        const QList<vt::VtlRecord> back = vt::vtlRecords(again);
        if (back.size() != 1 || back[0].ord != r.ord || back[0].page != r.page || back[0].path != r.path)
            fuzz::fail("a VTL record changed on its way back");
    }
    vt::TableModel table;
    QStringList report;
    const vt::ListRead r = vt::readListRows(table, fuzz::put(QStringLiteral("in.vtl"), data, size), report, nullptr);
    if (table.rowCount() > records.size())
        fuzz::fail("more rows than records");
    if (report.size() > 3 + vt::kReportErrorLines + 1)
        fuzz::fail("more report lines than the bound");
    if ((r.stop == vt::StopLimit) != (records.size() > vt::kRowLimitMax))
        fuzz::fail("the limit is reached exactly past 9999 records");
    return 0;
}
