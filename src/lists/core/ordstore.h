#pragma once
// The Ord and Page ordinals: the 255 category names of Options/ord2 (255
// records of 101 bytes: a length byte and up to 100 cp1251 characters), the
// typed Page answer, writing ordinals into the table, and the column modes.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vt {

class TableModel;

constexpr int kOrdCount = 255;
constexpr int kOrdRecordSize = 101;
constexpr int kOrdNameMax = 100;

// Options/ord2; empty when Options/ cannot be made.
QString ordStorePath();

enum class OrdLoad { Ok, WrongSize, Unreadable };
// The 255 names; a missing file is made with empty names first. A file of
// any other size is deleted (WrongSize): the next use starts from empty names.
OrdLoad loadOrdNames(const QString &path, QStringList *names);
bool saveOrdNames(const QString &path, const QStringList &names);

// "  7) name": the number right-aligned in 3 characters.
QString ordEntryText(int number, const QString &name);
// The name of an entry text: from its 6th character on.
QString ordEntryName(const QString &entry);

// A typed Page: its value, -1 when it is not a 32-bit integer.
qint64 pageAnswer(const QString &typed);

// Writes an ordinal (0 = "-") into the rows: several rows always, one row
// only when its text differs. True when something was written.
bool setOrdColumn(TableModel &table, const QList<int> &rows, qint64 ord);
bool setPageColumn(TableModel &table, const QList<int> &rows, qint64 page);

// Ord/Page column modes: 0 shown for open lists, 1 hidden, 2 shown, 3 left as they are.
enum class OrdPageMode { Auto = 0, Hide = 1, Show = 2, Keep = 3 };
// Whether the columns are shown in a mode; nullopt: leave them as they are.
std::optional<bool> ordColumnsShown(OrdPageMode mode, bool linksShown);

} // namespace vt
