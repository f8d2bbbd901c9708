#include "base/appdirs.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "platform/programicon.h"
#include "shell/core/openwith.h"
#include "shell/core/shellrun.h"
#include "table/core/rowappend.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class ShellCoreTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;

    QString program(const QString &name)
    {
        // Windows runs what ends in .exe
        const QString p = home->filePath(test::kWindows ? name + ".exe" : name);
        test::writeTestFile(p, "#!/bin/sh\n");
        QFile(p).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return p;
    }

private slots:
    void init()
    {
        home.emplace();
                recentParams().clear();
    }
    void cleanup()
    {
        setAfterShowItem({});
        home.reset();
    }

    void sendTextKeepsWholePathsWithinTheLimit()
    {
        // 10 paths of 200 characters: 202 quoted, 203 with the blank; nine fit.
        QStringList paths;
        for (int i = 0; i < 10; ++i)
            paths << QStringLiteral("/") + QString(199, QChar(u'а' + i));
        const SendText s = sendText(paths);
        QCOMPARE(s.paths, paths.mid(0, 9));
        QCOMPARE(s.text.size(), 9 * 203 - 1);
        QVERIFY(s.text.startsWith("\"/аааа") && s.text.endsWith("ииии\""));
        QVERIFY(!s.text.contains("\"\""));

        // The last path fits exactly at 1940; one character more and it stays out.
        const QString a = "/" + QString(998, 'a'), b = "/" + QString(935, 'b');
        QCOMPARE(sendText({a, b}).text.size(), kSendTextMax);
        QCOMPARE(sendText({a, b + "b"}).paths, QStringList{a});
        // A single path beyond the limit gives nothing to send.
        QVERIFY(sendText({"/" + QString(1939, 'x')}).text.isEmpty());
        QVERIFY(sendText({"/" + QString(1939, 'x')}).paths.isEmpty());
    }

    void sendTextTakesSelectedRowsInTableOrder()
    {
        TableModel t;
        AppendState st;
        QStringList files;
        for (const char *n : {"c.txt", "a b.txt", "b.txt"}) {
            files << home->filePath(QString::fromLatin1(n));
            test::writeTestFile(files.last(), "x");
        }
        for (const QString &f : files)
            QCOMPARE(appendPath(t, st, f), AppendResult::Added);
        t.setSelected(2, true);
        t.setSelected(1, true);
        const SendText s = sendText(t, t.selection());
        QCOMPARE(s.paths, (QStringList{files[1], files[2]}));
        QCOMPARE(s.text, "\"" + files[1] + "\" \"" + files[2] + "\"");
    }

    void sendingWithParameterOrders()
    {
        test::FakeServices fx;
        RunRequest r;
        r.program = program("viewer");
        r.files = {"/a/one file.txt", "/b/two.txt"};
        r.paramOn = true;
        r.param = "-p";
        fx.ui.yesOk << YesOk::Ok << YesOk::Yes << YesOk::Cancel;
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.runs.last().first, r.program);
        QCOMPARE(fx.shell.runs.last().second, (QStringList{"-p", "/a/one file.txt", "/b/two.txt"}));
        QCOMPARE(fx.ui.calls[0].text, paramOrderQuestion());
        QVERIFY(closesDone(r, RunResult::Started));
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.runs.last().second, (QStringList{"/a/one file.txt", "/b/two.txt", "-p"}));
        // Cancel runs nothing and keeps the window.
        QCOMPARE(runProgram(r), RunResult::Refused);
        QCOMPARE(fx.shell.runs.size(), 2);
        QVERIFY(!closesDone(r, RunResult::Refused));
        QCOMPARE(recentParams().list(), QStringList{"-p"});
        QCOMPARE(fx.sound.played, (QList<int>{3, 3}));

        // A parameter with quotes is several arguments, never a command line.
        r.param = "--title \"My doc\" $(id)";
        r.mode = RunMode::RunParam;
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.runs.last().second, (QStringList{"--title", "My doc", "$(id)"}));

        // Unticked: the paths alone; the run-with-parameter entry only beeps.
        r.paramOn = false;
        r.mode = RunMode::Send;
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.runs.last().second, r.files);
        r.mode = RunMode::RunParam;
        QCOMPARE(runProgram(r), RunResult::Refused);
        QCOMPARE(fx.ui.beeps, 1);
        r.mode = RunMode::Run;
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.runs.last().second, QStringList());
        r.mode = RunMode::Folder;
        QCOMPARE(runProgram(r), RunResult::Started);
        QCOMPARE(fx.shell.opened.last(), home->path());

        // A program that went away is named, and nothing starts.
        const int runs = int(fx.shell.runs.size());
        r.program = home->filePath("gone");
        r.mode = RunMode::Send;
        QCOMPARE(runProgram(r), RunResult::Refused);
        QCOMPARE(fx.ui.lastText(), "Программа не найдена:\r" + r.program);
        QCOMPARE(fx.shell.runs.size(), runs);
        // A failed start still closes the window after sending.
        r.program = program("viewer");
        fx.shell.answer = false;
        QCOMPARE(runProgram(r), RunResult::Started);
        QVERIFY(closesDone(r, RunResult::Started));
        QCOMPARE(fx.ui.beepKinds.last(), Beep::Error);
    }

    void recentParametersKeepFiveNewestFirst()
    {
        RecentParams p;
        for (const char *v : {"-a", "-b", "-c", "-d", "-e", "-f"})
            p.add(QString::fromLatin1(v));
        QCOMPARE(p.list(), (QStringList{"-f", "-e", "-d", "-c", "-b"}));
        p.add("-F"); // equal to the first ignoring case: unchanged
        QCOMPARE(p.list().first(), "-f");
        p.add("-C");
        QCOMPARE(p.list(), (QStringList{"-C", "-f", "-e", "-d", "-b"}));
    }

    void programListKeepsExistingProgramsOnce()
    {
        test::FakeServices fx;
        const QString a = program("alpha"), b = program("beta");
        const QString plain = home->filePath("notes.txt");
        test::writeTestFile(plain, "x");
        QVERIFY(GetOptPath());
        const QByteArray stored = toCp1251("  " + a + " \r\n" + home->filePath("gone") + "\r\n" + plain + "\r\n" + a
                                           + "\r\n" + home->path() + "\r\n" + b + "\r\n");
        test::writeTestFile(ProgramList::storePath(), stored);
        ProgramList l;
        l.load();
        QCOMPARE(l.paths(), (QStringList{a, b}));
        // Dropped lines stay in the file until the list is saved.
        QCOMPARE(readWholeFile(ProgramList::storePath()), stored);
        QVERIFY(!l.add(a));
        QVERIFY(!l.add(plain));
        const QString c = program("gamma");
        QVERIFY(l.add(c));
        l.remove({0, 0, 7});
        QVERIFY(l.save());
        QCOMPARE(readWholeFile(ProgramList::storePath()), toCp1251(b + "\r\n" + c + "\r\n"));
        QCOMPARE(fx.sound.played, QList<int>{2});
    }

    void puskOpensRunsOrTells()
    {
        test::FakeServices fx;
        const QString doc = home->filePath("doc.txt"), prog = program("tool");
        test::writeTestFile(doc, "x");
        QList<bool> outcomes;
        auto record = [&](bool ok) { outcomes << ok; };
        pusk(false, doc, {}, record);
        QCOMPARE(fx.shell.opened, QStringList{doc});
        pusk(true, prog, {"-x"}, record);
        QCOMPARE(fx.shell.runs.last(), (QPair<QString, QStringList>{prog, {"-x"}}));
        QCOMPARE(fx.sound.played, (QList<int>{3, 3}));
        // A missing target is a failure even though the desktop would say yes.
        pusk(false, home->filePath("missing.txt"), {}, record);
        QCOMPARE(fx.ui.lastText(), "Ошибка открытия");
        pusk(true, home->filePath("missing.txt"), {}, record);
        QCOMPARE(fx.ui.beepKinds, QList<Beep>{Beep::Error});
        QCOMPARE(fx.shell.opened.size(), 1);
        // A program that will not start without arguments is opened instead.
        fx.shell.answer = false;
        pusk(true, prog, {}, record);
        QCOMPARE(fx.shell.opened.last(), prog);
        QCOMPARE(outcomes, (QList<bool>{true, true, false, false, false}));

        // The desktop answers later: the failure is told then.
        fx.shell.deferred = true;
        fx.ui.clear();
        pusk(false, doc, {}, record);
        QVERIFY(fx.ui.calls.isEmpty());
        fx.shell.answerPending(false);
        QCOMPARE(fx.ui.texts(), QStringList{"Ошибка открытия"});
        QCOMPARE(outcomes.size(), 6);
    }

    void extFndShowsThenMinimises()
    {
        test::FakeServices fx;
        int minimised = 0;
        setAfterShowItem([&] { ++minimised; });
        ExtFnd("/some/file.txt");
        QCOMPARE(fx.shell.shown, QStringList{"/some/file.txt"});
        QCOMPARE(fx.sound.played, QList<int>{2});
        QCOMPARE(minimised, 1);
        fx.shell.answer = false;
        ExtFnd("/some/file.txt");
        QCOMPARE(fx.ui.lastText(), "Ошибка открытия!");
        QCOMPARE(minimised, 1);
    }

    void iconNameFromTheApplicationEntry()
    {
        VT_LINUX_ONLY("application entries (Windows programs carry their icons)");
        // Read once per run: the entries must be in place before the first look-up.
        QTemporaryDir xdg;
        qputenv("XDG_DATA_HOME", xdg.path().toUtf8());
        qputenv("XDG_DATA_DIRS", xdg.filePath("none").toUtf8());
        const QString prog = program("my tools/viewer");
        test::writeTestFile(xdg.filePath("applications/kde/viewer.desktop"),
                            "[Desktop Entry]\nName=Viewer\nExec=\"" + prog.toUtf8()
                                + "\" %F\nIcon=viewer-icon\n[Desktop Action New]\nIcon=other\n");
        test::writeTestFile(xdg.filePath("applications/zz-viewer.desktop"),
                            "[Desktop Entry]\nExec=" + prog.toUtf8() + "\n");
        QCOMPARE(fs::programIconName(prog), "viewer-icon");
        QCOMPARE(fs::programIconName(program("plain")), QString());
    }
};

VT_TEST_GUILESS_MAIN(ShellCoreTest)
#include "tst_core_shell.moc"
