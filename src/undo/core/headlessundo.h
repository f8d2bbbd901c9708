#pragma once
// `vestrada --undo [--test]`: takes back the newest batch of the journal that
// can be (a test only says what would happen) and prints a line per item and
// the result; `vestrada --journal` lists the journal's batches, newest first.
namespace vt {

// The exit codes: 0 every item, 3 some failed, 2 nothing to undo or bad options.
int runHeadlessUndo(int argc, char **argv);
int runHeadlessJournal(int argc, char **argv);

} // namespace vt
