// Links in the way of a batch: nothing is written outside the folder the
// user chose, a file that became a link is not read through it, and a
// temporary left by a killed copy is cleared by the next one.
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "fileops/core/copymove.h"
#include "fileops/core/dircreate.h"
#include "lists/core/textsave.h"
#include "platform/copyfile.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <utime.h>

using namespace vt;

using test::readBytes;
using test::folderNames;

namespace {

// Something to do just before a file of the batch is copied or moved.
class HookedEngine : public FileEngine {
public:
    std::function<void(int n)> before;
    int n = 0;
    fs::CopyOutcome copy(const QByteArray &from, const fs::DirHandle &d, const QByteArray &name,
                         const fs::CopyOptions &o) override
    {
        before(++n);
        return FileEngine::copy(from, d, name, o);
    }
    fs::CopyOutcome move(const QByteArray &from, const fs::DirHandle &d, const QByteArray &name,
                         const fs::CopyOptions &o) override
    {
        before(++n);
        return FileEngine::move(from, d, name, o);
    }
};

} // namespace

class LinkSafetyTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root, S, T, E; // sources, target, somewhere else
    int caseNo = 0;

    QString make(const QString &path, const QByteArray &bytes = "x")
    {
        test::writeTestFile(path, bytes);
        return path;
    }
    static void link(const QString &target, const QString &at) { QVERIFY(QFile::link(target, at)); }
    static QStringList items()
    {
        const QStringList l = currentLog().opLog();
        return l.mid(2, l.size() - 3);
    }
    // Runs a copy or move of every row into T, answering each question Yes.
    void run(TableModel &t, Transfer transfer, CopyMode mode, int questions, FileEngine *engine = nullptr)
    {
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        CopyMover cm(t, ops, lcm);
        cm.setEngine(engine);
        for (int i = 0; i < questions; ++i)
            fx.ui.yesNo << true;
        QVERIFY(cm.CopyMove(transfer, mode).ran);
    }

