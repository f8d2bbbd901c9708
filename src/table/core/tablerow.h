#pragma once
// One row of the result table: what it knows of its file (the exact native
// path and typed data), the eleven cells drawn from that, and the selected
// state. Display text is made from the path bytes, never the other way round,
// so names that are not valid UTF-8 stay reachable.
#include <QByteArray>
#include <QDateTime>
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

enum class EntryKind : quint8 { File, Folder };

struct RowEntry {
    QByteArray path;     // native full path, no trailing separator
    EntryKind kind = EntryKind::File;
    qint64 size = 0;     // bytes; 0 for folders
    qint64 mtime = 0;    // seconds since the epoch
    quint32 stamp = 0;   // packed FAT stamp, 0 outside 1980-2107
    quint32 attrs = 0;   // fs::Attr bits
    QString shortForm;   // the "8.3" text; rows are unique by it
    qint64 ord = 0, page = 0;
    bool link = false;   // found as a symbolic link: operations follow it; a plain file is never followed

    bool isDir() const { return kind == EntryKind::Folder; }
    // Name bytes after the last separator, and the folder with its separator.
    QByteArray nameBytes() const;
    QByteArray folderBytes() const;
    // The "Изменен" time: two-second steps inside the FAT range.
    QDateTime modified() const;
    // Text forms for messages and cells.
    QString name() const;
    QString displayPath() const;
};

// The entry of a file-system object at a native path.
RowEntry rowEntry(const QByteArray &nativePath, const fs::Entry &e, const QString &shortForm,
                  qint64 ord = 0, qint64 page = 0);

struct TableRow {
    RowEntry entry;
    std::array<QString, ColCount> cells;
    bool selected = false;

    bool isDir() const { return entry.isDir(); }
    qint64 bytes() const { return entry.size; }
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

// A row with its cells drawn from the entry; folderCell is the "Папка" text
// (relative to the search start folder, or full).
TableRow makeRow(int id, const QString &folderCell, RowEntry entry);
// Draws every cell but ID and "Папка" from the entry again.
void renderCells(TableRow &r);

} // namespace vt
