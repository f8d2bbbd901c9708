#include "fileops/core/dircreate.h"

#include "base/appdirs.h"
#include "base/cleanname.h"
#include "base/currentlog.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "platform/paths.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class DirCreateTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    int caseNo = 0;

    static QStringList entries(const QString &d)
    {
        return QDir(d).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
    }
    void init()
    {
        root = data.path() + QStringLiteral("/c%1/").arg(++caseNo);
        QVERIFY(QDir().mkpath(root));
        currentLog().beginOperation(LogKind::None);
        QFile::remove(optPath() + "f1");
    }

    void cleanName()
    {
        QCOMPARE(CleanName("  .Новая папка  "), QStringLiteral("Новая папка"));
        QCOMPARE(CleanName("a:b"), QStringLiteral("ab"));
        QCOMPARE(CleanName(" ..a  b\t*c?\"<>|/\\ . "), QStringLiteral("a bc"));
        QCOMPARE(CleanName(QStringLiteral("x") + QChar(127) + QChar(0) + "y"), QStringLiteral("x") + QChar(127) + "y");
        QCOMPARE(CleanName(" . .. "), QString());
        // Cut at 80 kept characters, then the trailing dots and spaces go.
        const QString longName = QString(78, 'n') + "::. .tail";
        QCOMPARE(CleanName(longName), QString(78, 'n'));
        QCOMPARE(int(CleanName(QString(100, QLatin1Char('z'))).size()), 80);

        const QStringList names = formatNames({"  .Новая папка  ", "новая папка", "a:b", "", " . "});
        QCOMPARE(names.size(), 2);
        QCOMPARE(names[0], QStringLiteral("ab"));
        QCOMPARE(names[1].compare(QStringLiteral("новая папка"), Qt::CaseInsensitive), 0);
    }

    void checkAndCreateTheList()
    {
        test::FakeServices fx;
        DirListState s;
        // No folder chosen: refused before any question.
        QCOMPARE(runDirList(s, DirListAction::Check), DirListOutcome::Refused);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Выберите папку"));

        // 101 names: the check refuses them all, creates nothing, formats the editor.
        s.folder = root;
        QStringList many;
        for (int i = 101; i > 0; --i)
            many << QStringLiteral(" d%1 ").arg(i, 3, 10, QLatin1Char('0'));
        s.editor = many.join('\n');
        fx.ui.clear();
        fx.ui.yesNo.enqueue(true);
        QCOMPARE(runDirList(s, DirListAction::Check), DirListOutcome::Done);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Число папок в редакторе превышает 100"));
        QCOMPARE(entries(root), QStringList());
        QCOMPARE(s.editor.split('\n').size(), 101);
        QVERIFY(s.editor.startsWith("d001\nd002\n"));
        QVERIFY(s.labFormatInf.endsWith("редакторе: 101"));

        // A real creation: one folder exists, one file holds a name, one is new.
        QDir().mkpath(root + "old");
        QFile f(root + "file");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        s.editor = "new\nold\nfile";
        fx.ui.yesNo.enqueue(true);
        runDirList(s, DirListAction::Create);
        QCOMPARE(s.result, QStringList({root + "file <Ошибка: файл существует>", root + "new <Папка создана>",
                                        root + "old <Ошибка: папка существует>", "___",
                                        "Создать папки: результат 1 из 3"}));
        QVERIFY(QFileInfo(root + "new").isDir());
        QCOMPARE(s.lastCreated, root);
        QCOMPARE(currentLog().lastKind(), LogKind::CreateFolders);
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("---\r\nЛог сохранен"));
        QVERIFY(fromCp1251([&] {
                    QFile l(optPath() + "f1");
                    l.open(QIODevice::ReadOnly);
                    return l.readAll();
                }()).contains(root + "new <Папка создана>"));

        // The check of the same list creates nothing more.
        s.editor = "second";
        fx.ui.yesNo.enqueue(true);
        runDirList(s, DirListAction::Check);
        QCOMPARE(s.result.first(), root + "second <Тест OK>");
        QVERIFY(!QFileInfo::exists(root + "second"));

        fx.ui.yesNo.enqueue(true);
        reportFolderContents(s);
        QCOMPARE(s.labDirRes, QStringLiteral("Результат: [вложено папок: 2]"));
        QCOMPARE(s.result.mid(4, 2), QStringList({"new", "old"}));
        QCOMPARE(s.result.last(), QStringLiteral("file"));
    }

    void pathFromAFileUrl()
    {
        QDir().mkpath(root + "Temp");
        test::FakeServices fx;
        const PathPlan p = planPath("file://" + root + "Temp/a/b");
        QCOMPARE(p.state, 0);
        const QString top = fs::pathRoot(root);
        QStringList want{top};
        want << root.mid(top.size()).chopped(1).split('/') << "Temp" << "->a" << "->b";
        QCOMPARE(p.comps, want);
        QCOMPARE(p.count, 2);

        // Answering Yes creates a and then b; the log keeps one line.
        fx.ui.inputs.enqueue("file://" + root + "Temp/a/b");
        fx.ui.yesNo << true << false;
        checkOrCreateTypedPath();
        QVERIFY(QFileInfo(root + "Temp/a/b").isDir());
        QVERIFY(fx.ui.calls.last().text.contains("a [Создана]\r\nb [Создана]\r\n\r\nСоздать путь папки, "
                                                 "результат: 2 из 2\r\n" + root + "Temp/a/b"));
        QVERIFY(currentLog().text().contains("Создать путь папки, результат: 2 из 2\r\n" + root
                                             + "Temp/a/b 08.12.2026 12:00:00\r\n-"));

        // No at the question creates nothing.
        fx.ui.inputs.enqueue(root + "Temp/x/y");
        fx.ui.yesNo << false;
        checkOrCreateTypedPath();
        QVERIFY(!QFileInfo::exists(root + "Temp/x"));

        // A relative path has no drive; a level that is a file fails and stops.
        QVERIFY(planPath("rel/a").error.endsWith("\rНеверный ввод пути."));
        QFile f(root + "Temp/blocker");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const PathCreated c = createPath(planPath(root + "Temp/blocker/c/../d"));
        QCOMPARE(c.created, 0);
        QCOMPARE(c.comps.mid(c.comps.size() - 3), QStringList({"blocker [Ошибка]", "c [Ошибка]", "d [Ошибка]"}));
        QCOMPARE(c.deepest, root + "Temp");
    }
};

VT_TEST_GUILESS_MAIN(DirCreateTest)
#include "tst_core_dircreate.moc"
