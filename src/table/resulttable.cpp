#include "table/resulttable.h"

#include "base/services.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QScrollBar>

namespace vt {
namespace {

const char *const RowMime = "application/x-vestrada-row";

const int kStartWidth[ColCount] = {40, 160, 128, 46, 62, 0, 0, 112, 36, 56, 50};
const int kMaxWidth[ColCount] = {90, 0, 0, 140, 100, 100, 0, 140, 0, 0, 0};
// The widest text a column usually holds (none for the folder and name, and
// for the columns hidden at start).
const char *const kWidest[ColCount] = {"9999", nullptr, nullptr, "<Dir>", "byte: 1023", nullptr,
                                       nullptr, "00.00.0000 00:00:00", "255", "9999", "Directory "};

} // namespace

int ResultTable::startWidth(int col) { return col >= 0 && col < ColCount ? kStartWidth[col] : 0; }
int ResultTable::maxWidth(int col) { return col >= 0 && col < ColCount ? kMaxWidth[col] : 0; }

int ResultTable::fittedStartWidth(int col, const QFontMetrics &fm, int headerWidth)
{
    if (col < 0 || col >= ColCount)
        return 0;
    // The widths were made for a smaller font; a column at least shows its
    // header and its widest usual text where its maximum allows.
    int needed = headerWidth;
    if (kWidest[col])
        needed = qMax(needed, fm.horizontalAdvance(QString::fromUtf8(kWidest[col])) + 12);
    const int w = qMax(kStartWidth[col], needed);
    return kMaxWidth[col] > 0 ? qMin(w, kMaxWidth[col]) : w;
}

int ResultTable::modifiedStartWidth(const QFontMetrics &fm) { return fittedStartWidth(ColModified, fm, 0); }

ResultTable::ResultTable(QWidget *parent, TableModel *model)
    : QTableView(parent), m_model(model ? model : new TableModel(this))
{
    setModel(m_model);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setSortingEnabled(false);
    setCornerButtonEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);

    // The selection stays visible when the table has no focus.
    QPalette pal = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView *h = horizontalHeader();
    h->setHighlightSections(false);
    h->setSectionsClickable(true);
    h->setStretchLastSection(false);
    h->setMinimumSectionSize(0);
    for (int c = 0; c < ColCount; ++c) {
        if (kStartWidth[c] == 0)
            setColumnHidden(c, true);
        else
            setColumnWidth(c, fittedStartWidth(c, fontMetrics(), h->sectionSizeHint(c)));
    }
    connect(h, &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        const int mx = maxWidth(col);
        if (mx > 0 && size > mx)
            horizontalHeader()->resizeSection(col, mx);
    });

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ResultTable::onViewSelectionChanged);
    connect(m_model, &TableModel::rowSelectionChanged, this, &ResultTable::onModelRowSelection);
    connect(m_model, &TableModel::selectionReset, this, &ResultTable::syncSelectionFromModel);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ResultTable::onModelReset);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &i) {
        if (i.isValid())
            emit rowDoubleClicked(i.row());
    });
}

void ResultTable::ShowHide83(bool hide)
{
    if (hide) {
        setColumnHidden(Col83, true);
    } else {
        setColumnHidden(Col83, false);
        setColumnWidth(Col83, 200);
    }
    zv(3);
}

bool ResultTable::is83Shown() const { return !isColumnHidden(Col83) && columnWidth(Col83) > 0; }

void ResultTable::setf(int code)
{
    setFocus(Qt::OtherFocusReason);
    const int first = m_model->firstSelected();
    if (first >= 0)
        scrollToRow(first);
    if (code == 1)
        zv(2);
    else if (code != 0)
        zv(3);
}

int ResultTable::currentRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ResultTable::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->size())
        return;
    int col = currentIndex().isValid() ? currentIndex().column() : 0;
    if (isColumnHidden(col))
        col = 0;
    m_pushing = true;
    selectionModel()->setCurrentIndex(m_model->index(row, col), QItemSelectionModel::NoUpdate);
    m_pushing = false;
    scrollToRow(row);
}

void ResultTable::clearCurrentRow()
{
    m_pushing = true;
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    m_pushing = false;
}

void ResultTable::scrollToRow(int row)
{
    if (row < 0 || row >= m_model->size())
        return;
    // Keep the horizontal position; only bring the row into view.
    const int hpos = horizontalScrollBar()->value();
    scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(hpos);
}

int ResultTable::currentRowNumber() const
{
    if (m_model->selectedCount() != 1)
        return 0;
    return m_model->firstSelected() + 1;
}

