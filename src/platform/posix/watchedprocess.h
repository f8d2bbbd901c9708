#pragma once
// A program started apart from this one, whose exit code still comes back:
// it runs in a session of its own (it outlives this process and a terminal's
// signals), and a small go-between process waits for it and reports the code
// through a pipe, so nothing here ever waits.
#include <QString>
#include <QStringList>
#include <functional>

namespace vt::fs {

// Starts program (a path, or a name looked up in PATH) with args as a list;
// its input is /dev/null. onExit runs later on this thread's event loop with
// the exit code (127 when it could not be run, -1 when it was killed by a
// signal). False, and onExit never runs, when nothing could be started.
bool startWatched(const QString &program, const QStringList &args, std::function<void(int exitCode)> onExit);

// Hands path to the desktop's opener (xdg-open); onExit gets its exit code,
// 0 when a program took the path. False when there is no opener.
bool openWithDesktop(const QString &path, std::function<void(int exitCode)> onExit);

} // namespace vt::fs
