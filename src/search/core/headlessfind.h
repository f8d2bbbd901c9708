#pragma once
// `vestrada --find FOLDER [options]`: the search without a window, one line
// per row (cells separated by tabs), then the report lines.
namespace vt {
// Returns the process exit code.
int runHeadlessFind(int argc, char **argv);
}
