#include "tablerows.h"

#include "base/textutil.h"
#include "platform/fileentry.h"
#include "table/core/sorting.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QTest>
#include <set>

using namespace vt;
using namespace vt::test;

namespace {

// Rows appended in the order of the list; ID = position + 1.
void fill(TableModel &m, std::vector<TableRow> rows)
{
    m.clear();
    for (TableRow &r : rows)
        m.appendRow(std::move(r));
}

QStringList sorted(TableModel &m, int code, int d)
{
    sortTable(m, code, d);
    return ids(m);
}

} // namespace

class TestSorting : public QObject {
    Q_OBJECT
private slots:
    void idRestoresOrderOfFinding()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "c", 3), fileRow(2, "", "a", 1), fileRow(3, "", "b", 2)});
        QCOMPARE(sorted(m, ColName, -1), (QStringList{"2", "3", "1"}));
        QCOMPARE(sorted(m, ColByte, 1), (QStringList{"1", "3", "2"}));
        QCOMPARE(sorted(m, ColID, -1), (QStringList{"1", "2", "3"}));
        QCOMPARE(sorted(m, ColID, 1), (QStringList{"3", "2", "1"}));
    }

    void idIsNumeric()
    {
        TableModel m;
        fill(m, {fileRow(10, "", "a", 1), fileRow(9, "", "b", 1), fileRow(100, "", "c", 1)});
        m.setCell(2, ColID, QStringLiteral("x")); // non-numeric counts as 0
        QCOMPARE(sorted(m, ColID, -1), (QStringList{"x", "9", "10"}));
    }

    void folderIsCaseSensitiveCp1251()
    {
        TableModel m;
        fill(m, {fileRow(1, "б/", "x", 1), fileRow(2, "Я/", "x", 1), fileRow(3, "Z/", "x", 1),
                 fileRow(4, "a/", "x", 1), fileRow(5, "Ё/", "x", 1), fileRow(6, "", "x", 1),
                 fileRow(7, "a/b/", "x", 1)});
        // "" < "Z" (5A) < "a" (61) < "a/b" (prefix later) < "Ё" (A8) < "Я" (DF) < "б" (E1)
        QCOMPARE(sorted(m, ColFolder, -1), (QStringList{"6", "3", "4", "7", "5", "2", "1"}));
        QCOMPARE(sorted(m, ColFolder, 1), (QStringList{"1", "2", "5", "7", "4", "3", "6"}));
    }

    void nameIsUpperCasedAndTiesGoTo83()
    {
        TableModel m;
        // Same name in two folders, case differs: equal as names, ordered by 8.3.
        fill(m, {fileRow(1, "b/", "Фото.jpg", 1, "", "/T/B/ФОТО.JPG"),
                 fileRow(2, "a/", "фото.JPG", 1, "", "/T/A/ФОТО.JPG"),
                 fileRow(3, "", "ёлка", 1), fileRow(4, "", "Ящик", 1), fileRow(5, "", "zebra", 1)});
        // ZEBRA < ЁЛКА (A8) < ФОТО (D4) < ЯЩИК (DF)
        QCOMPARE(sorted(m, ColName, -1), (QStringList{"5", "3", "2", "1", "4"}));
        // Descending: the 8.3 tie-break is descending too.
        QCOMPARE(sorted(m, ColName, 1), (QStringList{"4", "1", "2", "3", "5"}));
    }

    void typeAndAttributes()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "a.txt", 1), dirRow(2, "", "d"), fileRow(3, "", "b.doc", 1),
                 fileRow(4, "", "c", 1)});
        for (auto [row, attrs] : {std::pair{0, fs::AttrReadOnly}, std::pair{2, fs::AttrHidden}}) {
            RowEntry e = m.at(row).entry;
            e.attrs = attrs;
            m.updateEntry(row, e, m.at(row).cells[ColFolder]);
        }
        // "" < "<Dir>" (3C) < "DOC" < "TXT"
        QCOMPARE(sorted(m, ColType, -1), (QStringList{"4", "2", "3", "1"}));
        // "" (4: empty, 8.3 /T/C) ... ; Directory < Hidden < ReadOnly
        QCOMPARE(sorted(m, ColAttrs, -1), (QStringList{"4", "2", "3", "1"}));
    }

    void sizeWithFoldersAmongEmptyFiles()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "big", 5000000000LL), dirRow(2, "", "zdir"), fileRow(3, "", "empty", 0),
                 dirRow(4, "", "adir"), fileRow(5, "", "small", 10)});
        // Size 0: adir, empty, zdir by their 8.3 paths.
        QCOMPARE(sorted(m, ColSize, -1), (QStringList{"4", "3", "2", "5", "1"}));
        QCOMPARE(sorted(m, ColByte, -1), (QStringList{"4", "3", "2", "5", "1"}));
        QCOMPARE(sorted(m, ColSize, 1), (QStringList{"1", "5", "2", "3", "4"}));
    }

    void by83ThenId()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "b", 1, "", "/X/B"), fileRow(2, "", "a", 1, "", "/X/A"),
                 fileRow(3, "", "a2", 1, "", "/X/A")});
        QCOMPARE(sorted(m, Col83, -1), (QStringList{"2", "3", "1"}));
        QCOMPARE(sorted(m, Col83, 1), (QStringList{"1", "3", "2"}));
    }

    void modifiedDates()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "a", 1, "01.02.2024 10:00:00"), fileRow(2, "", "b", 1, "01.02.2024 9:05:00"),
                 fileRow(3, "", "c", 1, "31.12.2023 23:59:58"), fileRow(4, "", "d", 1, "01.02.2024"),
                 fileRow(5, "", "e", 1, "не дата"), fileRow(6, "", "f", 1, "02.01.2024 0:00:02")});
        QCOMPARE(sorted(m, ColModified, -1), (QStringList{"5", "3", "6", "4", "2", "1"}));
        QCOMPARE(sorted(m, ColModified, 1), (QStringList{"1", "2", "4", "6", "3", "5"}));
    }

    void modifiedKeyAgreesWithTheParser()
    {
        // The same order as comparing parseDateTimeText results.
        QStringList texts;
        QDateTime t(QDate(2023, 3, 26), QTime(0, 0));
        for (int i = 0; i < 200; ++i) {
            texts << dateTimeText(t);
            t = t.addSecs(3600 * 7 + 61 * (i % 13));
        }
        TableModel m;
        std::vector<TableRow> rows;
        for (int i = texts.size() - 1; i >= 0; --i)
            rows.push_back(fileRow(int(rows.size()) + 1, "", QString("n%1").arg(i), 1, texts[i]));
        fill(m, rows);
        sortTable(m, ColModified, -1);
        QDateTime prev;
        for (const TableRow &r : m.rows()) {
            const QDateTime cur = parseDateTimeText(r.cells[ColModified]);
            QVERIFY(cur.isValid());
            if (prev.isValid())
                QVERIFY(prev <= cur);
            prev = cur;
        }
    }

    void ordAndPage()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "a", 1), fileRow(2, "", "b", 1), fileRow(3, "", "c", 1), fileRow(4, "", "d", 1)});
        m.setOrdPage(0, 12, 0);
        m.setOrdPage(2, 3, 0);
        m.setOrdPage(3, 3, 0); // a tie goes to 8.3
        QCOMPARE(sorted(m, ColOrd, -1), (QStringList{"2", "3", "4", "1"}));
        sortTable(m, ColID, -1);
        m.setOrdPage(0, 12, 2147483647);
        m.setOrdPage(1, 0, 5);
        QCOMPARE(sorted(m, ColPage, -1), (QStringList{"3", "4", "2", "1"}));
    }

    void marksWithSelection()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "a", 1), fileRow(2, "", "b", 1), fileRow(3, "", "c", 1), fileRow(4, "", "d", 1)});
        m.setSelected(1, true);
        m.setSelected(3, true);
        QCOMPARE(sorted(m, SortMarks, -1), (QStringList{"2", "4", "1", "3"}));
        QCOMPARE(sorted(m, SortMarks, 1), (QStringList{"3", "1", "4", "2"}));
        QVERIFY(m.isSelected(2) && m.isSelected(3));
        QCOMPARE(m.counters().selFiles, 2);
    }

    void marksWithoutSelectionIs83()
    {
        TableModel m;
        fill(m, {fileRow(1, "", "c", 1), fileRow(2, "", "a", 1), fileRow(3, "", "b", 1)});
        QCOMPARE(sorted(m, SortMarks, -1), (QStringList{"2", "3", "1"}));
    }

    void shuffleIsAPermutationAndUniform()
    {
        seedRandom(12345);
        TableModel m;
        std::vector<TableRow> rows;
        for (int i = 1; i <= 4; ++i)
            rows.push_back(fileRow(i, "", QString("f%1").arg(i), 1));
        fill(m, rows);
        // Every one of the 24 orders turns up with roughly equal frequency.
        QMap<QString, int> seen;
        const int runs = 24000;
        for (int i = 0; i < runs; ++i) {
            sortTable(m, SortRandom, -1);
            seen[ids(m).join(',')]++;
        }
        QCOMPARE(seen.size(), 24);
        for (int n : seen)
            QVERIFY2(n > 800 && n < 1200, qPrintable(QString::number(n)));
    }

    void unknownCodeDoesNothing()
    {
        TableModel m;
        fill(m, {fileRow(2, "", "b", 1), fileRow(1, "", "a", 1)});
        QVERIFY(!sortTable(m, 11, -1));
        QCOMPARE(ids(m), (QStringList{"2", "1"}));
    }

    void sorting9999RowsIsFast()
    {
        TableModel m;
        for (int i = 1; i <= 9999; ++i) {
            TableRow r = fileRow(i, QString("Документы/Проект %1/").arg(i % 37),
                                 QString(i % 2 ? "Отчёт %1.docx" : "report_%1.TXT").arg(i * 7919 % 9999),
                                 qint64(i) * 104729 % 50000000,
                                 dateTimeText(QDateTime(QDate(2020, 1, 1), QTime(0, 0)).addSecs(qint64(i) * 7919 * 61)));
            m.appendRow(std::move(r));
        }
        for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13}) {
            QElapsedTimer t;
            t.start();
            sortTable(m, code, code % 2 ? 1 : -1);
            QVERIFY2(t.elapsed() < 400, qPrintable(QString("code %1: %2 ms").arg(code).arg(t.elapsed())));
        }
    }
};

VT_TEST_GUILESS_MAIN(TestSorting)
#include "tst_core_sorting.moc"
