#pragma once
// One row of the result table: eleven text cells in column order plus the
// selected state, and the text forms of its cells.
#include <QString>
#include <QtGlobal>
#include <array>

namespace vt {

namespace fs { struct Entry; }

enum Col {
    ColID = 0,
    ColFolder,   // "Папка"
    ColName,     // "Имя"
    ColType,     // "Тип"
    ColSize,     // "Размер"
    ColByte,     // "Byte"
    Col83,       // "8.3"
    ColModified, // "Изменен"
    ColOrd,      // "Ord"
    ColPage,     // "Page"
    ColAttrs,    // "Атрибуты"
    ColCount
};

struct TableRow {
    std::array<QString, ColCount> cells;
    bool selected = false;

    bool isDir() const;
    // Column "Byte" as a 64-bit number, 0 when it does not parse.
    qint64 bytes() const;
    int id() const;
};

inline const QString &dirType()
{
    static const QString t = QStringLiteral("<Dir>");
    return t;
}

// "byte: 1023", "KB: 1", "MB: 5120".
QString tableSizeText(qint64 bytes);
// "Directory Hidden System ReadOnly VolumeID Archive " in that order, each with a blank.
QString attrWords(quint32 attrs);
// Extension after the last dot, upper case, empty without a dot; "<Dir>" for folders.
QString typeText(const QString &name, bool dir);
// Ord/Page cell: "-" for values below 1.
QString ordText(qint64 v);

// A row for a file-system entry; folder is the "Папка" cell (relative or full).
TableRow makeRow(int id, const QString &folder, const fs::Entry &e, const QString &shortPath,
                 qint64 ord = 0, qint64 page = 0);

} // namespace vt
