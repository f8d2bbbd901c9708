#pragma once
// `--rename RULES[:N] [--folders] [--test]` after --find or --read: preset N
// (1..9, default 1) of a rule file in the presets format (or a file of one
// record) over every row in table order, with the preview's code.
#include <QString>

namespace vt {

class TableModel;

// spec: RULES[:N]. Exit code: 0 every row OK, 3 a row failed, 2 the rule
// was refused.
int renameRowsHeadless(TableModel &rows, const QString &spec, bool dirs, bool test);

} // namespace vt
