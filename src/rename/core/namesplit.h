#pragma once
// The name splitter: cuts every line of its editor at the last dot or at a
// slash of either kind; the cut-off parts become a sorted list without
// repeats, the rest of each line goes back to the editor.
#include "rename/core/memolines.h"
#include <QString>
#include <QStringList>

namespace vt {

// The most lines the splitter takes, from the table or in its editor.
constexpr int kSplitMaxLines = 5000;

enum class SplitMode {
    Dot = 0,        // the part after the last dot of the last component
    RightSlash = 1, // the part after the last slash
    LeftSlash = 2,  // the part before the first slash
};

// One line: true when a separator was found; part and rest are then set.
bool splitLine(const QString &line, SplitMode mode, QString *part, QString *rest);

struct SplitOutcome {
    QStringList editor; // the new editor lines
    QStringList parts;  // the new results, sorted, without repeats
};
SplitOutcome splitLines(const QStringList &lines, SplitMode mode);

// Sorted ignoring case, empty lines and case-insensitive repeats dropped.
QStringList sortedUnique(QStringList lines);

// The target memo after a split: appended to (after an empty line when it
// holds text) or replaced, with the service line in front of the parts.
QStringList withResults(const QStringList &target, const QStringList &parts, bool append,
                        const QString &serviceLine);

// The two options live for the run, not in the settings.
struct SplitterOptions {
    bool add = true;
    bool serviceText = false;
};
SplitterOptions &splitterOptions();

} // namespace vt
