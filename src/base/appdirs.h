#pragma once
// Where the program keeps its files: the program folder and its sub-folders
// Options/, Texts/ and VtlVts/.
#include "platform/dirhandle.h"

#include <QString>
#include <memory>

namespace vt {

// The program folder with a trailing separator: VESTRADA_HOME when set; for
// an installed program $XDG_DATA_HOME/Vestrada/; else the executable's folder
// when writable, else $XDG_DATA_HOME/Vestrada/.
QString programDir();
// The folder holding snd1.wav ... and Help.htm: beside the executable, else
// the installed data folder.
QString dataDir();
// Both for an executable in exeDir, without keeping anything (tests give
// made-up layouts). programDirFor makes the folder it returns.
QString programDirFor(const QString &exeDir);
QString dataDirFor(const QString &exeDir);
// The installed data folder of an executable in exeDir when it holds the
// sounds, else empty.
QString installedDataDirFor(const QString &exeDir);
// Makes programDir() + name when missing; the full path with a trailing
// separator, or empty when it could not be made.
QString mkdirr(const QString &name);
// programDir() + name held open (made when missing), entered without
// following a link: what is written there stays in the program folder. Null
// when it cannot be.
std::unique_ptr<fs::DirHandle> programSubDir(const QString &name);
// Ensures Options/ and keeps its path for the run; empty when it cannot be made.
bool GetOptPath();
QString optPath();
// Forgets the kept paths (tests switch VESTRADA_HOME between cases).
void resetAppDirs();
// `vestrada --paths`: prints the program folder and the data folder.
int printAppDirs(int argc, char **argv);

} // namespace vt
