#pragma once
// What the program's shell and sound services (base/services.h) ask of the
// desktop: opening files, the file manager, starting programs and playing
// sounds. One implementation per system (freedesktop/desktop/, win32/desktop/).
#include <QString>
#include <QStringList>
#include <functional>

namespace vt::desktop {

// The outcome of a request, handed over exactly once: at once, or later from
// the event loop when the desktop has answered.
using Done = std::function<void(bool ok)>;

// Opens a file or folder with its associated program. Where the opener can
// only be watched (xdg-open), one still running after verdictMs counts as
// success: without a desktop it runs the program to its end.
void openPath(const QString &path, int verdictMs, Done done);
// Shows the item selected in a file-manager window; where that cannot be
// done, its folder is opened.
void showItem(const QString &path, int verdictMs, Done done);
// The file manager's properties window of an item; false when none was shown.
bool showProperties(const QString &path);
// Starts a program directly with the arguments as a list; false when it
// could not be started.
bool startProgram(const QString &program, const QStringList &args);

// Plays a sound file without waiting, stopping the one that plays. False
// when the file cannot be played (the caller beeps instead); without an
// audio device nothing plays, and that is no failure.
bool playSound(const QString &file);
// Frees what the sounds hold; called while the application still exists.
void releaseSounds();

} // namespace vt::desktop
