#pragma once
// The current log around a real rename batch, the same for every kind of
// rename: the header opens the operation, the summary closes it.
#include <QString>

namespace vt {

class CurrentLog;
class ListController;

// header: the line as shown, its date stamp included.
CurrentLog &renLogBegin(const QString &header);
// With anything renamed the open list (may be null) is marked changed and
// the log saved.
void renLogEnd(const QString &summary, int ok, ListController *lists);

} // namespace vt
