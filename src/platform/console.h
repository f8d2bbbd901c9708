#pragma once
// Standard output and error of the modes without a window (--find, --read,
// --paths).

namespace vt::fs {

// On Windows a program with windows has no console of its own: its output
// goes to the console it was started from, when there is one and the
// output is not redirected, and is written as bytes (UTF-8, line feeds as
// they are). Nothing to do elsewhere.
void useStartingConsole();

} // namespace vt::fs
