#pragma once
// Table counters: file and folder rows in total and selected, and their sizes
// as whole kilobytes plus a sum of byte remainders.
#include <QString>
#include <QtGlobal>

namespace vt {

struct SizeSum {
    quint64 kb = 0;  // sum of size div 1024
    quint64 rem = 0; // sum of size mod 1024
    void add(qint64 bytes);
    void sub(qint64 bytes);
    bool operator==(const SizeSum &o) const { return kb == o.kb && rem == o.rem; }
    bool operator!=(const SizeSum &o) const { return !(*this == o); }
};

struct TableCounters {
    int files = 0, folders = 0;
    SizeSum size;
    int selFiles = 0, selFolders = 0;
    SizeSum selSize;
    bool rowsRemoved = false;

    // The counts and sizes only (the rows-removed flag is not compared).
    bool sameCounts(const TableCounters &o) const
    {
        return files == o.files && folders == o.folders && size == o.size
            && selFiles == o.selFiles && selFolders == o.selFolders && selSize == o.selSize;
    }
};

// Status-bar size text: "" for nothing, "512 байт", "1,50 МБ", "2,00 ГБ".
// Hundredths that round up to 100 carry into the whole value (and a value
// that reaches 1024 moves up to the next unit), so "1023,100 КБ" is shown as
// "1,00 МБ".
QString statusSizeText(quint64 kb, quint64 rem);
inline QString statusSizeText(const SizeSum &s) { return statusSizeText(s.kb, s.rem); }

} // namespace vt
