#include "platform/console.h"

namespace vt::fs {

void useStartingConsole() {}

} // namespace vt::fs
