#pragma once
// Text helpers shared by every part of the program: the cp1251 code page of
// stored files, its compare order, upper case and the date-time text.
#include "base/limits.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vt {

// cp1251 bytes of a text; ok is false when a character has no cp1251 code
// (it is then written as "?").
QByteArray toCp1251(const QString &text, bool *ok = nullptr);
QString fromCp1251(const QByteArray &bytes);
// True when every character of the text has a cp1251 code.
bool fitsCp1251(const QString &text);

// Sort key of a character: its cp1251 code where it has one, else 256 + code point.
int cp1251Code(QChar c);
// Character-by-character compare in cp1251 order; a prefix comes first.
int cp1251Compare(const QString &a, const QString &b);

// Unicode upper case (Cyrillic included).
QString upper(const QString &text);

// "dd.MM.yyyy H:mm:ss", the time left out at exactly midnight.
QString dateTimeText(const QDateTime &dt);
// The same from its parts (a year of 0..9999), without a time-zone look-up.
QString dateTimeText(int year, int month, int day, int hour, int minute, int second);
// Parses what dateTimeText makes; invalid QDateTime when it cannot.
QDateTime parseDateTimeText(const QString &text);

// Writes a whole file through a temporary name and a rename, so that a crash
// never leaves it half written.
bool writeFileAtomic(const QString &path, const QByteArray &data);
// Reads a whole regular file of at most maxBytes; ok is false when it cannot
// be read, is not a regular file (a FIFO or device in its place is never
// waited on) or is bigger (then none of it is read).
QByteArray readWholeFile(const QString &path, bool *ok = nullptr, qint64 maxBytes = kStoreMaxBytes);

// Lines of a cp1251 text store (CR LF or LF), and the store written back.
// A store too big to be ours reads as missing and is never written over
// (see storefile.h).
QStringList readCp1251Lines(const QString &path, bool *ok = nullptr);
bool writeCp1251Lines(const QString &path, const QStringList &lines);
// The bytes writeCp1251Lines writes.
QByteArray cp1251Text(const QStringList &lines);

} // namespace vt
