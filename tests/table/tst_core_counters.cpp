#include "table/core/counters.h"
#include "table/core/tablerow.h"
#include "platform/fileentry.h"
#include "testmain.h"

#include <QTest>

using namespace vt;

class TestCounters : public QObject {
    Q_OBJECT
private slots:
    void tableSizeTexts()
    {
        QCOMPARE(tableSizeText(0), QStringLiteral("byte: 0"));
        QCOMPARE(tableSizeText(1023), QStringLiteral("byte: 1023"));
        QCOMPARE(tableSizeText(1024), QStringLiteral("KB: 1"));
        QCOMPARE(tableSizeText(1048575), QStringLiteral("KB: 1023"));
        QCOMPARE(tableSizeText(1048576), QStringLiteral("MB: 1"));
        QCOMPARE(tableSizeText(5LL * 1024 * 1024 * 1024), QStringLiteral("MB: 5120"));
    }

    void sizeSumSplitsKilobytesAndRemainder()
    {
        SizeSum s;
        s.add(1536);
        QCOMPARE(s.kb, quint64(1));
        QCOMPARE(s.rem, quint64(512));
        s.add(1023);
        QCOMPARE(s.kb, quint64(1));
        QCOMPARE(s.rem, quint64(1535));
        s.sub(1536);
        QCOMPARE(s.kb, quint64(0));
        QCOMPARE(s.rem, quint64(1023));
        s.add(0);
        s.add(-5); // a size that did not parse adds nothing
        QCOMPARE(s.rem, quint64(1023));
    }

    void statusSizeText_data()
    {
        QTest::addColumn<quint64>("kb");
        QTest::addColumn<quint64>("rem");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << quint64(0) << quint64(0) << QString();
        QTest::newRow("bytes") << quint64(0) << quint64(512) << QStringLiteral("512 байт");
        QTest::newRow("1 KB") << quint64(1) << quint64(0) << QStringLiteral("1,00 КБ");
        QTest::newRow("1.5 KB") << quint64(1) << quint64(512) << QStringLiteral("1,50 КБ");
        QTest::newRow("remainder carries") << quint64(0) << quint64(2048 + 256) << QStringLiteral("2,25 КБ");
        QTest::newRow("1536 KB") << quint64(1536) << quint64(0) << QStringLiteral("1,50 МБ");
        QTest::newRow("leading zero") << quint64(1024 + 51) << quint64(0) << QStringLiteral("1,05 МБ");
        QTest::newRow("GB") << quint64(3 * 1048576 + 256 * 1024) << quint64(0) << QStringLiteral("3,25 ГБ");
        QTest::newRow("half goes up") << quint64(1) << quint64(128) << QStringLiteral("1,13 КБ");
        QTest::newRow("below half") << quint64(10) << quint64(1014) << QStringLiteral("10,99 КБ");
        // Hundredths that round to 100 carry into the whole value.
        QTest::newRow("100 hundredths KB") << quint64(5) << quint64(1019) << QStringLiteral("6,00 КБ");
        QTest::newRow("100 hundredths to MB") << quint64(1023) << quint64(1020) << QStringLiteral("1,00 МБ");
        QTest::newRow("100 hundredths to GB") << quint64(1048575) << quint64(0) << QStringLiteral("1,00 ГБ");
        QTest::newRow("100 hundredths GB stays") << quint64(1048576ULL * 1024 - 1) << quint64(0)
                                                  << QStringLiteral("1024,00 ГБ");
        QTest::newRow("1018 stays") << quint64(5) << quint64(1018) << QStringLiteral("5,99 КБ");
    }
    void statusSizeText()
    {
        QFETCH(quint64, kb);
        QFETCH(quint64, rem);
        QFETCH(QString, text);
        QCOMPARE(vt::statusSizeText(kb, rem), text);
    }

