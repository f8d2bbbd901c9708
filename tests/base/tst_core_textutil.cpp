#include "base/textutil.h"
#include "base/oledate.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class TextUtilTest : public QObject {
    Q_OBJECT
private slots:
    void cp1251RoundTrip()
    {
        const QString s = QStringLiteral("Папка Ёлка №5 abc");
        bool ok = false;
        const QByteArray b = toCp1251(s, &ok);
        QVERIFY(ok);
        QCOMPARE(b.size(), s.size());
        QCOMPARE(uchar(b.at(0)), uchar(0xCF)); // "П"
        QCOMPARE(fromCp1251(b), s);
    }
    void unencodableBecomesQuestionMark()
    {
        bool ok = true;
        QCOMPARE(toCp1251(QStringLiteral("a\u4e2db"), &ok), QByteArray("a?b"));
        QVERIFY(!ok);
        QVERIFY(!fitsCp1251(QStringLiteral("\u4e2d")));
    }
    void compareOrder()
    {
        // Cyrillic sorts after Latin, and a character outside cp1251 after every cp1251 one.
        QVERIFY(cp1251Compare(QStringLiteral("z"), QStringLiteral("а")) < 0);
        QVERIFY(cp1251Compare(QStringLiteral("я"), QStringLiteral("\u4e2d")) < 0);
        QVERIFY(cp1251Compare(QStringLiteral("ab"), QStringLiteral("abc")) < 0);
        QCOMPARE(cp1251Compare(QStringLiteral("Ab"), QStringLiteral("Ab")), 0);
        QVERIFY(cp1251Compare(QStringLiteral("B"), QStringLiteral("a")) < 0); // case-sensitive codes
        QCOMPARE(cp1251Code(QChar(0x0451)), 0xB8); // "ё"
    }
    void dateText()
    {
        QCOMPARE(dateTimeText(QDateTime(QDate(2026, 12, 8), QTime(1, 18, 29))),
                 QStringLiteral("08.12.2026 1:18:29"));
        QCOMPARE(dateTimeText(QDateTime(QDate(1899, 12, 31), QTime(0, 0))),
                 QStringLiteral("31.12.1899"));
        QCOMPARE(parseDateTimeText(QStringLiteral("08.12.2026 1:18:29")),
                 QDateTime(QDate(2026, 12, 8), QTime(1, 18, 29)));
        QCOMPARE(parseDateTimeText(QStringLiteral("31.12.9999")),
                 QDateTime(QDate(9999, 12, 31), QTime(0, 0)));
        QVERIFY(!parseDateTimeText(QStringLiteral("-")).isValid());
        // The hour takes one digit or two; everything else exactly as written.
        QCOMPARE(parseDateTimeText(QStringLiteral(" 08.12.2026 01:18:29 ")),
                 QDateTime(QDate(2026, 12, 8), QTime(1, 18, 29)));
        for (const char *bad : {"8.12.2026 1:18:29", "08.12.2026 1:8:29", "08.12.2026 24:00:00", "08.12.2026 1:18",
                                "31.02.2026", "08.12.26", "08.12.2026  1:18:29", "08.12.2026 +1:18:29"})
            QVERIFY2(!parseDateTimeText(QString::fromLatin1(bad)).isValid(), bad);
    }
    void days()
    {
        QCOMPARE(toDays(QDateTime(QDate(1899, 12, 31), QTime(0, 0))), 1.0);
        QCOMPARE(fromDays(kLatestDate), QDateTime(QDate(9999, 12, 31), QTime(0, 0)));
        QCOMPARE(fromDays(toDays(QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59)))),
                 QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59)));
    }
    void atomicWriteAndLines()
    {
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("store"));
        QVERIFY(writeCp1251Lines(p, {QStringLiteral("один"), QStringLiteral("two")}));
        bool ok = false;
        QCOMPARE(readWholeFile(p, &ok), QByteArray("\xEE\xE4\xE8\xED\r\ntwo\r\n"));
        QVERIFY(ok);
        QCOMPARE(readCp1251Lines(p), QStringList({QStringLiteral("один"), QStringLiteral("two")}));
        readCp1251Lines(dir.filePath(QStringLiteral("missing")), &ok);
        QVERIFY(!ok);
        // No temporary file is left beside the store.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("store")});
    }
};

VT_TEST_GUILESS_MAIN(TextUtilTest)
#include "tst_core_textutil.moc"
