#pragma once
// The column view: one text line per row from the chosen result-table
// columns. A box that is checked quotes its cell, a grayed one writes it
// plain; "Папка" and "Имя" make one path, and the search start folder can
// go in front of it.
#include <QString>
#include <qnamespace.h>
#include <array>

namespace vt {

class TableModel;

// The boxes in the order of the window.
enum ColBox {
    BoxFolder, BoxName, BoxType, BoxSize, BoxByte, Box83, BoxModified, BoxOrd, BoxPage, BoxAttrs, BoxId,
    BoxCount
};

// At most this many selected rows are listed.
constexpr int kColViewMaxRows = 5000;

struct ColViewState {
    std::array<Qt::CheckState, BoxCount> boxes{}; // all unchecked
    bool startFolder = false;        // "Папка начала поиска"
    bool startFolderEnabled = false;

    bool isSet(ColBox b) const { return boxes[size_t(b)] != Qt::Unchecked; }
    bool anySet() const;
    // A click left box b in state s: the two path boxes follow each other,
    // and the start-folder box is usable only with "Папка" and a start folder.
    void setBox(ColBox b, Qt::CheckState s, bool haveStartFolder);
    // "сброс": everything off.
    void reset();
};

// The line of one table row.
QString colViewLine(const ColViewState &st, const TableModel &table, int row);

} // namespace vt
