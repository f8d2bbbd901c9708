#include "rename/core/renrule.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

// `--find ... --rename RULES[:N]`: the rule over every row, as a test and
// for real, through the program itself.
class TestRenHeadless : public QObject {
    Q_OBJECT
    QTemporaryDir home, data;
    QString d;

    struct Run {
        int code = -1;
        QStringList out;
        QString err;
    };
    Run run(const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VESTRADA_HOME"), home.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VESTRADA_EXE), args);
        p.waitForFinished(30000);
        Run r;
        r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    // The lines after the find report.
    static QStringList after(const QStringList &out, const QString &first)
    {
        const qsizetype at = out.indexOf(first);
        return at < 0 ? out : out.mid(at);
    }
    QString rules(const QString &name, const QList<TRenRule> &records)
    {
        QByteArray bytes;
        for (const TRenRule &r : records)
            bytes += r.toBytes();
        test::writeTestFile(data.filePath(name), bytes);
        return data.filePath(name);
    }
    QStringList names() const { return QDir(d).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name); }

private slots:
    void initTestCase() { d = data.path() + "/t/"; }

    void testAndRealRun()
    {
        for (const char *f : {"a.txt", "b.txt", "c.txt", "02_b.txt", "noext"})
            test::writeTestFile(d + f, f);
        TRenRule num;
        InitRulesDef(num);
        num.ObrFlags = 1;
        num.NumPos = 1;
        num.NumWidth = 2;
        num.Pref2 = QStringLiteral("_");
        QList<TRenRule> nine(9);
        nine[1] = num;
        const QString file = rules("presets", nine);
        const QStringList find{"--find", d, "--mask", "?.txt"};

        Run r = run(find + QStringList{"--rename", file + ":2", "--test"});
        QCOMPARE(r.code, 0);
        QCOMPARE(after(r.out, "a.txt\t01_a.txt\tТЕСТ: OK"),
                 (QStringList{"a.txt\t01_a.txt\tТЕСТ: OK", "b.txt\t02_b.txt\tТЕСТ: OK", "c.txt\t03_c.txt\tТЕСТ: OK",
                              "Результат: 3 из 3", ""}));
        QCOMPARE(names(), (QStringList{"02_b.txt", "a.txt", "b.txt", "c.txt", "noext"}));

        r = run(find + QStringList{"--rename", file + ":2"});
        QCOMPARE(r.code, 3);
        const QStringList tail = after(r.out, "a.txt\t01_a.txt\tOK");
        QCOMPARE(tail.mid(0, 4), (QStringList{"a.txt\t01_a.txt\tOK", "b.txt\t02_b.txt\tОШИБКА [файл/папка существует]",
                                              "c.txt\t02_c.txt\tOK", "Результат: 2 из 3"}));
        QVERIFY(tail.value(4).endsWith(" Переименование, правило (файлов: 3)"));
        QCOMPARE(tail.mid(5), (QStringList{"-", d + "a.txt >> " + d + "01_a.txt",
                                           d + "b.txt ОШИБКА [файл/папка существует]",
                                           d + "c.txt >> " + d + "02_c.txt", "___", "",
                                           "Результат: 2 из 3, лог сохранен", ""}));
        QCOMPARE(names(), (QStringList{"01_a.txt", "02_b.txt", "02_c.txt", "b.txt", "noext"}));
        QFile saved(home.path() + "/Options/r1");
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().contains("02_c.txt"));

        // preset 1 is empty; a refused rule; a missing file
        r = run(find + QStringList{"--rename", file});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("Нет пресеты 1")));
        TRenRule zam = num;
        zam.NameMode = -3;
        r = run(find + QStringList{"--rename", rules("one", {zam})});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, QStringLiteral("Строка \"найти\" для замены в имени не должна быть пустой\n"));
        r = run(find + QStringList{"--rename", data.filePath("none")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("Ошибка чтения файла пресет")));
        QCOMPARE(names().size(), 5);

        // after --save and --read: the list's rows, in the list's order
        const QString vtl = data.filePath("rows.vtl");
        r = run({"--find", d, "--mask", "0*", "--save", vtl, "--rename", file + ":2", "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("01_a.txt\t01_01_a.txt\tТЕСТ: OK"));
        r = run({"--read", vtl, "--rename", file + ":2", "--test"});
        QCOMPARE(r.code, 0);
        QCOMPARE(after(r.out, "01_a.txt\t01_01_a.txt\tТЕСТ: OK"),
                 (QStringList{"01_a.txt\t01_01_a.txt\tТЕСТ: OK", "02_b.txt\t02_02_b.txt\tТЕСТ: OK",
                              "02_c.txt\t03_02_c.txt\tТЕСТ: OK", "Результат: 3 из 3", ""}));
        QCOMPARE(run({"--read", vtl, "--rename"}).code, 2);
    }

    void foldersCaseOnly()
    {
        const QString root = data.path() + "/f/";
        QVERIFY(QDir().mkpath(root + "sub"));
        test::writeTestFile(root + "file.txt", "x");
        TRenRule up;
        InitRulesDef(up);
        up.ObrFlags = 1;
        up.NameMode = 1;
        up.CaseMode = -3;
        const QString one = rules("up", {up});
        Run r = run({"--find", root, "--kind", "all", "--rename", one, "--folders"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("sub\tSUB\tOK [только регистр]"));
        QVERIFY(r.out.contains("Результат: 1 из 1, лог сохранен"));
        QVERIFY(QFileInfo(root + "SUB").isDir());
        QVERIFY(QFileInfo(root + "file.txt").isFile()); // files are not folders' business
    }
};

VT_TEST_GUILESS_MAIN(TestRenHeadless)
#include "tst_core_renheadless.moc"
