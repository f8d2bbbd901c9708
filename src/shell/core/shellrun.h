#pragma once
// Handing paths to the desktop: open or run (pusk), show a file selected in
// the file manager (ExtFnd), and the guard against folders that fill up with
// files of one extension. Programs always get their arguments as a list.
#include <QString>
#include <QStringList>
#include <functional>

namespace vt {

// A regular file the user may execute: what the program list accepts.
bool isProgramFile(const QString &path);

// Opens target with its associated program, or starts it when it is a program
// file (args then go to it, one element one argument). Success: sound 3.
// Failure: the error beep when quiet, else "Ошибка открытия". A start is
// known at once; whether the desktop could open a file comes later, from the
// event loop, so the outcome (told, then handed to done) may follow the return.
void pusk(bool quiet, const QString &target, const QStringList &args = {},
          std::function<void(bool ok)> done = {});

// Shows path selected in a file-manager window (sound 2, then the main window
// is minimised); failure: "Ошибка открытия!". The outcome may come later.
void ExtFnd(const QString &path);
// What ExtFnd calls after success; the main window sets it.
void setAfterShowItem(std::function<void()> hook);

// Plain files in folder whose names end with ext (any letter case).
int countFilesExt(const QString &folder, const QString &ext);
// False when folder already holds more than 100 such files: the user is told
// (and may open the folder) and the caller writes nothing.
bool GetCntFilesExt(const QString &folder, const QString &ext);

} // namespace vt
