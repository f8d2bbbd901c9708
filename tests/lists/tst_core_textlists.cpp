#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "lists/core/listcontroller.h"
#include "lists/core/textlist.h"
#include "lists/core/textsave.h"
#include "table/core/rowappend.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace vt;

// VTX/M3U lists and TXT reports: what the reader tolerates, the encodings,
// the writers, the save flow with its 100-file rule, and --read/--save.
class TextListsTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    QString make(const QString &rel, int bytes = 1)
    {
        test::writeTestFile(root + rel, QByteArray(bytes, 'x'));
        return root + rel;
    }
    struct Read {
        ListRead r;
        QStringList report;
        QStringList paths;
    };
    Read read(const QString &list, const QByteArray &bytes, TextListForm form = TextListForm::Vtx)
    {
        test::writeTestFile(list, bytes);
        Read out;
        TableModel t;
        out.r = readTextListRows(t, list, out.report, nullptr, form);
        for (int i = 0; i < t.size(); ++i)
            out.paths << QString::fromUtf8(t.fullPath(i));
        return out;
    }
    void addRows(TableModel &t, const QStringList &paths)
    {
        AppendState st;
        for (const QString &p : paths)
            QCOMPARE(appendPath(t, st, p), AppendResult::Added);
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        make("L/b.txt");
        make("L/Отчёт.txt");
        make("L/sub/c.txt");
        make("other/d.txt");
    }

    void linesAreCleanedAndTakenAgainstTheListFolder()
    {
        const QByteArray text = "  \"" + (root + "other/d.txt").toUtf8() + "\"  \r\n"
                                "b.txt\n"
                                "\t\r\n"
                                "sub/c.txt\r\n"
                                "../other/d.txt\n" // the same row again: skipped, no error
                                "missing.txt\r\n"
                              + QByteArray("a\0b.txt\n", 8) + "\"\"";
        const Read r = read(root + "L/list.vtx", text);
        QCOMPARE(r.r.kind, ListKind::Vtx);
        QCOMPARE(r.paths, (QStringList{root + "other/d.txt", root + "L/b.txt", root + "L/sub/c.txt"}));
        QCOMPARE(r.r.errors, 4);
        QCOMPARE(r.report.mid(3), (QStringList{"<НЕТ ИМЕНИ>", "missing.txt", "a?b.txt", "<НЕТ ИМЕНИ>"}));
        // A line longer than any path is reported shortened, not looked up.
        const Read big = read(root + "L/big.vtx", QByteArray(100000, 'q') + "\r\nb.txt");
        QCOMPARE(big.paths, QStringList{root + "L/b.txt"});
        QCOMPARE(big.report.at(3).size(), 303);
    }

    void encodingsAreRecognised()
    {
        const QString name = root + "L/Отчёт.txt";
        const QStringList expected{name};
        QCOMPARE(read(root + "L/a.vtx", toCp1251(name)).paths, expected);
        QCOMPARE(read(root + "L/b.vtx", name.toUtf8()).paths, expected);
        QCOMPARE(read(root + "L/c.vtx", "\xEF\xBB\xBF" + name.toUtf8() + "\r\n").paths, expected);
        QCOMPARE(read(root + "L/d.vtx", "\xEF\xBB\xBF" "b.txt").paths, QStringList{root + "L/b.txt"});
        // Bytes that are neither: cp1251 decodes anything; no row, one error, no crash.
        const Read junk = read(root + "L/e.vtx", QByteArray("\xff\xfe\x00\x81\x98\r\n", 7));
        QCOMPARE(junk.r.kind, ListKind::Vtx);
        QCOMPARE(junk.r.errors, 1);
    }

    void m3uCommentsAreSkippedButNotInVtx()
    {
        const QByteArray text = "#EXTM3U\r\n#EXTINF:12,Title\r\nb.txt\r\n";
        Read r = read(root + "L/p.m3u", text);
        QCOMPARE(r.paths, QStringList{root + "L/b.txt"});
        QCOMPARE(r.r.errors, 0);
        r = read(root + "L/p.vtx", text);
        QCOMPARE(r.r.errors, 2);
    }

    void writerPicksCp1251OrUtf8WithBom()
    {
        bool utf8 = true;
        QCOMPARE(encodeTextLines({"Отчёт", "b"}, &utf8), toCp1251("Отчёт") + "\r\nb\r\n");
        QVERIFY(!utf8);
        const QByteArray u = encodeTextLines({"Отчёт", "日本"}, &utf8);
        QVERIFY(utf8);
        QCOMPARE(u, QByteArray("\xEF\xBB\xBF") + QString("Отчёт\r\n日本\r\n").toUtf8());
        QCOMPARE(decodeTextLines(u), (QStringList{"Отчёт", "日本"}));
        // Names whose cp1251 bytes happen to be UTF-8 ("Рџ" is D0 9F, "П") or a byte-order mark.
        for (const QString &name : {QStringLiteral("Рџ.txt"), QStringLiteral("п»ї.txt")}) {
            const QByteArray b = encodeTextLines({name}, &utf8);
            QVERIFY(utf8);
            QCOMPARE(decodeTextLines(b), QStringList{name});
        }
    }

    void txtFormsNamesHeaderAndWholeRows()
    {
        TableModel t;
        const QString small = make("R/small.bin", 1000), big = make("R/big.bin", 1024);
        addRows(t, {small, big});
        t.setOrdPage(1, 3, 4);
        const QStringList names = txtNameLines(t, {0, 1}, "\"", QString(), false).lines;
        QCOMPARE(names, (QStringList{'"' + small + '"', '"' + big + '"'}));
        t.setStartFolder(root);
        const QStringList alias = txtNameLines(t, {1}, QString(), "X:/", true).lines;
        QCOMPARE(alias, (QStringList{"Папка начала поиска: " + root, "Строка-замена: X:/", "-------", "",
                                     "X:/R/big.bin"}));
        const QStringList rows = txtRowLines(t, {0, 1}, QString()).lines;
        QCOMPARE(rows.size(), 8);
        QCOMPARE(rows[2], "Размер файла: byte: 1000. Ord: -. Page: -");
        QCOMPARE(rows[6], "Размер файла: KB: 1 (byte: 1024). Ord: 3. Page: 4");
        QVERIFY(rows[5].startsWith("Дата изменения, атрибуты: "));
        QCOMPARE(rows[7], "-------");
    }

    void relativeSaveNamesOnlyRowsDirectlyInTheListFolder()
    {
        test::FakeServices fx;
        TableModel t;
        OperationContext ops;
        CurrentLog log;
        ListController lists(t, ops, log, {});
        const QString list = root + "L/rel.vtx";
        test::writeTestFile(list, "b.txt\r\nsub/c.txt\r\n" + (root + "other/d.txt").toUtf8() + "\r\nОтчёт.txt\r\n");
        QVERIFY(lists.openList(list));
        QCOMPARE(t.size(), 4);
        QVERIFY(lists.SaveSpisVtx(false, true));
        QCOMPARE(readWholeFile(list), "b.txt\r\n" + toCp1251(root + "L/sub/c.txt") + "\r\n"
                                          + toCp1251(root + "other/d.txt") + "\r\n" + toCp1251("Отчёт.txt") + "\r\n");
        QVERIFY(lists.SaveSpisVtx(false, false));
        QVERIFY(readWholeFile(list).startsWith(toCp1251(root + "L/b.txt\r\n")));
    }

    void saveAsTxtKeepsTheHundredFileRule()
    {
        test::FakeServices fx;
        TableModel t;
        CurrentLog log;
        addRows(t, {root + "L/b.txt", root + "L/sub/c.txt"});
        t.setSelected(1, true);
        const QString texts = mkdirr("Texts");
        for (int i = 0; i < 100; ++i)
            test::writeTestFile(texts + QString("old%1.txt").arg(i), "");
        TextSaveRequest req;
        req.quote = "\"";
        // 100 files: one more may go in; selected rows only.
        fx.ui.yesOk << YesOk::Yes << YesOk::Ok;
        QCOMPARE(SaveAsTxt(t, log, req), 1);
        const QString saved = texts + "2026-12-08_12-00-00.txt";
        QCOMPARE(readWholeFile(saved), "\"" + toCp1251(root + "L/sub/c.txt") + "\"\r\n");
        QCOMPARE(fx.shell.shown, QStringList{saved});
        QVERIFY(log.text().contains("Сохранены [имена файлов/папок] в\r\nтекстовый файл TXT (выделенные: 1). "
                                    "Имя файла:\r\n" + saved));
        // 101: refused; the user may open the folder.
        fx.ui.stopAnswers << true;
        QCOMPARE(SaveAsTxt(t, log, req), 2);
        QVERIFY(fx.ui.calls.last().text.contains("\".TXT\" (101 шт.) превышает 100."));
        QCOMPARE(fx.shell.opened, QStringList{texts});
        // Another extension is counted on its own; TEMP takes the fixed name.
        qputenv("TEMP", data.path().toUtf8());
        req.toTemp = true;
        req.type = TextType::M3u;
        fx.ui.yesOk << YesOk::Ok << YesOk::Cancel;
        QCOMPARE(SaveAsTxt(t, log, req), 2);
        QCOMPARE(readWholeFile(root + "~VtlTmpfile.m3u"), toCp1251(root + "L/b.txt\r\n" + root + "L/sub/c.txt\r\n"));
        qputenv("TEMP", (root + "nowhere").toUtf8());
        QCOMPARE(SaveAsTxt(t, log, req), 2);
        QCOMPARE(fx.ui.calls.last().text, "Не найдена папка TEMP:\r\n" + root + "nowhere");
        qunsetenv("TEMP");
    }

    void headlessRoundTripThroughTextLists()
    {
        auto run = [](const QStringList &args, QStringList *out) {
            QProcess p;
            p.start(QStringLiteral(VESTRADA_EXE), args);
            p.waitForFinished(30000);
            *out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
            return p.exitCode();
        };
        const QString src = root + "L/round.vtx";
        test::writeTestFile(src, "b.txt\r\nОтчёт.txt\r\nsub/c.txt\r\n");
        QStringList first, second, third;
        QCOMPARE(run({"--read", src, "--save", root + "copy.m3u"}, &first), 0);
        QCOMPARE(run({"--read", root + "copy.m3u", "--save", root + "copy.txt"}, &second), 0);
        QCOMPARE(run({"--read", root + "copy.txt"}, &third), 0);
        QCOMPARE(second.mid(0, 3), first.mid(0, 3));
        QCOMPARE(third.mid(0, 3), first.mid(0, 3));
        QVERIFY(first.at(0).contains("b.txt"));
        QCOMPARE(readWholeFile(root + "copy.txt"),
                 toCp1251(root + "L/b.txt\r\n" + root + "L/Отчёт.txt\r\n" + root + "L/sub/c.txt\r\n"));
    }
};

VT_TEST_GUILESS_MAIN(TextListsTest)
#include "tst_core_textlists.moc"
