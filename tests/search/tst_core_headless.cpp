#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "shortform.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `vestrada --find`: rows on standard output, refusals on the error stream
// with exit code 2.
class HeadlessTest : public QObject {
    Q_OBJECT
    QTemporaryDir data;
    QString root;
    // A name with a control character, printed with "?" (Windows names hold
    // none: there a blank stands in).
    const QString odd = vt::test::kWindows ? QStringLiteral("tab here.txt") : QStringLiteral("tab\there.txt");
    const QString oddShown = vt::test::kWindows ? odd : QStringLiteral("tab?here.txt");

    struct Run {
        int code = -1;
        QStringList out;
        QString err;
    };
    Run run(const QStringList &args, const QString &mode = QStringLiteral("--find"))
    {
        QProcess p;
        p.start(QStringLiteral(VESTRADA_EXE), QStringList{mode} + args);
        p.waitForFinished(30000);
        Run r;
        r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    void make(const QString &rel, int bytes, const QDateTime &t)
    {
        QDir().mkpath(QFileInfo(root + rel).path());
        QFile f(root + rel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(bytes, 'x'));
        f.close();
        QVERIFY(vt::fs::setModifiedTime(root + rel, t.toSecsSinceEpoch()));
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        const QDateTime t(QDate(2024, 3, 5), QTime(7, 8, 10));
        make("Фото/море.jpg", 2048, t);
        make("notes.txt", 10, t);
        make(odd, 1, t);
        QVERIFY(vt::fs::setModifiedTime(root + "Фото", t.toSecsSinceEpoch()));
    }

    void rowsAndReport()
    {
        const Run r = run({root, "--min", "01.01.2024", "--max", "31.12.2024", "--kind", "all"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.size(), 4 + 3);
        QCOMPARE(r.out[0].split('\t'),
                 QStringList({"1", "", "notes.txt", "TXT", "byte: 10", "10", vt::test::shortForm(root + "notes.txt"),
                              "05.03.2024 7:08:10", "-", "-",
                              // a new file there is marked for archiving
                              vt::test::kWindows ? "Archive " : ""}));
        // A tab inside a name does not split the row.
        QCOMPARE(r.out[1].split('\t').size(), 11);
        QCOMPARE(r.out[1].split('\t')[2], oddShown);
        QCOMPARE(r.out[2].split('\t')[2], QStringLiteral("Фото"));
        QCOMPARE(r.out[2].split('\t')[10], QStringLiteral("Directory "));
        QCOMPARE(r.out[3].split('\t')[1], QStringLiteral("Фото/"));
        QCOMPARE(r.out.mid(4), QStringList({"Поиск завершен", "Найдено файлов: 3", "Папок: 1"}));
    }

    void optionsNarrowTheSearch()
    {
        Run r = run({root, "--min", "01.01.2024", "--max", "31.12.2024", "--ext", "jpg", "--size-min", "2"});
        QCOMPARE(r.out.size(), 1 + 3);
        QVERIFY(r.out[0].contains("море.jpg"));
        r = run({root, "--min", "01.01.2024", "--max", "31.12.2024", "--depth", "0", "--kind", "folders",
                 "--limit", "1"});
        QCOMPARE(r.out.value(0).split('\t').value(2), QStringLiteral("Фото"));
        QCOMPARE(r.out.value(1), QStringLiteral("Поиск завершен"));
        r = run({root, "--min", "01.01.2024", "--max", "31.12.2024", "--limit", "1"});
        QCOMPARE(r.out.value(1), QStringLiteral("Превышен лимит файлов"));
    }

    void refusalsExitWithTwo()
    {
        Run r = run({root, "--min", "01.01.2025", "--max", "01.01.2024"});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Минимальная дата должна быть меньше максимальной"));
        QVERIFY(r.out.isEmpty());
        r = run({root, "--mask", "a|b", "--min", "01.01.2024", "--max", "31.12.2024"});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Недопустимые символы в шаблоне  \\ / : \" < > |"));
        r = run({root + "missing", "--min", "01.01.2024"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith("Не найдена папка:\n"));
        r = run({root, "--kind", "nonsense"});
        QCOMPARE(r.code, 2);
    }

    void valuesTakenAsTheWindowTakesThem()
    {
        const QStringList year{root, "--min", "01.01.2024", "--max", "31.12.2024"};
        // Extensions as the picker takes them: the dot goes, repeats count once.
        Run r = run(year + QStringList{"--ext", ".JPG,jpg"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.size(), 1 + 3);
        QVERIFY(r.out[0].contains("море.jpg"));
        r = run(year + QStringList{"--ext", "a.b"});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err.trimmed(), QStringLiteral("Ошибочные символы, строка: A.B"));
        // Sizes, limit and depth out of their fields' ranges are brought into them.
        r = run(year + QStringList{"--size-min", "-5", "--size-max", "-1", "--limit", "0", "--kind", "files"});
        QCOMPARE(r.out.mid(1, 2), QStringList({"Превышен лимит файлов", "Найдено файлов: 1"}));
        r = run(year + QStringList{"--limit", "10000", "--depth", "500", "--kind", "files"});
        QCOMPARE(r.out.filter("Найдено файлов: 3").size(), 1);
    }

    // A found table saved as a list and read back gives the same rows; a row
    // no list can hold is told about with exit code 3.
    void saveAndReadAList()
    {
        const QString list = data.path() + "/found.vtl";
        Run r = run({root, "--min", "01.01.2024", "--max", "31.12.2024", "--kind", "all", "--save", list});
        QCOMPARE(r.code, 0);
        const QStringList found = r.out.mid(0, 4);
        r = run({list}, "--read");
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.size(), 4 + 3 + 3); // the empty report line is not counted
        for (int i = 0; i < 4; ++i) // the same rows, with full paths in "Папка"
            QCOMPARE(r.out[i].split('\t').mid(2), found[i].split('\t').mid(2));
        QCOMPARE(r.out.mid(4, 3), (QStringList{"Ошибки чтения файла:", list, "<НЕТ ОШИБОК>"}));
        QCOMPARE(r.out.at(7), QStringLiteral("Чтение в таблицу завершено, ошибок: 0"));

        // Bytes that are not UTF-8 here; a name cp1251 cannot hold on Windows.
        const QByteArray bad = vt::test::kWindows ? vt::fs::nativePath(root + "名.txt")
                                                  : vt::fs::nativePath(root) + "bad\xff.txt";
        QVERIFY(vt::fs::createFileNative(bad));
        r = run({root, "--min", "01.01.2000", "--save", list});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.startsWith("Не записано строк: 1 "));
        QVERIFY(vt::fs::removeFileNative(bad));
        r = run({data.path() + "/none.vtl"}, "--read");
        QCOMPARE(r.code, 2);
    }
};

VT_TEST_GUILESS_MAIN(HeadlessTest)
#include "tst_core_headless.moc"
