#pragma once
// The command line without a window: rows from `--find` or `--read`, an
// optional `--save`, then at most one batch action, run with the core code
// the windows use.
#include <QStringList>

namespace vt {

// The arguments (without the program) ask for the headless mode: they name
// one of its options.
bool wantsHeadless(const QStringList &args);
// Runs the command line (the program's name first); the exit code: 0 done,
// 1 the text search matched nothing, 2 refused or a usage error, 3 some row
// failed. A core application must exist.
int runCli(const QStringList &args);

} // namespace vt