QString ResultTable::currentRowText() const
{
    const int n = currentRowNumber();
    return n > 0 ? QString::number(n) : QStringLiteral("-");
}

void ResultTable::onViewSelectionChanged(const QItemSelection &selected,
                                         const QItemSelection &deselected)
{
    if (m_pushing || m_model->inStructuralChange())
        return;
    const int n = m_model->size();
    for (const QItemSelectionRange &r : deselected)
        for (int row = r.top(); row <= r.bottom() && row < n; ++row)
            m_model->setSelectedByView(row, false);
    for (const QItemSelectionRange &r : selected)
        for (int row = r.top(); row <= r.bottom() && row < n; ++row)
            m_model->setSelectedByView(row, true);
    if (!m_model->suppress())
        emit countersChanged();
}

void ResultTable::onModelRowSelection(int row, bool on)
{
    const QModelIndex tl = m_model->index(row, 0);
    const QModelIndex br = m_model->index(row, ColCount - 1);
    m_pushing = true;
    selectionModel()->select(QItemSelection(tl, br),
                             on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    m_pushing = false;
}

void ResultTable::syncSelectionFromModel()
{
    // Runs of selected rows become one range each; clearing first keeps the
    // selection model from comparing the old and the new ranges pairwise.
    QItemSelection sel;
    const std::vector<TableRow> &rows = m_model->rows();
    const int n = int(rows.size());
    for (int i = 0; i < n;) {
        if (!rows[size_t(i)].selected) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < n && rows[size_t(j + 1)].selected)
            ++j;
        sel.append(QItemSelectionRange(m_model->index(i, 0), m_model->index(j, ColCount - 1)));
        i = j + 1;
    }
    const bool oldSuppress = m_model->suppress();
    m_model->setSuppress(true);
    m_pushing = true;
    selectionModel()->clearSelection();
    if (!sel.isEmpty())
        selectionModel()->select(sel, QItemSelectionModel::Select);
    m_pushing = false;
    m_model->setSuppress(oldSuppress);
}

void ResultTable::onModelReset()
{
    syncSelectionFromModel();
    const int first = m_model->firstSelected();
    if (first >= 0)
        setCurrentRow(first);
}

void ResultTable::setRowDragEnabled(bool on)
{
    m_rowDrag = on;
    setDragEnabled(on);
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
    setDragDropMode(on ? QAbstractItemView::InternalMove : QAbstractItemView::NoDragDrop);
    setDropIndicatorShown(on);
}

bool ResultTable::canDragRow() const
{
    return m_rowDrag && !isBusy() && !m_model->suppress() && m_model->selectedCount() == 1
        && m_model->size() >= 2;
}

bool ResultTable::dropRowAt(int from, int rowUnderMouse)
{
    const int n = m_model->size();
    if (!canDragRow() || from < 0 || from >= n)
        return false;
    int to;
    if (rowUnderMouse < 0 || rowUnderMouse >= n)
        to = n - 1;
    else
        to = from < rowUnderMouse ? rowUnderMouse - 1 : rowUnderMouse;
    const bool moves = to != from;
    if (moves) {
        SuppressGuard guard(m_model);
        m_model->moveRow(from, to);
    }
    // A row dropped onto its own place stays put but gets the same feedback.
    setCurrentRow(to);
    setFocus(Qt::OtherFocusReason);
    zv(3);
    if (!moves)
        return false;
    emit countersChanged();
    return true;
}

void ResultTable::startDrag(Qt::DropActions)
{
    if (!canDragRow())
        return;
    const int row = m_model->firstSelected();
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(RowMime), QByteArray::number(row));
    auto *drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
}

void ResultTable::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this && event->mimeData()->hasFormat(QString::fromLatin1(RowMime))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ResultTable::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->source() == this && event->mimeData()->hasFormat(QString::fromLatin1(RowMime))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        if (hasAutoScroll())
            startAutoScroll();
    } else {
        event->ignore();
    }
}

void ResultTable::dropEvent(QDropEvent *event)
{
    if (event->source() != this || !event->mimeData()->hasFormat(QString::fromLatin1(RowMime))) {
        event->ignore();
        return;
    }
    bool ok = false;
    const int from = event->mimeData()->data(QString::fromLatin1(RowMime)).toInt(&ok);
    const int under = dropRowUnder(event->position().toPoint());
    event->setDropAction(Qt::IgnoreAction); // the row is moved here, nothing to remove afterwards
    event->accept();
    if (ok)
        dropRowAt(from, under);
}

int ResultTable::dropRowUnder(const QPoint &pos) const
{
    // By height only: a drop right of the last column still lands on its row.
    return rowAt(pos.y());
}

} // namespace vt
