#include "cliprocess.h"
#include "platform/fileentry.h"
#include "testmain.h"

#include <QDir>
#include <QTest>

using namespace vt;

// The command line as a script uses it: the whole program without a display,
// on a temporary tree; the disk, the output and the saved log of each action.
class TestCli : public QObject {
    Q_OBJECT
    test::CliHome h;
    QString src, dst;

    QStringList find(const QString &folder, const QString &kind = QStringLiteral("files")) const
    {
        return {"--find", folder, "--min", "01.01.2000", "--kind", kind};
    }
    // The lines after the find's report ("Папок: n").
    static QStringList afterRows(const QStringList &out)
    {
        for (qsizetype i = 0; i < out.size(); ++i)
            if (out[i].startsWith(QStringLiteral("Папок: ")))
                return out.mid(i + 1);
        return out;
    }

private slots:
    void init()
    {
        src = h.dir.path() + "/src/";
        dst = h.dir.path() + "/dst/";
        QDir(src).removeRecursively();
        QDir(dst).removeRecursively();
        QVERIFY(QDir().mkpath(dst));
        test::writeTestFile(src + "a.txt", "Привет, мир\nвторая строка привет\n");
        test::writeTestFile(src + "sub/b.txt", "nothing here\n");
        QDir(h.dir.path() + "/prog/Options").removeRecursively();
    }

    void helpVersionAndUsageErrors()
    {
        test::CliRun r = h.run({"--help"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.value(0).startsWith("usage: vestrada --find FOLDER"));
        for (const char *o : {"--copy", "--text", "--trash", "--empty-folders", "--test", "--yes", "--kind",
                              "--undo", "--journal"})
            QVERIFY2(r.out.join('\n').contains(QLatin1String(o)), o);
        r = h.run({"--version"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringList{"Vestrada " VESTRADA_VERSION});

        const QList<QStringList> bad{
            find(src) + QStringList{"--bogus"},
            find(src) + QStringList{"--trash", "--copy", dst},   // two actions
            find(src) + QStringList{"--mode", "backup"},          // a modifier without its action
            QStringList{"--read", "x.vtl", "--mask", "*"},        // a search option without --find
            QStringList{"--copy", dst},                           // no rows
            find(src) + QStringList{"extra"},
            find(src) + QStringList{"--test"},
        };
        for (const QStringList &args : bad) {
            r = h.run(args);
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.contains("usage: vestrada"), qPrintable(args.join(' ')));
            QVERIFY(r.out.isEmpty());
        }
        // A value the action cannot take is refused before anything runs.
        r = h.run(find(src) + QStringList{"--copy", dst, "--mode", "sideways"});
        QCOMPARE(r.code, 2);
        QVERIFY(test::folderNames(dst).isEmpty());
    }

    void textSearch()
    {
        test::CliRun r = h.run(find(src) + QStringList{"--text", "ПРИВЕТ", "--lines"});
        QCOMPARE(r.code, 0);
        const QStringList log = afterRows(r.out);
        QVERIFY(log.value(0).startsWith("Поиск по тексту, строка \"ПРИВЕТ\""));
        QVERIFY(log.contains(src + "a.txt"));
        QVERIFY(log.contains("Число строк, где найдено вхождение: 2"));
        QVERIFY(log.contains("Привет, мир"));
        QVERIFY(!log.contains(src + "sub/b.txt")); // the path only where found
        QCOMPARE(log.last(), QStringLiteral("Результат: 1 из 2"));
        r = h.run(find(src) + QStringList{"--text", "ПРИВЕТ", "--case"});
        QCOMPARE(r.code, 1);
        QCOMPARE(afterRows(r.out).last(), QStringLiteral("Результат: 0 из 2"));
    }

    void copyTestThenReal()
    {
        test::CliRun r = h.run(find(src) + QStringList{"--copy", dst, "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(test::folderNames(dst).isEmpty());
        QVERIFY(h.savedLog("c1").isEmpty());
        QCOMPARE(afterRows(r.out).mid(0, 2), (QStringList{src + "a.txt\t" + dst + "a.txt\tOK",
                                                          src + "sub/b.txt\t" + dst + "b.txt\tOK"}));
        QCOMPARE(r.out.last(), QStringLiteral("<Тест: ничего не изменено>"));

        r = h.run(find(src) + QStringList{"--copy", dst});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::folderNames(dst), (QStringList{"a.txt", "b.txt"}));
        QCOMPARE(test::readBytes(dst + "a.txt"), test::readBytes(src + "a.txt"));
        const QStringList saved = h.savedLog("c1");
        QVERIFY(saved.contains(src + "a.txt >> " + dst + "a.txt"));
        QCOMPARE(afterRows(r.out).last(), QStringLiteral("Результат: 2 из 2, лог сохранен"));

        // A second copy gets the prefixes; nothing is replaced.
        r = h.run(find(src) + QStringList{"--copy", dst});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::folderNames(dst), (QStringList{"001-a.txt", "001-b.txt", "a.txt", "b.txt"}));
    }

    void overwritePolicies()
    {
        test::writeTestFile(dst + "a.txt", "old");
        QVERIFY(fs::setModifiedTime(dst + "a.txt", QDateTime(QDate(2001, 1, 1), QTime(0, 0)).toSecsSinceEpoch()));
        test::writeTestFile(dst + "b.txt", "newer target");
        QVERIFY(fs::setModifiedTime(dst + "b.txt", QDateTime(QDate(2099, 1, 1), QTime(0, 0)).toSecsSinceEpoch()));
        const QStringList copy = find(src) + QStringList{"--copy", dst, "--mode", "overwrite", "--yes"};

        // none: every existing target is kept.
        test::CliRun r = h.run(copy);
        QCOMPARE(r.code, 0);
        QCOMPARE(test::readBytes(dst + "a.txt"), QByteArray("old"));
        // newer: only where the source is newer.
        r = h.run(copy + QStringList{"--overwrite", "newer"});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::readBytes(dst + "a.txt"), test::readBytes(src + "a.txt"));
        QCOMPARE(test::readBytes(dst + "b.txt"), QByteArray("newer target"));
        QVERIFY(afterRows(r.out).contains(src + "a.txt\t" + dst + "a.txt\tПерезапись"));
        // all: without --yes and without a terminal nothing is replaced.
        r = h.run(find(src) + QStringList{"--copy", dst, "--mode", "overwrite", "--overwrite", "all"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("--yes"));
        QCOMPARE(test::readBytes(dst + "b.txt"), QByteArray("newer target"));
        r = h.run(copy + QStringList{"--overwrite", "all"});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::readBytes(dst + "b.txt"), test::readBytes(src + "sub/b.txt"));
        QVERIFY(h.savedLog("c1").contains("Перезапись: " + src + "sub/b.txt >> " + dst + "b.txt"));
    }

