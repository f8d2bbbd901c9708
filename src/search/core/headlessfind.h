#pragma once
// `vestrada --find FOLDER [options] [--save LIST]`: the search without a
// window, one line per row (cells separated by tabs), then the report lines.
#include "search/core/searchparams.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace vt {

class TableModel;
struct TableRow;

// Writes the rows as a list; the exit code (0, 2 failed, 3 rows left out).
using HeadlessSave = std::function<int(const TableModel &rows, const QString &file)>;

// Works on the rows after they are printed (and saved): `--rename ...`, the
// options from "--rename" to the end; the exit code.
using HeadlessRename = std::function<int(TableModel &rows, const QStringList &opts)>;

// The options after "--find": the folder first, then the options, the
// numbers fitted to their fields. False with the text for the error stream
// (the usage, a bad option or a refused extension) when they cannot be used.
struct FindArgs {
    SearchParams params;
    bool emptyFolders = false;
    bool unreadable = false;
    QString saveTo;
    QStringList renameOpts; // from "--rename" to the end
};
bool parseFindArgs(QStringList args, bool canSave, bool canRename, FindArgs &out, QByteArray &error);

// Returns the process exit code. save: how --save writes a list (none: refused);
// rename: how --rename renames (none: refused).
int runHeadlessFind(int argc, char **argv, const HeadlessSave &save = {},
                    const HeadlessRename &rename = {});

// One row as the headless modes print it: the cells separated by tabs,
// control characters as "?", ending with a line break.
QByteArray headlessRowLine(const TableRow &row);
QByteArray plainRow(const QStringList &cells);
// Text as a cell shows it: every control character (C0, DEL, C1) as "?", so
// nothing a name holds can break a line or steer the terminal.
QString plainCell(const QString &text);
// A message to standard output or the error stream: its line breaks made
// plain ("\r\n", "\r" and "\n" each end a line), other control characters "?".
void printOut(const QString &text);
void printErr(const QString &text);
// Lines to standard output, each one line of its own with every control
// character as "?"; with breaks, "\r\n" inside one (the program's own line
// break in a log entry) ends a line.
void printLines(const QStringList &lines, bool breaks = false);

} // namespace vt
