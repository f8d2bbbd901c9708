#pragma once
// The start of the program for the modes without a window (--find, --read,
// --paths, --undo, --journal, --help, --version): shared by the program
// with windows and by the one without.

namespace vt {

// Runs the command line when it names a mode without a window and returns
// its exit code; -1 when the command line is for the window.
int runHeadlessMain(int argc, char **argv);

} // namespace vt
