#pragma once
// The terminal the program was started from, for the questions of the
// headless modes.
#include <QString>
#include <optional>

namespace vt::fs {

// Standard input is a terminal (someone can answer a question).
bool stdinIsTerminal();
// One line typed on standard input, without its line break; nullopt at the
// end of input.
std::optional<QString> readStdinLine();

} // namespace vt::fs