private slots:
    void initTestCase() { QVERIFY(GetOptPath()); }
    void init()
    {
        root = test::nextCaseFolder(data.path(), caseNo);
        S = root + "s/";
        T = root + "t/";
        E = root + "elsewhere/";
        for (const QString &d : {S, T, E})
            QVERIFY(QDir().mkpath(d));
        currentLog().beginOperation(LogKind::None);
    }

    void backupCopyNeverWritesThroughALinkedSubFolder()
    {
        make(S + "sub/g.txt", "g");
        make(S + "sub/deeper/x.txt", "x");
        make(S + "ok/h.txt", "h");
        link(E.chopped(1), T + "sub");
        TableModel t;
        test::diskRows(t, S, {"sub/g.txt", "sub/deeper/x.txt", "ok/h.txt"});

        // The list of folders to make names the link, and making it fails.
        QCOMPARE(GetNewDirs({"sub/", "sub/deeper/", "ok/"}, T), QStringList({"ok/", "sub/", "sub/deeper/"}));
        {
            test::FakeServices fx;
            QStringList dirs{"sub/", "sub/deeper/"};
            MkResDirr(false, T, dirs);
            QCOMPARE(dirs, QStringList({T + "sub/ <ошибка>", T + "sub/deeper/ <ошибка>"}));
        }

        run(t, Transfer::Copy, CopyMode::Backup, 2);
        QCOMPARE(folderNames(E), QStringList());
        QVERIFY(QFileInfo(T + "sub").isSymLink());
        QCOMPARE(readBytes(T + "ok/h.txt"), QByteArray("h"));
        QCOMPARE(items(), QStringList({"<Error> " + T + "sub/g.txt [ошибка! ссылка вместо папки]",
                                       "<Error> " + T + "sub/deeper/x.txt [ошибка! ссылка вместо папки]",
                                       S + "ok/h.txt >> " + T + "ok/h.txt", "___\r\n"}));
        QVERIFY(currentLog().opLog().last().startsWith("Результат: 1 из 3"));
    }

    void aFolderSwappedForALinkDuringTheBatchIsNotFollowed()
    {
        // A backup copy: the sub-folder the review made becomes a link.
        make(S + "sub/a.txt", "a");
        make(S + "sub/b.txt", "b");
        TableModel t;
        test::diskRows(t, S, {"sub/a.txt", "sub/b.txt"});
        HookedEngine swap;
        swap.before = [&](int n) {
            if (n == 2) {
                QVERIFY(QDir().rename(T + "sub", root + "moved-sub"));
                link(E.chopped(1), T + "sub");
            }
        };
        run(t, Transfer::Copy, CopyMode::Backup, 2, &swap);
        QCOMPARE(folderNames(E), QStringList());
        QCOMPARE(folderNames(root + "moved-sub"), QStringList({"a.txt", "b.txt"}));

        // A move: the target itself is swapped after the first file.
        QVERIFY(QFile::remove(T + "sub"));
        TableModel m;
        test::diskRows(m, QString(), {make(S + "m1.txt"), make(S + "m2.txt")});
        swap.n = 0;
        swap.before = [&](int n) {
            if (n == 2) {
                QVERIFY(QDir().rename(T, root + "moved-t"));
                link(E.chopped(1), T.chopped(1));
            }
        };
        run(m, Transfer::Move, CopyMode::Prefix, 1, &swap);
        QCOMPARE(folderNames(E), QStringList());
        QCOMPARE(folderNames(root + "moved-t"), QStringList({"m1.txt", "m2.txt"}));
    }

    void aSourceThatBecameALinkIsNotRead()
    {
        const QString secret = make(root + "secret", "root only");
        const QString data = make(root + "data", "linked data");
        TableModel t;
        test::diskRows(t, QString(), {make(S + "a.txt", "a"), make(S + "b.txt", "b")});
        link(data, S + "l.txt");
        test::diskRows(t, QString(), {S + "l.txt"}); // found as a link: it keeps that meaning
        QVERIFY(QFile::remove(S + "a.txt"));
        link(secret, S + "a.txt");
        run(t, Transfer::Copy, CopyMode::Prefix, 1);
        QCOMPARE(folderNames(T), QStringList({"b.txt", "l.txt"}));
        QCOMPARE(readBytes(T + "l.txt"), QByteArray("linked data"));
        QCOMPARE(items().first(), "<Error> " + T + "a.txt");
        // The same for the copy at a path.
        QCOMPARE(fs::copyFile(QFile::encodeName(S + "a.txt"), QFile::encodeName(T + "c.txt")).result,
                 fs::CopyResult::SourceMissing);
    }

    void temporariesLeftBehindAreClearedByTheNextCopy()
    {
        // A killed copy's temporary (unlocked, not written for an hour), one a
        // running copy holds, and one just made.
        const QString stale = make(T + ".vt-1abc.part", "half");
        const QString held = make(T + ".vt-2abc.part", "half");
        const QString fresh = make(T + ".vt-3abc.part", "half");
        const QString other = make(T + ".vt-notours.tmp", "keep");
        const struct utimbuf hourAgo = {::time(nullptr) - 3600, ::time(nullptr) - 3600};
        for (const QString &p : {stale, held, other})
            QCOMPARE(::utime(QFile::encodeName(p).constData(), &hourAgo), 0);
        QFile lock(held);
        QVERIFY(lock.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(lock.handle(), LOCK_EX | LOCK_NB), 0);

        TableModel t;
        test::diskRows(t, QString(), {make(S + "a.txt")});
        run(t, Transfer::Copy, CopyMode::Prefix, 1);
        QCOMPARE(folderNames(T), QStringList({".vt-2abc.part", ".vt-3abc.part", ".vt-notours.tmp", "a.txt"}));
        QCOMPARE(items(), QStringList({"<Удален временный файл> " + stale, S + "a.txt >> " + T + "a.txt", "___\r\n"}));
    }

    void folderCreationMakesNothingThroughALink()
    {
        link(E.chopped(1), T + "lnk");
        test::FakeServices fx;
        DirListState s;
        s.folder = T;
        s.editor = "new\nlnk";
        fx.ui.yesNo << true;
        QCOMPARE(runDirList(s, DirListAction::Create), DirListOutcome::Done);
        QCOMPARE(s.result.mid(0, 2), QStringList({T + "lnk <Ошибка: папка существует>", T + "new <Папка создана>"}));

        // The typed path: a level that became a link before it was made.
        const PathPlan plan = planPath(T + "p/a/b");
        QCOMPARE(plan.count, 3);
        link(E.chopped(1), T + "p");
        QCOMPARE(createPath(plan).created, 0);
        QCOMPARE(folderNames(E), QStringList());
    }

    void textSavesNeverFollowALink()
    {
        test::FakeServices fx;
        TableModel t;
        test::diskRows(t, QString(), {make(S + "a.txt")});
        CurrentLog log;
        // Texts/ is a link to somewhere else: nothing is written.
        const QString texts = home.path() + "/Texts";
        QDir(texts).removeRecursively();
        link(E.chopped(1), texts);
        TextSaveRequest req;
        QCOMPARE(SaveAsTxt(t, log, req), 2);
        QCOMPARE(fx.ui.beeps, 1);
        QCOMPARE(folderNames(E), QStringList());
        QVERIFY(!programSubDir("Texts"));
        QFile::remove(texts);

        // The fixed name in a shared TEMP is a link to a file of the user's.
        const QString victim = make(root + "victim", "precious");
        link(victim, root + "~VtlTmpfile.m3u");
        qputenv("TEMP", root.toUtf8());
        req.toTemp = true;
        req.type = TextType::M3u;
        fx.ui.yesOk << YesOk::Ok << YesOk::Cancel;
        QCOMPARE(SaveAsTxt(t, log, req), 2);
        qunsetenv("TEMP");
        QCOMPARE(readBytes(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(root + "~VtlTmpfile.m3u").isSymLink());
        QCOMPARE(readBytes(root + "~VtlTmpfile.m3u"), QFile::encodeName(S + "a.txt\r\n"));
    }
};

VT_TEST_GUILESS_MAIN(LinkSafetyTest)
#include "tst_core_linksafety.moc"
