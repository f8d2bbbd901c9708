#pragma once
// Sort codes of the result table: 0..10 the columns, 12 random, 13 marks.
// Direction d: -1 ascending, +1 descending (the tie-breaks follow it).
#include "table/core/tablerow.h"

#include <vector>

namespace vt {

class TableModel;

enum SortCode {
    SortRandom = 12,
    SortMarks = 13,
};

bool isSortCode(int code);

// The new order of the rows (new row i = old row result[i]) for a sort code
// and direction. Each row's key is computed once before sorting; ties fall
// back to the 8.3 column and then the ID, in the same direction.
std::vector<int> sortOrder(const std::vector<TableRow> &rows, int code, int d);

// Reorders the model's rows; returns false for an unknown code.
bool sortTable(TableModel &model, int code, int d);

// The program's random generator, seeded at start; tests may seed it.
void seedRandom(quint32 seed);

} // namespace vt
