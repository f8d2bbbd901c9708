#include "platform/dirreader.h"
#include "rename/core/renbatch.h"
#include "rename/core/renrule.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

TRenRule numbered()
{
    TRenRule r;
    InitRulesDef(r);
    r.NumPos = 1;
    r.NumWidth = 2;
    r.Pref2 = QStringLiteral("_");
    return r;
}

QStringList results(const QList<RenRow> &rows)
{
    QStringList out;
    for (const RenRow &r : rows)
        out << r.newName + QLatin1Char('.') + r.newExt + QLatin1Char(' ') + r.result;
    return out;
}

QStringList names(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestRenBatch : public QObject {
    Q_OBJECT
private slots:
    void rowsOfTheTable()
    {
        QTemporaryDir tmp;
        const QString d = tmp.path() + QLatin1Char('/');
        // made by their exact names: Windows drops a trailing dot elsewhere
        for (const char *f : {"a.txt", "noext", "dot.", "b.tar.gz"})
            QVERIFY(fs::createFileNative(fs::nativePath(d + f)));
        QVERIFY(QDir(d).mkdir("sub"));
        TableModel t;
        AppendState st;
        for (const char *f : {"a.txt", "noext", "sub", "dot.", "b.tar.gz"})
            QCOMPARE(appendPath(t, st, d + f), AppendResult::Added);
        QFile::remove(d + "a.txt"); // gone since the table was filled

        QList<RenRow> files = renRowsFromTable(t, {0, 1, 2, 3, 4}, false);
        QCOMPARE(files.size(), 1);
        QCOMPARE(files[0].pos, 5);
        QCOMPARE(files[0].folder, d);
        QCOMPARE(files[0].name, QStringLiteral("b.tar"));
        QCOMPARE(files[0].ext, QStringLiteral("gz"));
        QCOMPARE(files[0].lenText, renLengthText(5, 2, d.size() + 8));
        QCOMPARE(renLengthText(5, 2, 40), QStringLiteral("5 / 2 • 40"));

        const QList<RenRow> dirs = renRowsFromTable(t, {0, 1, 2, 3, 4}, true);
        QCOMPARE(dirs.size(), 1);
        QCOMPARE(dirs[0].pos, 3);
        QCOMPARE(dirs[0].name, QStringLiteral("sub"));
        QCOMPARE(dirs[0].ext, QString());
        QCOMPARE(dirs[0].lenText, renLengthText(3, 0, d.size() + 3));
    }

    void namesThatAreNotUtf8AreRenamedByTheirBytes()
    {
        VT_LINUX_ONLY("names that are not UTF-8");
        QTemporaryDir tmp;
        const QByteArray d = fs::nativePath(tmp.path()) + '/';
        QVERIFY(fs::createFileNative(d + "caf\xe9.txt"));
        test::writeTestFile(tmp.path() + "/ok.txt", "x");
        TableModel t;
        test::appendNativeRow(t, d + "caf\xe9.txt");
        test::appendNativeRow(t, d + "ok.txt");
        QList<RenRow> rows = renRowsFromTable(t, {0, 1}, false);
        QCOMPARE(rows.size(), 2);
        QStringList log;
        QCOMPARE(renBatch(numbered(), false, false, {}, {}, rows, &log), 2);
        // the new name is what the table showed, in UTF-8
        QCOMPARE(names(tmp.path()), (QStringList{"01_caf\uFFFD.txt", "02_ok.txt"}));
        QVERIFY(!fs::existsNative(d + "caf\xe9.txt"));
        renUpdateTable(t, rows);
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("01_caf\uFFFD.txt"));
        QVERIFY(!t.at(0).entry.shortForm.isEmpty());
    }

    void testThenRealRun()
    {
        QTemporaryDir tmp;
        const QString d = tmp.path() + QLatin1Char('/');
        for (const char *f : {"a.txt", "b.txt", "c.txt", "02_b.txt"})
            test::writeTestFile(d + f, f);
        TableModel t;
        AppendState st;
        for (const char *f : {"a.txt", "b.txt", "c.txt"})
            appendPath(t, st, d + f);
        const TRenRule r = numbered();

        // a test looks at nothing on disk
        QList<RenRow> rows = renRowsFromTable(t, {0, 1, 2}, false);
        QStringList log;
        QCOMPARE(renBatch(r, false, true, {}, {}, rows, &log), 3);
        QCOMPARE(results(rows), (QStringList{"01_a.txt ТЕСТ: OK", "02_b.txt ТЕСТ: OK", "03_c.txt ТЕСТ: OK"}));
        QVERIFY(log.isEmpty());
        QCOMPARE(rows[0].name, QStringLiteral("a"));
        QCOMPARE(names(d), (QStringList{"02_b.txt", "a.txt", "b.txt", "c.txt"}));

        // for real: the failed row does not use up its number
        QCOMPARE(renBatch(r, false, false, {}, {}, rows, &log), 2);
        QCOMPARE(results(rows),
                 (QStringList{"01_a.txt OK", "02_b.txt ОШИБКА [файл/папка существует]", "02_c.txt OK"}));
        QCOMPARE(log, (QStringList{d + "a.txt >> " + d + "01_a.txt", d + "b.txt ОШИБКА [файл/папка существует]",
                                   d + "c.txt >> " + d + "02_c.txt"}));
        QCOMPARE(names(d), (QStringList{"01_a.txt", "02_b.txt", "02_c.txt", "b.txt"}));
        QCOMPARE(rows[0].name, QStringLiteral("01_a"));
        QCOMPARE(rows[0].lenText, rows[0].newLen);
        QCOMPARE(rows[1].name, QStringLiteral("b"));

        // a second run starts from the new names
        TRenRule up;
        InitRulesDef(up);
        up.ExtMode = 2;
        log.clear();
        QCOMPARE(renBatch(up, false, false, {}, {}, rows, &log), 3);
        QCOMPARE(results(rows), (QStringList{"01_a.TXT OK [только регистр]", "b.TXT OK [только регистр]",
                                             "02_c.TXT OK [только регистр]"}));
        QCOMPARE(names(d), (QStringList{"01_a.TXT", "02_b.txt", "02_c.TXT", "b.TXT"}));
        // nothing to change: every row fails, no number is used
        QCOMPARE(renBatch(up, false, false, {}, {}, rows, &log), 0);
        QCOMPARE(rows[2].result, QStringLiteral("ошибка [имя не изменилось]"));
    }

    void questionAndExtensions()
    {
        TRenRule r = numbered();
        r.NumStart = 7;
        r.Pref1 = QStringLiteral("  x");
        r.Postf2 = QStringLiteral("end  ");
        r.NameMode = 3;
        QCOMPARE(renConfirmText(r, false, 4, true),
                 QStringLiteral("Задано правило:\rНумерация: <в начале>\rПрефикс: x07_\rИмя файла/папки: "
                                "<замена символов>\rПостфикс: end\r\rВыделено файлов: 4\rНачать ТЕСТ?"));
        r.NumPos = 0;
        r.Pref1 = r.Pref2 = r.Postf2 = QString();
        r.NameMode = -2;
        r.ExtMode = 3;
        r.Ext1 = QStringLiteral("J.PEG ");
        r.Ext2 = QStringLiteral(" j p,g.");
        QString e1, e2;
        QVERIFY(renPrepareExt(r, false, &e1, &e2));
        QCOMPARE(r.Ext1, QStringLiteral("J.PEG "));
        QCOMPARE(e1, QStringLiteral("J.PEG "));
        QCOMPARE(e2, QStringLiteral("jpg"));
        QCOMPARE(renConfirmText(r, true, 2, false),
                 QStringLiteral("Задано правило:\rНумерация: <НЕТ>\rПрефикс: <НЕТ>\rИмя файла/папки: <обрезка>\r"
                                "Постфикс: <НЕТ>\r\rВыделено папок: 2\rНачать ПЕРЕИМЕНОВАНИЕ?"));
        QVERIFY(renConfirmText(r, false, 2, false).endsWith(
            QStringLiteral("\rЗадано правило с ЗАМЕНОЙ расширения J.PEG  на jpg")));
        r.Ext2 = QStringLiteral(". ,");
        QVERIFY(!renPrepareExt(r, false, &e1, &e2));
        QVERIFY(renPrepareExt(r, true, &e1, &e2) && e1.isEmpty()); // folders: no extension
    }
};

VT_TEST_GUILESS_MAIN(TestRenBatch)
#include "tst_core_renbatch.moc"
