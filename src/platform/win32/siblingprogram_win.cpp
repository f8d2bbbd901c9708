#include "platform/siblingprogram.h"

namespace vt::fs {

// One program runs every mode on Windows.
void runSiblingProgram(const char *, char **) {}

} // namespace vt::fs
