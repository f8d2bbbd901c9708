#pragma once
// One journal item taken back, or only checked. What is done is reported to
// the current journal recorder as the item that would take it back again.
#include "journal/core/journal.h"

namespace vt {

enum class ItemOutcome {
    Done,        // taken back (a test: it would be)
    AlreadyBack, // already at its old place (an undo stopped before could not journal it)
    Taken,       // the old name is taken by another entry
    Missing,     // the entry is gone
    Failed,
};

ItemOutcome undoItem(const JournalItem &item, bool test);

} // namespace vt
