#pragma once
// A command line for the user to paste into the platform's shell: the shell
// reads it back as exactly these arguments and runs nothing of their text.
#include <QString>
#include <QStringList>

namespace vt::fs {

// POSIX shells: an argument with anything a shell would read is put in single
// quotes, a quote inside written as '\''. cmd.exe: such an argument goes in
// double quotes, a quote inside written \" (a %NAME% of the environment is
// still expanded there: cmd.exe has no way to write a literal one).
QString shellArgument(const QString &arg);
QString shellCommandLine(const QStringList &args);

} // namespace vt::fs
