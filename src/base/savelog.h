#pragma once
// Saved operation logs in Options/: two generations per kind (c1/c2 copy,
// m move, r rename, d delete folders, e delete files, f create folders),
// rotated when the current one grows past 300 KB.
#include "base/currentlog.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace vt {

// File 1 larger than this is moved to file 2 before the next record.
constexpr qint64 kSavedLogMax = 307199;

// Letter of a kind's log files; a null QChar for kinds that keep none.
QChar savedLogLetter(LogKind kind);

// Appends the operation log list as one record; false when it is empty, the
// kind keeps no log or the file could not be written.
bool SaveLog(LogKind kind);
// Appends one line as a record.
bool SaveLog(LogKind kind, const QString &text);

struct SavedLogFile {
    QString label;   // "Копирование-1, KB: 12"
    QString path;
};
// The saved logs that exist, in the order c1 c2 m1 m2 r1 r2 d1 d2 e1 e2 f1 f2.
QList<SavedLogFile> savedLogFiles();

// "Log-2026-12-08_09-05-01.txt"
QString logCopyName(const QDateTime &t);
// The log-copy path in folder for time t; a name already taken moves on by a
// second, so a second copy in the same second never replaces the first.
QString freeLogCopyPath(const QString &folder, QDateTime t);

} // namespace vt
