#pragma once
// Turns checked search parameters into the settings of the folder walk, the
// same way for the window and for the headless search.
#include "search/core/folderwalk.h"
#include "search/core/searchparams.h"

namespace vt {

// The per-entry tests of the parameters for a search mode.
EntryFilter entryFilterFor(const SearchParams &p, const ValidSearch &v, SearchMode mode);

// mode: the search mode chosen (empty folders come from a question in the
// window and from an option in the headless search).
WalkSettings walkSettingsFor(const SearchParams &p, const ValidSearch &v, SearchMode mode, bool unreadable);

// The mode that the parameters ask for, before the folder question.
SearchMode modeFor(const SearchParams &p);

} // namespace vt
