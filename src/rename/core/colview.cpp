#include "rename/core/colview.h"

#include "table/core/tablemodel.h"

#include <utility>

namespace vt {

bool ColViewState::anySet() const
{
    for (Qt::CheckState s : boxes)
        if (s != Qt::Unchecked)
            return true;
    return false;
}

void ColViewState::setBox(ColBox b, Qt::CheckState s, bool haveStartFolder)
{
    boxes[size_t(b)] = s;
    if (b == BoxFolder) {
        if (s == Qt::Unchecked) {
            startFolderEnabled = false;
            return;
        }
        startFolderEnabled = haveStartFolder;
        if (isSet(BoxName))
            boxes[BoxName] = s;
    } else if (b == BoxName && s != Qt::Unchecked && isSet(BoxFolder)) {
        boxes[BoxFolder] = s;
        startFolderEnabled = haveStartFolder;
    }
}

void ColViewState::reset()
{
    boxes.fill(Qt::Unchecked);
    startFolder = false;
    startFolderEnabled = false;
}

namespace {

QString quoted(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// Words are joined by one space; an empty line takes no separator.
void addWord(QString &line, const QString &word)
{
    if (!line.isEmpty())
        line += QLatin1Char(' ');
    line += word;
}

} // namespace

QString colViewLine(const ColViewState &st, const TableModel &table, int row)
{
    const TableRow &r = table.at(row);
    QString path;
    if (st.isSet(BoxFolder)) {
        if (st.startFolder && st.startFolderEnabled)
            path = table.startFolder();
        path += r.cells[ColFolder];
    }
    if (st.isSet(BoxName))
        path += r.cells[ColName];
    if (!path.isEmpty() && (st.boxes[BoxFolder] == Qt::Checked || st.boxes[BoxName] == Qt::Checked))
        path = quoted(path);

    QString line;
    if (st.isSet(BoxId))
        line = st.boxes[BoxId] == Qt::Checked ? quoted(r.cells[ColID]) : r.cells[ColID];
    if (!path.isEmpty())
        addWord(line, path);

    static constexpr std::pair<ColBox, Col> rest[] = {
        {BoxType, ColType}, {BoxSize, ColSize}, {BoxByte, ColByte}, {Box83, Col83},
        {BoxModified, ColModified}, {BoxOrd, ColOrd}, {BoxPage, ColPage}, {BoxAttrs, ColAttrs}};
    for (const auto &[box, col] : rest) {
        const QString &cell = r.cells[size_t(col)];
        if (st.isSet(box) && !cell.isEmpty())
            addWord(line, st.boxes[size_t(box)] == Qt::Checked ? quoted(cell) : cell);
    }
    return line;
}

} // namespace vt
