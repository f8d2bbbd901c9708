#pragma once
// Where the program keeps its files: the program folder and its sub-folders
// Options/, Texts/ and VtlVts/.
#include <QString>

namespace vt {

// The program folder with a trailing separator: VESTRADA_HOME when set, else
// the executable's folder when writable, else $XDG_DATA_HOME/Vestrada/.
QString programDir();
// The folder holding snd1.wav ... and Help.htm: beside the executable, else
// the installed data folder.
QString dataDir();
// Makes programDir() + name when missing; the full path with a trailing
// separator, or empty when it could not be made.
QString mkdirr(const QString &name);
// Ensures Options/ and keeps its path for the run; empty when it cannot be made.
bool GetOptPath();
QString optPath();
// Forgets the kept paths (tests switch VESTRADA_HOME between cases).
void resetAppDirs();

} // namespace vt
