#include "tablerows.h"

#include "table/core/selection.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using namespace vt;
using namespace vt::test;

class TestTableModel : public QObject {
    Q_OBJECT
private slots:
    void captions()
    {
        TableModel m;
        QCOMPARE(m.columnCount(), 11);
        QStringList caps;
        for (int c = 0; c < m.columnCount(); ++c)
            caps << m.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(caps, (QStringList{"ID", "Папка", "Имя", "Тип", "Размер", "Byte", "8.3", "Изменен",
                                    "Ord", "Page", "Атрибуты"}));
    }

    void appendCountsTotals()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a.txt", 1536));
        m.appendRow(dirRow(2, "", "sub"));
        m.appendRow(fileRow(3, "sub/", "b.txt", 100));
        QCOMPARE(m.size(), 3);
        QCOMPARE(m.rowCount(), 3);
        const TableCounters &c = m.counters();
        QCOMPARE(c.files, 2);
        QCOMPARE(c.folders, 1);
        QCOMPARE(c.size.kb, quint64(1));
        QCOMPARE(c.size.rem, quint64(612));
        QCOMPARE(c.selFiles, 0);
        QCOMPARE(m.data(m.index(1, ColType)).toString(), QStringLiteral("<Dir>"));
        QCOMPARE(m.data(m.index(0, ColSize)).toString(), QStringLiteral("KB: 1"));
        QVERIFY(m.has83(QStringLiteral("/T/SUB/B.TXT")));
        QVERIFY(!m.has83(QStringLiteral("/T/SUB/C.TXT")));
        QVERIFY(!m.has83(QString()));
    }

    void clearResetsEverything()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a.txt", 10));
        m.setSelected(0, true);
        m.counters().rowsRemoved = true;
        QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
        m.clear();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m.size(), 0);
        QVERIFY(m.counters().sameCounts(TableCounters()));
        QVERIFY(!m.counters().rowsRemoved);
        QVERIFY(!m.has83(QStringLiteral("/T/A.TXT")));
        QCOMPARE(m.selectedCount(), 0);
    }

    void selectingAFileOf1536Bytes()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a.bin", 1536));
        m.appendRow(dirRow(2, "", "d"));
        m.setSelected(0, true);
        QCOMPARE(m.counters().selFiles, 1);
        QCOMPARE(m.counters().selSize.kb, quint64(1));
        QCOMPARE(m.counters().selSize.rem, quint64(512));
        m.setSelected(1, true);
        QCOMPARE(m.counters().selFolders, 1);
        QCOMPARE(m.counters().selSize.kb, quint64(1)); // folders add no size
        m.setSelected(0, false);
        QCOMPARE(m.counters().selFiles, 0);
        QCOMPARE(m.counters().selSize, SizeSum());
        QCOMPARE(m.selectedRows(), QList<int>{1});
        QCOMPARE(m.selectedCount(), 1);
    }

    void viewChangesWhileSuppressedLeaveCounters()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a.bin", 1536));
        m.setSuppress(true);
        m.setSelectedByView(0, true);
        QVERIFY(m.isSelected(0));
        QCOMPARE(m.counters().selFiles, 0);
        m.setSuppress(false);
        QVERIFY(recount(m, false));
        QCOMPARE(m.counters().selFiles, 1);
    }

    void removeRowsKeepsCountersAndIndex()
    {
        TableModel m;
        for (int i = 0; i < 100; ++i)
            m.appendRow(i % 10 == 0 ? dirRow(i + 1, "", QString("d%1").arg(i))
                                    : fileRow(i + 1, "", QString("f%1").arg(i), 1000 + i));
        QList<int> gone;
        for (int i = 0; i < 100; i += 3) // scattered: more than a few runs
            gone << i;
        for (int i : {1, 4, 7})
            m.setSelected(i, true);
        m.removeRows(gone);
        QCOMPARE(m.size(), 100 - gone.size());
        QVERIFY(m.counters().rowsRemoved);
        QVERIFY(m.computeCounters().sameCounts(m.counters()));
        QVERIFY(!m.has83(QStringLiteral("/T/D0")));
        QVERIFY(m.has83(QStringLiteral("/T/F1")));
        QCOMPARE(m.selectedCount(), 3);
        // A few contiguous rows.
        m.removeRows({0, 1});
        QVERIFY(m.computeCounters().sameCounts(m.counters()));
        QCOMPARE(m.at(0).cells[ColName], QStringLiteral("f4"));
    }

    void moveRowKeepsIds()
    {
        TableModel m;
        for (int i = 1; i <= 5; ++i)
            m.appendRow(fileRow(i, "", QString("f%1").arg(i), i));
        m.moveRow(0, 4);
        QCOMPARE(ids(m), (QStringList{"2", "3", "4", "5", "1"}));
        m.moveRow(4, 1);
        QCOMPARE(ids(m), (QStringList{"2", "1", "3", "4", "5"}));
    }

    // A row whose file changed keeps the counters and the 8.3 index in step;
    // the text-only cells are the only ones set directly.
    void updateEntryFollowsCounters()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a", 2048));
        m.setSelected(0, true);
        RowEntry e = m.at(0).entry;
        e.size = 1024;
        m.updateEntry(0, e, QStringLiteral("sub/"));
        QCOMPARE(m.counters().size.kb, quint64(1));
        QCOMPARE(m.counters().selSize.kb, quint64(1));
        QCOMPARE(m.at(0).cells[ColByte], QStringLiteral("1024"));
        QCOMPARE(m.at(0).cells[ColFolder], QStringLiteral("sub/"));
        e.kind = EntryKind::Folder;
        e.size = 0;
        e.path = "/x/Б.dat";
        e.shortForm = QStringLiteral("/X");
        m.updateEntry(0, e, QString());
        QCOMPARE(m.counters().files, 0);
        QCOMPARE(m.counters().folders, 1);
        QCOMPARE(m.counters().selFolders, 1);
        QCOMPARE(m.at(0).cells[ColName], QStringLiteral("Б.dat"));
        QCOMPARE(m.at(0).cells[ColType], dirType());
        QVERIFY(m.has83(QStringLiteral("/X")));
        QVERIFY(!m.has83(QStringLiteral("/T/A")));
        m.setCell(0, ColName, QStringLiteral("other")); // not a text-only cell
        QCOMPARE(m.at(0).cells[ColName], QStringLiteral("Б.dat"));
    }

    void appending9999RowsIsInstant()
    {
        TableModel m;
        QElapsedTimer t;
        t.start();
        for (int i = 1; i <= 9999; ++i) {
            TableRow r = fileRow(i, "папка/", QString("файл%1.txt").arg(i), i * 37);
            if (!m.has83(r.cells[Col83]))
                m.appendRow(std::move(r));
        }
        QCOMPARE(m.size(), 9999);
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed()))); // loose: machines under load
    }
};

VT_TEST_GUILESS_MAIN(TestTableModel)
#include "tst_core_tablemodel.moc"
