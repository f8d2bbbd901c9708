#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "fakewindow.h"
#include "lists/core/diskpath.h"
#include "lists/core/listcontroller.h"
#include "lists/core/pathintake.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtlfile.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>

using namespace vt;

class IntakeTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    QString make(const QString &rel)
    {
        test::writeTestFile(root + rel, "x");
        return root + rel;
    }

    // A table with its list controller and intake, as the main window holds them.
    struct Rig {
        TableModel t;
        OperationContext ops;
        CurrentLog log;
        ListController lists{t, ops, log, {}};
        test::FakeWindow window = converting();
        PathIntake intake{lists, t, ops, log, &window};
        test::FakeWindow converting()
        {
            test::FakeWindow w;
            w.onConvert = [this](bool) { convertToFullPaths(t); };
            return w;
        }
    };

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        make("Docs/Report.TXT");
        make("Docs/notes.txt");
        make("Twins/a.txt");
        make("Twins/A.txt");
    }

    void typedPathsTakeTheDiskSpelling()
    {
        const DiskPath d = diskPath("  " + root + "docs/report.txt/  ");
        QCOMPARE(d.status, DiskPath::Found);
        QCOMPARE(d.path, root + "Docs/Report.TXT");
        QVERIFY(!d.isDir);

        const DiskPath dir = diskPath(root + "DOCS//");
        QCOMPARE(dir.status, DiskPath::Found);
        QCOMPARE(dir.path, root + "Docs");
        QVERIFY(dir.isDir);

        // An exact name wins; two names that differ only in case leave a
        // third spelling unresolved rather than picking one (case twins:
        // Windows file systems hold none).
        if (!test::kWindows) {
            QCOMPARE(diskPath(root + "Twins/A.txt").path, root + "Twins/A.txt");
            QCOMPARE(diskPath(root + "Twins/a.TXT").status, DiskPath::NotFound);
        }

        QCOMPARE(diskPath(" /ab ").status, DiskPath::TooShort);
        for (const QString &bad : {QString("Docs/notes.txt"), root + "Docs/no?es.txt", root + "Docs/../Docs",
                                   root + "Docs/notes.txt/x", QString("////")})
            QCOMPARE(diskPath(bad).status, DiskPath::NotFound);
    }

    void commandLineParameters()
    {
        test::FakeServices fx;
        // One folder goes into the folder field, with its separator; no rows.
        {
            Rig r;
            const AddOutcome o = r.intake.AddParams(AddMode::CommandLine, {root + "Docs"});
            QVERIFY(o.folderField);
            QCOMPARE(r.window.folder, root + "Docs/");
            QCOMPARE(r.t.size(), 0);
        }
        TableModel src;
        AppendState st;
        appendPath(src, st, root + "Docs/notes.txt");
        QVERIFY(writeVtl(root + "one.vtl", src, false).ok);
        QVERIFY(writeVtl(root + "two.vtl", src, false).ok);
        // One list is read and becomes the open list.
        {
            Rig r;
            r.t.setStartFolder(root); // left from an earlier search
            const AddOutcome o = r.intake.AddParams(AddMode::CommandLine, {root + "one.vtl"});
            QCOMPARE(o.list, ListKind::Vtl);
            QVERIFY(r.lists.isOpen());
            QCOMPARE(r.t.size(), 1);
            QCOMPARE(QString::fromUtf8(r.t.fullPath(0)), root + "Docs/notes.txt");
            QVERIFY(r.t.startFolder().isEmpty());
        }
        // Several parameters are rows, lists among them too; missing ones add nothing.
        {
            Rig r;
            const AddOutcome o = r.intake.AddParams(
                AddMode::CommandLine, {root + "one.vtl", root + "two.vtl", root + "gone.txt", root + "Docs"});
            QCOMPARE(o.list, ListKind::None);
            QCOMPARE(r.t.size(), 3);
            QCOMPARE(o.files, 2);
            QCOMPARE(o.folders, 1);
            QVERIFY(!r.lists.isOpen());
            QCOMPARE(r.t.at(2).cells[ColID], QStringLiteral("3"));
            QVERIFY(r.log.text().contains("Прочитаны параметры командной строки в таблицу.\r\n"
                                          "В таблице файлов: 2, папок: 1\r\n-"));
        }
        // Relative parameters name files of the start folder ("cd Docs; vestrada notes.txt ...").
        {
            Rig r;
            const QString abs = QDir::rootPath() + "abs/x";
            const QStringList params = absoluteParams({"notes.txt", "Report.TXT", "../Twins", "", abs}, root + "Docs");
            QCOMPARE(params, (QStringList{root + "Docs/notes.txt", root + "Docs/Report.TXT", root + "Twins", "", abs}));
            const AddOutcome o = r.intake.AddParams(AddMode::CommandLine, params.mid(0, 3));
            QCOMPARE(o.files, 2);
            QCOMPARE(o.folders, 1);
            QCOMPARE(QString::fromUtf8(r.t.fullPath(0)), root + "Docs/notes.txt");
        }
        // "vestrada ." puts the start folder itself into the field.
        {
            Rig r;
            QVERIFY(r.intake.AddParams(AddMode::CommandLine, absoluteParams({"."}, root + "Docs")).folderField);
            QCOMPARE(r.window.folder, root + "Docs/");
        }
    }

    void addingAsksAboutGapsAndRelativeFolders()
    {
        test::FakeServices fx;
        Rig r;
        QVERIFY(r.intake.ProvAdd()); // empty table
        r.intake.AddParams(AddMode::Append, {root + "Docs/notes.txt", root + "Docs/Report.TXT", root + "Twins"});
        r.t.removeRows({0});
        // Rows were removed: the first add only renumbers, the next proceeds.
        fx.ui.yesNo.enqueue(true);
        QVERIFY(!r.intake.ProvAdd());
        QVERIFY(fx.ui.lastText().startsWith("Из таблицы удаляли записи."));
        QCOMPARE(r.t.at(0).cells[ColID], QStringLiteral("1"));
        QVERIFY(r.intake.ProvAdd());

        // Relative "Папка" cells: an empty table converts silently, a full one asks.
        Rig rel;
        rel.t.setStartFolder(root);
        QVERIFY(rel.intake.ProvAdd());
        QCOMPARE(rel.window.converted, 1);
        rel.t.setStartFolder(root);
        rel.t.appendRow(test::fileRow(1, "Docs/", "notes.txt", 1));
        fx.ui.yesNo.enqueue(false);
        QVERIFY(!rel.intake.ProvAdd());
        QCOMPARE(rel.window.converted, 1);
    }

    void onePathAndDroppedPaths()
    {
        test::FakeServices fx;
        Rig r;
        // Adding to an open list marks it changed.
        TableModel src;
        AppendState st;
        appendPath(src, st, root + "Docs/notes.txt");
        QVERIFY(writeVtl(root + "open.vtl", src, false).ok);
        QVERIFY(r.lists.openList(root + "open.vtl"));

        r.intake.addOnePath("/ab");
        QCOMPARE(fx.ui.beeps, 1);
        r.intake.addOnePath(root + "DOCS/NOTES.TXT");
        QCOMPARE(fx.ui.lastText(), "Путь файла:\r" + root + "Docs/notes.txt\rесть в таблице, ID = 1");
        r.intake.addOnePath(root + "nothing");
        QCOMPARE(fx.ui.lastText(), "Не найден файл/папка:\r" + root + "nothing");
        fx.ui.yesNo.enqueue(true);
        r.intake.addOnePath(root + "docs/");
        QCOMPARE(fx.ui.calls.last().text, "Добавить путь папки?\r" + root + "Docs");
        QCOMPARE(r.t.size(), 2);
        QCOMPARE(fx.sound.played, QList<int>{2});
        QVERIFY(r.log.text().contains(" Добавлен путь папки:\r\n" + root + "Docs\r\n-"));
        QCOMPARE(r.lists.changedState(), ChangedState::Changed);

        // A drop is sorted, then added; the count message follows.
        fx.ui.yesOk.enqueue(YesOk::Ok);
        QStringList viewed;
        QVERIFY(r.intake.addDropped({root + "b", root + "A", root + "a2"},
                                    [&](const QStringList &p) { viewed = p; }));
        QCOMPARE(viewed, (QStringList{root + "A", root + "a2", root + "b"}));
        QCOMPARE(r.t.size(), 2);
        fx.ui.yesOk.enqueue(YesOk::Yes);
        r.intake.addDropped({root + "Twins/a.txt", root + "Twins", root + "missing"}, {});
        QCOMPARE(fx.ui.calls.at(fx.ui.calls.size() - 2).text,
                 "Выберите действие:\r[YES]: Добавить пути файлов/папок (3 шт.) из проводника?\r"
                 "[OK]: Просмотр путей файлов/папок");
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Добавлено файлов: 1, папок: 1"));
        QCOMPARE(r.t.size(), 4);
        QVERIFY(r.log.text().contains(" Добавлены файлы/папки.\r\nДобавлено файлов: 1, папок: 1\r\n-"));
    }
};

VT_TEST_GUILESS_MAIN(IntakeTest)
#include "tst_core_intake.moc"
