#pragma once
// The program as the handler of its list files VTL, VTS and VTX (M3U is not
// associated): registry entries of the current user on Windows, MIME types,
// the desktop entry and xdg-mime defaults on a freedesktop.org desktop.
#include <QList>
#include <QString>

namespace vt::assoc {

// For VTL, VTS and VTX, in this order: this program (the executable) opens
// the type now.
QList<bool> ticks(const QString &executable);

// Makes this program the handler of the ticked types (started as executable
// in workDir) and takes it back from the unticked ones where they point to
// it. Empty when everything is as asked, else what went wrong (one line per
// problem).
QString apply(const QList<bool> &ticked, const QString &executable, const QString &workDir);

} // namespace vt::assoc
