#pragma once
// "Send to": the file manager offers Vestrada for files and folders. On
// Windows a shortcut Vestrada.lnk in the user's Send-to folder; on a
// freedesktop.org desktop the program's desktop entry listing the folder type.
#include <QString>

namespace vt::sendto {

// The folder that holds it (the file manager can open it for the user).
QString folder();
// It is installed.
bool exists();
// Installs it for the executable, started in workDir. Empty on success, else
// what went wrong.
QString install(const QString &executable, const QString &workDir);
// Takes it away; false when it was not installed or could not be removed.
bool remove();

} // namespace vt::sendto
