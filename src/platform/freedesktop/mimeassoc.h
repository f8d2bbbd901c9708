#pragma once
// The program as the handler of its list files on a freedesktop.org desktop
// (platform/associations.h): a shared-mime-info package per type under
// $XDG_DATA_HOME/mime/packages/, the types in the desktop entry
// (desktopfile.h) and the default set with xdg-mime. The tools run as
// processes with argument lists, never through a shell.
#include "platform/associations.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vt::assoc {

struct ListType {
    QString ext;      // "vtl"
    QString mimeType; // "application/x-vestrada-vtl"
    QString comment;
    bool text;        // a text list: a kind of text/plain
};

// VTL, VTS and VTX, in the dialog's order.
const QList<ListType> &listTypes();

// $XDG_DATA_HOME/mime/ (default ~/.local/share/mime/).
QString mimeFolder();
// mimeFolder() + "packages/vestrada-" + ext + ".xml"
QString packagePath(const ListType &t);
QString packageText(const ListType &t);

// The desktop entry's file name, as xdg-mime knows the program.
QString desktopId();
// True for the program's own entries: desktopId() and the installed menu entry.
bool isOwnEntry(const QString &id);

// True when `xdg-mime query default` names this program for the type.
// ticks() asks it for each of listTypes(); apply() registers the ticked types
// and takes back the unticked ones where they point to this program, a type
// itself going only when no other program is set up for it.
bool isDefault(const QString &mimeType);

// The user's mimeapps.list files that xdg-mime writes or reads first.
QStringList userMimeAppsFiles();
// mimeapps.list text without this program as handler of mimeType, in
// [Default Applications] and [Added Associations]; every other line kept.
QByteArray withoutProgram(const QByteArray &mimeApps, const QString &mimeType);
// The first program a handler section of the text names for mimeType, empty
// when none does.
QString handlerOf(const QByteArray &mimeApps, const QString &mimeType);

} // namespace vt::assoc
