#pragma once
// The lines of an editor's text as the user sees them, for the windows that
// take one name or path a line.
#include <QString>
#include <QStringList>

namespace vt {

// "\n" or "\r\n" end a line; a final line break starts no new line and an
// empty text has none.
QStringList memoLines(const QString &text);
// The text whose memoLines() are `lines` (an empty last line survives).
QString memoText(const QStringList &lines);

} // namespace vt
