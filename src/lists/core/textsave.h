#pragma once
// Saving the rows as a text file (TXT report, VTX or M3U list, CSV table) into the
// Texts folder under a time-stamped name or into TEMP under one fixed name,
// then offering to open it or show it in the file manager.
#include <QString>

namespace vt {

class CurrentLog;
class TableModel;

// Csv: the eleven columns as a spreadsheet table (lists/core/csvlist.h).
enum class TextType { Txt = 0, Vtx = 1, M3u = 2, Csv = 3 };

struct TextSaveRequest {
    QString quote;           // '"' or empty (TXT only)
    QString replacement;     // put in place of the search start folder
    bool useReplacement = false;
    bool toTemp = false;
    bool ctrl = false;       // only open the folder
    bool shift = false;      // whole-row form (TXT)
    TextType type = TextType::Txt;
};

// The answer of the last question: 2 cancelled or failed, 6 Yes, 1 OK.
int SaveAsTxt(const TableModel &table, CurrentLog &log, const TextSaveRequest &req);

} // namespace vt
