#pragma once
// What the text view of rows shows: the files as folder, name and
// extension, the folders as parent and name, taken from the selected rows of
// the result table or from a list of full paths; and the list of their
// parent folders.
#include "rename/core/filememo.h"

#include <QString>
#include <QStringList>

namespace vt {

class TableModel;

struct ViewLists {
    FileParts files;
    QStringList dirParents; // with the trailing separator
    QStringList dirNames;

    int fileCount() const { return int(files.names.size()); }
    int dirCount() const { return int(dirNames.size()); }
    int total() const { return fileCount() + dirCount(); }
};

// Where the paths of a prepared list come from.
enum class ViewMode {
    Table = 0,   // the selected rows of the result table
    Any = 1,     // each path looked up: folder or file
    Files = 2,
    Folders = 3,
};

// Name and extension at the last dot (the extension keeps its dot).
void splitExt(const QString &name, QString *base, QString *ext);

// The selected rows in table order; folder rows by their type cell.
ViewLists viewOfTable(const TableModel &table);
// Full paths, each cut into its folder and its last component; Files and
// Folders take every path as that kind, anything else asks the disk.
ViewLists viewOfPaths(const QStringList &paths, ViewMode mode);

// The folder memo: the names alone or parent + name.
QStringList dirMemoLines(const ViewLists &v, bool fullPath);
// The splitter's editor lines: every file as folder + name + extension,
// then every folder as parent + name.
QStringList splitterLines(const ViewLists &v);
// The splitter's editor lines from the table: search start folder +
// "Папка" + "Имя" of every selected row.
QStringList splitterLinesOfTable(const TableModel &table);

// The parents of the files and folders without their trailing separator
// (or only their last name), once each ignoring case, sorted ignoring case.
QStringList parentFolders(const ViewLists &v, bool namesOnly);

// "Просмотр выделенных в " + tail + " (всего: n)".
QString viewCaption(const QString &tail, int total);

} // namespace vt
