#pragma once
// Folders of the system and of the user, as each system names them.
#include <QString>
#include <QStringList>
#include <Qt>

namespace vt::fs {

// The user's folder for program data: $XDG_DATA_HOME (absolute), else
// ~/.local/share; on Windows the local application data folder. "/"
// separated, no trailing separator.
QString userDataHome();
// The TEMP setting: TEMP, else TMPDIR, else /tmp; on Windows TEMP, else the
// system's temporary folder. "/" separated; whether it exists is not checked.
QString tempSetting();
// The system's own folders, which folder renames must stay out of (a folder
// inside a drive's root or "/" itself is not refused for that alone).
const QStringList &systemFolders();
// How the file systems here compare names: exactly, or ignoring case (Windows).
Qt::CaseSensitivity pathCase();
// True when files can be made in the folder.
bool canCreateIn(const QString &folder);

} // namespace vt::fs
