#pragma once
// The VTS snapshot file: headerless fixed records of 344 bytes. Record 0 is
// the header (mark, search start folder, creation day, description), records
// 1..n the rows with their displayed texts, so that a snapshot restores the
// table without the disk. Integers little-endian, texts cp1251 with a length
// byte and zero fill.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vt {

constexpr int kVtsRecordSize = 344;
constexpr int kVtsPathMax = 255;
constexpr int kVtsModifiedMax = 20;
constexpr int kVtsAttrsMax = 50;
constexpr int kVtsDescMax = 70;
constexpr int kVtsDescFirst = 50; // the description is kept as 50 + 20 characters
constexpr int kVtsMarkCount = 6;

// "CD / DVD", "Музык.CD / DVD", "Диск", "Флешка", "Поиск с папки", "Разные".
const QStringList &vtsMarkNames();
// The name of a mark; empty for an index outside the list.
QString vtsMarkName(int mark);

struct VtsHeader {
    quint16 mark = 0;
    QString startFolder; // empty when Папка holds full paths
    qint32 created = 0;  // whole days since 30.12.1899
    QString description; // up to 70 characters
};

struct VtsRow {
    quint8 ord = 0;
    quint16 id = 0;
    QString path;        // Папка + Имя as displayed
    qint64 size = 0;     // up to 40 bits
    bool folder = false;
    qint32 page = 0;
    QString modified;    // the Изменен text
    QString attrs;       // the Атрибуты text
};

// Bits 32..39 of a size; 255 when the size needs more than 40 bits.
quint8 sizeHighByte(qint64 size);

// The records; empty when a text cannot be stored as it is (the path longer
// than 255 characters or with a character outside cp1251; a header whose
// start folder cannot be stored). The description is cut to 70 characters,
// the Изменен text to 20 and the Атрибуты text to 50.
QByteArray vtsHeaderRecord(const VtsHeader &h);
QByteArray vtsRowRecord(const VtsRow &r);
// Decoding never reads past the record: every length byte is bounded by its field.
VtsHeader vtsHeader(const char *record);
VtsRow vtsRow(const char *record);

// "2026-12-08_12-00-00.vts": the local time of saving.
QString vtsFileName(const QDateTime &local);
// Whole days since 30.12.1899 and back.
qint32 vtsDay(const QDate &date);
QDate vtsDate(qint32 day);

} // namespace vt