    void attributeWordsInOrder()
    {
        QCOMPARE(attrWords(0), QString());
        QCOMPARE(attrWords(fs::AttrDirectory), QStringLiteral("Directory "));
        QCOMPARE(attrWords(fs::AttrAll), QStringLiteral("Directory Hidden System ReadOnly VolumeID Archive "));
        QCOMPARE(attrWords(fs::AttrReadOnly | fs::AttrHidden), QStringLiteral("Hidden ReadOnly "));
    }

    void typeTexts()
    {
        QCOMPARE(typeText(QStringLiteral("archive.tar.gz"), false), QStringLiteral("GZ"));
        QCOMPARE(typeText(QStringLiteral("README"), false), QString());
        QCOMPARE(typeText(QStringLiteral("фото.jpeg"), false), QStringLiteral("JPEG"));
        QCOMPARE(typeText(QStringLiteral("док.тхт"), false), QStringLiteral("ТХТ"));
        QCOMPARE(typeText(QStringLiteral("a.b"), true), QStringLiteral("<Dir>"));
    }

    void ordTexts()
    {
        QCOMPARE(ordText(0), QStringLiteral("-"));
        QCOMPARE(ordText(-3), QStringLiteral("-"));
        QCOMPARE(ordText(255), QStringLiteral("255"));
    }

    void rowFromEntry()
    {
        fs::Entry e;
        e.name = QStringLiteral("Отчёт.PDF");
        e.size = 1536;
        e.attrs = fs::AttrReadOnly;
        e.stamp = fs::fatStamp(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
        TableRow r = makeRow(7, QStringLiteral("sub/"),
                             rowEntry("/home/sub/Отчёт.PDF", e, QStringLiteral("/HOME/SUB/ОТЧЁТ.PDF"), 3, 0));
        QCOMPARE(r.cells[ColID], QStringLiteral("7"));
        QCOMPARE(r.cells[ColFolder], QStringLiteral("sub/"));
        QCOMPARE(r.cells[ColName], QStringLiteral("Отчёт.PDF"));
        QCOMPARE(r.cells[ColType], QStringLiteral("PDF"));
        QCOMPARE(r.cells[ColSize], QStringLiteral("KB: 1"));
        QCOMPARE(r.cells[ColByte], QStringLiteral("1536"));
        QCOMPARE(r.cells[Col83], QStringLiteral("/HOME/SUB/ОТЧЁТ.PDF"));
        // Two-second steps inside the packed range.
        QCOMPARE(r.cells[ColModified], QStringLiteral("05.03.2024 14:07:08"));
        QCOMPARE(r.cells[ColOrd], QStringLiteral("3"));
        QCOMPARE(r.cells[ColPage], QStringLiteral("-"));
        QCOMPARE(r.cells[ColAttrs], QStringLiteral("ReadOnly "));
        QVERIFY(!r.isDir());
        QCOMPARE(r.bytes(), qint64(1536));
        QCOMPARE(r.id(), 7);

        fs::Entry d;
        d.name = QStringLiteral("папка");
        d.attrs = fs::AttrDirectory | fs::AttrHidden;
        d.size = 4096;
        d.stamp = fs::fatStamp(QDateTime(QDate(2024, 3, 5), QTime(0, 0, 0)));
        TableRow dr = makeRow(8, QString(), rowEntry("/home/папка", d, QStringLiteral("/HOME/ПАПКА")));
        QCOMPARE(dr.cells[ColType], QStringLiteral("<Dir>"));
        QCOMPARE(dr.cells[ColSize], QStringLiteral("byte: 0"));
        QCOMPARE(dr.cells[ColByte], QStringLiteral("0"));
        QCOMPARE(dr.cells[ColModified], QStringLiteral("05.03.2024"));
        QVERIFY(dr.cells[ColAttrs].startsWith(QStringLiteral("Directory ")));
        QVERIFY(dr.isDir());
    }
};

VT_TEST_GUILESS_MAIN(TestCounters)
#include "tst_core_counters.moc"
