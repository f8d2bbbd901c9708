#include "fakeservices.h"
#include "tablerows.h"

#include "table/core/selection.h"
#include "table/core/sorting.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

void fill(ResultTable &t, int files, int dirs = 0)
{
    TableModel *m = t.tableModel();
    m->clear();
    int id = 0;
    for (int i = 0; i < dirs; ++i) {
        ++id;
        m->appendRow(dirRow(id, "", QString("папка%1").arg(i)));
    }
    for (int i = 0; i < files; ++i) {
        ++id;
        m->appendRow(fileRow(id, "", QString("файл%1.txt").arg(i), 1536));
    }
}

QPoint rowPoint(ResultTable &t, int row)
{
    return t.visualRect(t.tableModel()->index(row, ColName)).center();
}

// The view's selected rows, in order.
QList<int> viewRows(ResultTable &t)
{
    QList<int> out;
    for (const QModelIndex &i : t.selectionModel()->selectedRows())
        out << i.row();
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

class TestResultTable : public QObject {
    Q_OBJECT
    FakeServices *svc = nullptr;
private slots:
    void init() { svc = new FakeServices; }
    void cleanup()
    {
        delete svc;
        svc = nullptr;
    }

    void columnsAtStart()
    {
        const int widths[] = {40, 160, 128, 46, 62, 0, 0, 112, 36, 56, 50};
        const int maxima[] = {90, 0, 0, 140, 100, 100, 0, 140, 0, 0, 0};
        ResultTable t;
        // With the default font, headers and the widest usual cells read whole.
        QHeaderView *h = t.horizontalHeader();
        const int headerMargins = 2 * t.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int c = 0; c < ColCount; ++c) {
            const QString caption = t.model()->headerData(c, Qt::Horizontal).toString();
            const int w = t.columnWidth(c);
            QVERIFY2(widths[c] ? w >= h->fontMetrics().horizontalAdvance(caption) + headerMargins
                                     && w >= widths[c] && (!maxima[c] || w <= maxima[c])
                               : t.isColumnHidden(c),
                     qPrintable(caption));
        }
        QVERIFY(t.columnWidth(ColSize) >= t.fontMetrics().horizontalAdvance("byte: 1023") + 6);
        QVERIFY(t.columnWidth(ColAttrs) >= t.fontMetrics().horizontalAdvance("Directory ") + 6);
        // The date column fits a whole date and time within its 112..140.
        const int dateWidth = t.columnWidth(ColModified);
        QVERIFY(dateWidth >= 112 && dateWidth <= 140);
        QCOMPARE(dateWidth, ResultTable::modifiedStartWidth(t.fontMetrics()));
        QFont small = t.font();
        small.setPixelSize(6);
        QCOMPARE(ResultTable::modifiedStartWidth(QFontMetrics(small)), 112);
        QFont huge = t.font();
        huge.setPixelSize(40);
        QCOMPARE(ResultTable::modifiedStartWidth(QFontMetrics(huge)), 140);
        QVERIFY(t.showGrid());
        QCOMPARE(t.selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(t.selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(t.editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(t.palette().color(QPalette::Inactive, QPalette::Highlight),
                 t.palette().color(QPalette::Active, QPalette::Highlight));
        // Maximum widths hold when a column is widened.
        t.setColumnWidth(ColID, 300);
        QCOMPARE(t.columnWidth(ColID), 90);
        t.setColumnWidth(ColType, 500);
        QCOMPARE(t.columnWidth(ColType), 140);
        t.setColumnWidth(ColFolder, 700);
        QCOMPARE(t.columnWidth(ColFolder), 700);
    }

    void showHide83()
    {
        ResultTable t;
        t.ShowHide83(false);
        QVERIFY(t.is83Shown());
        QCOMPARE(t.columnWidth(Col83), 200);
        t.ShowHide83(true);
        QVERIFY(!t.is83Shown());
        QCOMPARE(svc->sound.played, (QList<int>{3, 3}));
    }

    void mouseSelectionCountsA1536ByteFile()
    {
        ResultTable t;
        t.resize(800, 400);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        fill(t, 3, 1);
        QSignalSpy changed(&t, &ResultTable::countersChanged);
        TableModel *m = t.tableModel();

        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, rowPoint(t, 1));
        QCOMPARE(m->selectedRows(), QList<int>{1});
        QCOMPARE(m->counters().selFiles, 1);
        QCOMPARE(m->counters().selSize.kb, quint64(1));
        QCOMPARE(m->counters().selSize.rem, quint64(512));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(t.currentRowText(), QStringLiteral("2"));

        // Ctrl adds the folder: only the folder count changes.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(t, 0));
        QCOMPARE(m->selectedRows(), (QList<int>{0, 1}));
        QCOMPARE(m->counters().selFolders, 1);
        QCOMPARE(m->counters().selSize.kb, quint64(1));
        QCOMPARE(t.currentRowText(), QStringLiteral("-"));

        // Shift extends a range from the anchor.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(t, 3));
        QCOMPARE(m->selectedRows(), viewRows(t));
        QVERIFY(m->computeCounters().sameCounts(m->counters()));

        // A plain click deselects the others.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, rowPoint(t, 2));
        QCOMPARE(m->selectedRows(), QList<int>{2});
        QCOMPARE(m->counters().selFiles, 1);
        QCOMPARE(m->counters().selFolders, 0);
        QCOMPARE(m->counters().selSize.rem, quint64(512));

        // Ctrl-click on the selected row deselects it and subtracts its size.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ControlModifier, rowPoint(t, 2));
        QCOMPARE(m->selectedCount(), 0);
        QCOMPARE(m->counters().selSize, SizeSum());

        // Keys move the selection.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, rowPoint(t, 0));
        QTest::keyClick(t.viewport(), Qt::Key_Down);
        QCOMPARE(m->selectedRows(), QList<int>{1});
        QTest::keyClick(t.viewport(), Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m->selectedRows(), (QList<int>{1, 2}));
        QCOMPARE(m->counters().selFiles, 2);
        // Ctrl+A selects everything.
        QTest::keyClick(t.viewport(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(m->selectedCount(), 4);
        QVERIFY(m->computeCounters().sameCounts(m->counters()));
    }

    void logicChangesReachTheView()
    {
        ResultTable t;
        fill(t, 5, 2);
        TableModel *m = t.tableModel();
        m->setSelected(3, true);
        QCOMPARE(viewRows(t), QList<int>{3});
        selTab(*m, SelectAll::Select);
        QCOMPARE(viewRows(t).size(), 7);
        m->setSelected(0, false);
        invertSelection(*m);
        QCOMPARE(viewRows(t), QList<int>{0});
        QCOMPARE(m->counters().selFolders, 1);
        QCOMPARE(m->counters().selFiles, 0);
        selectByKind(*m, true, false, true);
        QCOMPARE(viewRows(t), (QList<int>{0, 2, 3, 4, 5, 6}));
        QVERIFY(m->computeCounters().sameCounts(m->counters()));
        QVERIFY(!m->suppress());
    }

    void sortAndRemoveKeepTheViewInStep()
    {
        ResultTable t;
        fill(t, 6, 2);
        TableModel *m = t.tableModel();
        m->setSelected(1, true);
        m->setSelected(5, true);
        sortTable(*m, SortMarks, -1);
        QCOMPARE(m->selectedRows(), (QList<int>{0, 1}));
        QCOMPARE(viewRows(t), (QList<int>{0, 1}));
        sortTable(*m, ColID, -1);
        QCOMPARE(viewRows(t), (QList<int>{1, 5}));
        removeSelectedRows(*m);
        QCOMPARE(m->size(), 6);
        QVERIFY(viewRows(t).isEmpty());
        QCOMPARE(m->counters().selFiles + m->counters().selFolders, 0);
        QVERIFY(m->computeCounters().sameCounts(m->counters()));
        // Scattered removal (reset path) keeps the remaining selection.
        fill(t, 200);
        for (int i = 0; i < 200; i += 2)
            m->setSelected(i, true);
        m->setSelected(199, true);
        QList<int> odd;
        for (int i = 1; i < 199; i += 2)
            odd << i;
        m->removeRows(odd);
        QCOMPARE(m->size(), 101);
        QCOMPARE(viewRows(t).size(), 101);
        QCOMPARE(m->selectedCount(), 101);
        QVERIFY(m->computeCounters().sameCounts(m->counters()));
    }

    void dragMovesOneRow()
    {
        ResultTable t;
        fill(t, 5);
        TableModel *m = t.tableModel();
        m->setSelected(1, true);
        QVERIFY(!t.dropRowAt(1, 4)); // dragging is off
        t.setRowDragEnabled(true);
        QVERIFY(t.rowDragEnabled());
        // Before the row under the mouse: row 4 → ends at 3.
        QVERIFY(t.dropRowAt(1, 4));
        QCOMPARE(ids(*m), (QStringList{"1", "3", "4", "2", "5"}));
        QCOMPARE(m->selectedRows(), QList<int>{3});
        QCOMPARE(viewRows(t), QList<int>{3});
        QCOMPARE(t.currentRow(), 3);
        QCOMPARE(svc->sound.played, QList<int>{3});
        // Below the last row: appended at the end.
        QVERIFY(t.dropRowAt(3, -1));
        QCOMPARE(ids(*m), (QStringList{"1", "3", "4", "5", "2"}));
        // Upwards.
        QVERIFY(t.dropRowAt(4, 0));
        QCOMPARE(ids(*m), (QStringList{"2", "1", "3", "4", "5"}));
        // Onto itself or just below itself: the order stays, sound 3 all the same.
        svc->sound.played.clear();
        QVERIFY(!t.dropRowAt(0, 0));
        QVERIFY(!t.dropRowAt(0, 1));
        QCOMPARE(ids(*m), (QStringList{"2", "1", "3", "4", "5"}));
        QCOMPARE(m->selectedRows(), QList<int>{0});
        QCOMPARE(svc->sound.played, (QList<int>{3, 3}));
        // Refused while busy, while suppressed, with two selected rows.
        bool busy = true;
        t.setBusyTest([&busy] { return busy; });
        QVERIFY(!t.dropRowAt(0, 3));
        busy = false;
        m->setSuppress(true);
        QVERIFY(!t.dropRowAt(0, 3));
        m->setSuppress(false);
        m->setSelected(2, true);
        QVERIFY(!t.dropRowAt(0, 3));
    }

    void dropPointPicksTheRowByHeight()
    {
        ResultTable t;
        t.resize(1000, 300);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        fill(t, 3);
        const QRect row1 = t.visualRect(t.tableModel()->index(1, ColName));
        // Right of the last column, still on row 2: it lands on row 2, not at the end.
        const QPoint right(t.viewport()->width() - 5, row1.center().y());
        QVERIFY(!t.indexAt(right).isValid());
        QCOMPARE(t.dropRowUnder(right), 1);
        QCOMPARE(t.dropRowUnder(row1.center()), 1);
        // Below the last row: appended at the end.
        const QRect last = t.visualRect(t.tableModel()->index(2, ColName));
        QCOMPARE(t.dropRowUnder(QPoint(last.center().x(), last.bottom() + 20)), -1);
    }

    void doubleClickReportsTheRow()
    {
        ResultTable t;
        t.resize(600, 300);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        fill(t, 3);
        QSignalSpy dbl(&t, &ResultTable::rowDoubleClicked);
        // A double click is a press and release followed by the double-click press.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, rowPoint(t, 2));
        QTest::mouseDClick(t.viewport(), Qt::LeftButton, {}, rowPoint(t, 2));
        QCOMPARE(dbl.count(), 1);
        QCOMPARE(dbl.first().first().toInt(), 2);
    }

    void statusPanels()
    {
        StatusPanels s;
        QCOMPARE(s.panel(0), QStringLiteral("Выделено файлов:"));
        QCOMPARE(s.panel(3), QStringLiteral("Выделено папок:"));
        QCOMPARE(s.panel(5), QStringLiteral("Файлов:"));
        QCOMPARE(s.panel(8), QStringLiteral("Папок:"));
        TableCounters c;
        c.files = 12;
        c.folders = 3;
        c.size.kb = 1536;
        c.selFiles = 2;
        c.selFolders = 1;
        c.selSize.kb = 1;
        c.selSize.rem = 512;
        s.SelRes(c);
        QCOMPARE(s.panel(1), QStringLiteral("2"));
        QCOMPARE(s.panel(2), QStringLiteral("1,50 КБ"));
        QCOMPARE(s.panel(4), QStringLiteral("1"));
        s.SetLabRes(c);
        QCOMPARE(s.panel(6), QStringLiteral("12"));
        QCOMPARE(s.panel(9), QStringLiteral("3"));
        s.showTotalSize(c);
        QCOMPARE(s.panel(7), QStringLiteral("1,50 МБ"));
        s.setPanel(7, "x");
        QCOMPARE(s.panelLabel(7)->text(), QStringLiteral("x"));
    }

    void bulkChangesOn9999RowsAreFast()
    {
        ResultTable t;
        t.resize(900, 600);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        TableModel *m = t.tableModel();
        QElapsedTimer timer;
        timer.start();
        for (int i = 1; i <= 9999; ++i)
            m->appendRow(fileRow(i, "", QString("f%1").arg(i), i));
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        // A scattered selection, then invert it: many ranges each way.
        {
            SelectionBatch b(m);
            for (int i = 0; i < 9999; i += 2)
                m->setSelected(i, true);
        }
        timer.restart();
        invertSelection(*m);
        QApplication::processEvents();
        QVERIFY2(timer.elapsed() < 300, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(m->selectedCount(), 4999);
        QCOMPARE(int(t.selectionModel()->selectedRows().size()), 4999);
        timer.restart();
        selTab(*m, SelectAll::Select);
        selTab(*m, SelectAll::Clear);
        QApplication::processEvents();
        QVERIFY2(timer.elapsed() < 300, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!t.selectionModel()->hasSelection());
    }
};

VT_TEST_MAIN(TestResultTable)
#include "tst_gui_resulttable.moc"
