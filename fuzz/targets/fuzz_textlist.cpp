// VTX, M3U and TXT lists: line decoding, its round trip, and the reads.
#include "fuzzhome.h"
#include "lists/core/textlist.h"
#include "table/core/tablemodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kMaxTextList))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = vt::decodeTextLines(bytes);
    // A list the program writes must read back line for line.
    if (vt::decodeTextLines(vt::encodeTextLines(lines)) != lines)
        fuzz::fail("text lines changed on their way back");
    for (const QString &l : lines)
        vt::cleanListLine(l);
    static const char *const names[] = {"in.vtx", "in.m3u", "in.txt"};
    const int pick = size ? data[0] % 3 : 0;
    vt::TableModel table;
    QStringList report;
    vt::readTextListRows(table, fuzz::put(QString::fromLatin1(names[pick]), data, size), report, nullptr,
                         pick == 2 ? vt::TextListForm::Txt : vt::TextListForm::Vtx);
    if (table.rowCount() > lines.size())
        fuzz::fail("more rows than lines");
    if (report.size() > 3 + vt::kReportErrorLines + 1)
        fuzz::fail("more report lines than the bound");
    return 0;
}
