// VTS snapshots: header and row decoders, and the whole read into the table.
#include "base/limits.h"
#include "fuzzhome.h"
#include "lists/core/listread.h"
#include "lists/core/vtsfile.h"
#include "lists/core/vtsformat.h"
#include "table/core/tablemodel.h"

namespace {

bool sameRow(const vt::VtsRow &a, const vt::VtsRow &b)
{
    return a.ord == b.ord && a.id == b.id && a.path == b.path && a.size == b.size
        && a.folder == b.folder && a.page == b.page && a.modified == b.modified && a.attrs == b.attrs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A snapshot holds no more rows than a table; the reader stops there.
    if (fuzz::beyond(size, qint64(vt::kRowLimitMax + 2) * vt::kVtsRecordSize))
        return 0;
    const char *bytes = reinterpret_cast<const char *>(data);
    for (size_t at = 0; at + vt::kVtsRecordSize <= size; at += vt::kVtsRecordSize) {
        const vt::VtsRow row = vt::vtsRow(bytes + at);
        const QByteArray again = vt::vtsRowRecord(row);
        if (!again.isEmpty() && !sameRow(vt::vtsRow(again.constData()), row))
            fuzz::fail("a VTS row changed on its way back");
        const vt::VtsHeader h = vt::vtsHeader(bytes + at);
        const QByteArray head = vt::vtsHeaderRecord(h);
        if (!head.isEmpty()) {
            const vt::VtsHeader back = vt::vtsHeader(head.constData());
            if (back.mark != h.mark || back.startFolder != h.startFolder || back.created != h.created
                || back.description != h.description)
                fuzz::fail("a VTS header changed on its way back");
        }
    }
    const QString path = fuzz::put(QStringLiteral("in.vts"), data, size);
    vt::VtsHeader header;
    vt::readVtsHeader(path, &header);
    vt::TableModel table;
    QStringList report;
    vt::readListRows(table, path, report, nullptr);
    if (table.rowCount() > qsizetype(size / vt::kVtsRecordSize))
        fuzz::fail("more rows than records");
    if (report.size() > 3 + vt::kReportErrorLines + 1)
        fuzz::fail("more report lines than the bound");
    return 0;
}
