#pragma once
// `vestrada --find FOLDER [options]`: the search without a window, one line
// per row (cells separated by tabs), then the report lines; and the output
// helpers every headless mode prints through.
#include "search/core/searchparams.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace vt {

class TableModel;
struct TableRow;

// The options of `--find FOLDER [options]`: the folder is the value of
// --find, the options are added to the one parser of the command line.
struct FindArgs {
    SearchParams params;
    bool emptyFolders = false;
    bool unreadable = false;
};
// Returns the names it added.
QStringList addFindOptions(QCommandLineParser &parser);
// The search the parsed options ask for, the numbers fitted to their fields.
// False with the text for the error stream (a bad value or a refused
// extension) when they cannot be used.
bool findArgsFrom(const QCommandLineParser &parser, FindArgs &out, QByteArray &error);
// The same for the arguments after "--find" alone (the folder first).
bool parseFindArgs(const QStringList &args, FindArgs &out, QByteArray &error);

// Runs the search, prints one line per row and the report; the rows go to
// `kept` when keep is set. Returns 0, or 2 when the search was refused (the
// message is on the error stream).
int findRowsHeadless(const FindArgs &args, TableModel &kept, bool keep);

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