    void moveConvertsThePathsFirst()
    {
        test::CliRun r = h.run(find(src) + QStringList{"--copy", dst, "--move", "--test", "--yes"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile::exists(src + "a.txt"));
        r = h.run(find(src) + QStringList{"--copy", dst, "--move", "--yes"});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::folderNames(dst), (QStringList{"a.txt", "b.txt"}));
        QVERIFY(!QFile::exists(src + "a.txt") && !QFile::exists(src + "sub/b.txt"));
        QVERIFY(h.savedLog("m1").contains(src + "sub/b.txt >> " + dst + "b.txt"));
    }

    void trashAndDelete()
    {
        // No terminal and no --yes: refused with the window's question.
        test::CliRun r = h.run(find(src) + QStringList{"--delete"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("Продолжить?"));
        QVERIFY(QFile::exists(src + "a.txt"));
        r = h.run(find(src) + QStringList{"--delete", "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile::exists(src + "a.txt"));
        QVERIFY(afterRows(r.out).contains(src + "a.txt\t\t<УДАЛЕН>"));
        QVERIFY(h.savedLog("e1").isEmpty());

        r = h.run(find(src + "sub") + QStringList{"--trash", "--yes"});
        QCOMPARE(r.code, 0);
        QVERIFY(!QFile::exists(src + "sub/b.txt"));
        if (!test::kWindows) // the recycle bin there is the system's own
            QVERIFY(QFile::exists(h.home() + "/.local/share/Trash/files/b.txt"));
        r = h.run(find(src) + QStringList{"--delete", "--yes"});
        QCOMPARE(r.code, 0);
        QVERIFY(!QFile::exists(src + "a.txt"));
        const QStringList saved = h.savedLog("e1");
        QVERIFY(saved.contains(src + "sub/b.txt <УДАЛЕН>"));
        QVERIFY(saved.contains(src + "a.txt <УДАЛЕН>"));
    }

    void emptyFolders()
    {
        QVERIFY(QDir().mkpath(src + "e1"));
        QVERIFY(QDir().mkpath(src + "e2"));
        const QStringList rows = find(src, "folders") + QStringList{"--empty-folders"};
        test::CliRun r = h.run(rows);
        QCOMPARE(r.code, 0);
        QStringList listed = afterRows(r.out);
        listed.sort();
        QCOMPARE(listed, (QStringList{src + "e1\t\t<пустая папка>", src + "e2\t\t<пустая папка>"}));
        r = h.run(rows + QStringList{"--delete", "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFileInfo(src + "e1").isDir());
        r = h.run(rows + QStringList{"--delete", "--yes"});
        QCOMPARE(r.code, 0);
        QVERIFY(!QFileInfo(src + "e1").exists() && !QFileInfo(src + "e2").exists());
        QVERIFY(QFileInfo(src + "sub").isDir());
        QVERIFY(h.savedLog("d1").contains(src + "e2 <OK: папка удалена>"));
    }

    void quickRenames()
    {
        test::writeTestFile(src + "two words.txt", "x");
        const QStringList rows = find(src) + QStringList{"--mask", "two*"};
        test::CliRun r = h.run(rows + QStringList{"--quick", "spaces", "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(afterRows(r.out).contains(src + "two words.txt\ttwo_words.txt\tOK"));
        QVERIFY(QFile::exists(src + "two words.txt"));
        r = h.run(rows + QStringList{"--quick", "add-ext:bak"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile::exists(src + "two words.txt.bak"));
        QVERIFY(!h.savedLog("r1").filter("two words.txt.bak").isEmpty());
        r = h.run(rows + QStringList{"--quick", "sideways"});
        QCOMPARE(r.code, 2);
    }

    void renameListAndMkdirs()
    {
        test::writeTestFile(h.dir.path() + "/names.txt", "первый\n\n");
        test::CliRun r = h.run(find(src) + QStringList{"--rename-list", h.dir.path() + "/names.txt"});
        QCOMPARE(r.code, 0);
        QVERIFY(QFile::exists(src + "первый.txt"));
        QVERIFY(QFile::exists(src + "sub/b.txt")); // its line is empty: skipped
        QVERIFY(!h.savedLog("r1").isEmpty());

        test::writeTestFile(h.dir.path() + "/dirs.txt", "Один\nдва\nОдин\n");
        r = h.run({"--mkdirs", h.dir.path() + "/dirs.txt", "--in", dst, "--test"});
        QCOMPARE(r.code, 0);
        QVERIFY(test::folderNames(dst).isEmpty());
        r = h.run({"--mkdirs", h.dir.path() + "/dirs.txt", "--in", dst});
        QCOMPARE(r.code, 0);
        QCOMPARE(test::folderNames(dst).size(), 2); // the repeat counts once
        QVERIFY(QFileInfo(dst + "Один").isDir() && QFileInfo(dst + "два").isDir());
        QVERIFY(r.out.contains("два\t" + dst + "два\t<Папка создана>"));
        QVERIFY(!h.savedLog("f1").isEmpty());
        r = h.run({"--mkdirs", h.dir.path() + "/dirs.txt", "--in", dst});
        QCOMPARE(r.code, 3); // they exist now
    }

    // A snapshot saved by the program, then changes on disk.
    void diffAndCsv()
    {
        const QString vts = h.dir.path() + "/snap.vts";
        QCOMPARE(h.run(find(src) + QStringList{"--save", vts}).code, 0);
        test::CliRun r = h.run(find(src) + QStringList{"--diff", vts});
        QCOMPARE(r.code, 0);
        test::writeTestFile(src + "new.txt", "n");
        test::writeTestFile(src + "a.txt", "longer than before");
        QVERIFY(QFile::remove(src + "sub/b.txt"));
        r = h.run(find(src) + QStringList{"--diff", vts});
        QCOMPARE(r.code, 1);
        QStringList marks;
        for (const QString &l : afterRows(r.out))
            marks << l.section('\t', 0, 0) + l.section('\t', 3, 3);
        QCOMPARE(marks.mid(0, 3), (QStringList{"+new.txt", "~a.txt", "-b.txt"}));

        const QString csv = h.dir.path() + "/rows.csv";
        // no name holds a quote on Windows
        const bool win = test::kWindows;
        test::writeTestFile(src + (win ? "comma, q.txt" : "comma, \"q\".txt"), "x");
        QCOMPARE(h.run(find(src) + QStringList{"--save", csv}).code, 0);
        const QStringList lines = QString::fromUtf8(test::readBytes(csv)).split("\r\n");
        QCOMPARE(lines.first(), QStringLiteral("ID,Папка,Имя,Тип,Размер,Byte,8.3,Изменен,Ord,Page,Атрибуты"));
        QVERIFY(lines.filter(win ? "\"comma, q.txt\"" : "\"comma, \"\"q\"\".txt\"").size() == 1);
        const QString tsv = h.dir.path() + "/rows.tsv";
        QCOMPARE(h.run(find(src) + QStringList{"--save", tsv}).code, 0);
        QVERIFY(test::readBytes(tsv).startsWith("ID\tПапка\t"));
    }
};

VT_TEST_GUILESS_MAIN(TestCli)
#include "tst_core_cli.moc"
