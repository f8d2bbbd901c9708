#pragma once
// The "send to" entry of the desktop: vestrada.desktop in the user's
// applications folder, so that file managers offer Vestrada for files and
// folders.
#include <QString>

namespace vt::sendto {

// $XDG_DATA_HOME/applications/ (default ~/.local/share/applications/).
QString folder();
// folder() + "vestrada.desktop"
QString entryPath();
bool exists();
// Writes the entry for the executable, working in workDir; false on failure.
bool install(const QString &executable, const QString &workDir);
bool remove();
// Text of the entry (Exec and Path escaped as desktop entries require).
QString entryText(const QString &executable, const QString &workDir);

} // namespace vt::sendto
