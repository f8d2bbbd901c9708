#pragma once
// Handing the run over to another program of this program's folder.

namespace vt::fs {

// Replaces this process with the program `name` beside this one, given the
// same arguments. Returns only when that program could not be started
// (always on Windows, where the program with windows runs every mode).
void runSiblingProgram(const char *name, char **argv);

} // namespace vt::fs
