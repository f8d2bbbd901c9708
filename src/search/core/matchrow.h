#pragma once
// A match of the folder walk as a table row, the same for the window and
// the headless search.
#include "search/core/folderwalk.h"
#include "table/core/tablerow.h"

namespace vt {

inline TableRow matchRow(const WalkItem &m, int id)
{
    return makeRow(id, m.folder, rowEntry(m.nativePath, m.entry, m.shortForm));
}

} // namespace vt
