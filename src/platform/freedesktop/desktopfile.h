#pragma once
// The program's desktop entry, vestrada.desktop in the user's applications
// folder. It serves two uses: "send to" (platform/sendto.h: file managers
// offer Vestrada for folders) and the file associations (mimeassoc.h: the
// list types it opens). Both write it here, each keeping the other's MIME
// types. folder(), exists() and remove() of platform/sendto.h are this entry's.
#include "platform/sendto.h"

#include <QString>
#include <QStringList>

namespace vt::sendto {

// folder(): $XDG_DATA_HOME/applications/ (default ~/.local/share/applications/).
// folder() + "vestrada.desktop"
QString entryPath();
// The type that stands for "send to".
inline constexpr char16_t kFolderType[] = u"inode/directory";

// "Send to" is installed (exists()) when the entry lists the folder type.
// Adds the folder type to the entry (written for the executable, working in
// workDir); false on failure. remove() takes it out; the file goes when no
// other type is left.
bool addFolderType(const QString &executable, const QString &workDir);

// MIME types of the entry as it is now, empty when there is none.
QStringList mimeTypes();
// Writes the entry with exactly these types; no types removes it. True when
// the entry is as asked afterwards (never for a program path with "=" in it,
// which no entry can name).
bool writeEntry(const QString &executable, const QString &workDir, const QStringList &types);
// Text of the entry (Exec quoted only where desktop entries require it, Exec
// and Path escaped).
QString entryText(const QString &executable, const QString &workDir,
                  const QStringList &types = {QString::fromUtf16(kFolderType)});

} // namespace vt::sendto
