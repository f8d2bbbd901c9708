#include "search/core/recentfolders.h"
#include "base/appdirs.h"
#include "base/textutil.h"
#include "fifoguard.h"
#include "platform/regularfile.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class RecentFoldersTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;
    QTemporaryDir data;
    QString store;

private slots:
    void init()
    {
        home.emplace();
        QVERIFY(GetOptPath());
        store = optPath() + "oldfd";
        QFile::remove(store);
    }

    void loadKeepsThirtyExistingFolders()
    {
        QStringList lines;
        for (int i = 0; i < 35; ++i) {
            const QString d = data.path() + QStringLiteral("/папка%1/").arg(i);
            QDir().mkpath(d);
            lines << d;
        }
        lines.insert(3, data.path() + "/gone/");
        QVERIFY(writeCp1251Lines(store, lines));
        RecentFolders r;
        r.InitOldFDir();
        // 30 lines are read, the vanished one among them is dropped.
        QCOMPARE(r.list().size(), 29);
        QVERIFY(!r.list().contains(data.path() + "/gone/"));
        // The file was rewritten without it.
        QCOMPARE(readCp1251Lines(store), r.list());
    }

    void addPutsFirstIgnoringCase()
    {
        const QString a = data.path() + "/A/", b = data.path() + "/B/";
        QDir().mkpath(a);
        QDir().mkpath(b);
        RecentFolders r;
        r.InitOldFDir();
        QVERIFY(r.ProvAndAddFDir(a));
        QVERIFY(r.ProvAndAddFDir(b));
        QVERIFY(r.ProvAndAddFDir(a));
        QCOMPARE(r.list(), QStringList({a, b}));
        const QByteArray before = readWholeFile(store);
        // The same folder again, other case: nothing changes, file untouched.
        QVERIFY(!r.ProvAndAddFDir(a.toLower()));
        QCOMPARE(readWholeFile(store), before);
    }

    void reloadWhenAnotherProgramWrote()
    {
        const QString a = data.path() + "/A/", c = data.path() + "/C/";
        QDir().mkpath(a);
        QDir().mkpath(c);
        RecentFolders r;
        r.InitOldFDir();
        r.ProvAndAddFDir(a);
        QTest::qWait(2100); // stamps have two-second steps
        QVERIFY(writeCp1251Lines(store, {c}));
        r.ProvAndAddFDir(a);
        QCOMPARE(r.list(), QStringList({a, c}));
    }

    void pickRules()
    {
        const QString a = data.path() + "/A";
        QDir().mkpath(a);
        QVERIFY(writeCp1251Lines(store, {a, data.path() + "/A/../A/", data.path() + "/A"}));
        RecentFolders r;
        r.InitOldFDir();
        QString f;
        QCOMPARE(r.pick(0, &f), RecentFolders::Pick::Chosen);
        QCOMPARE(f, a + "/");
        QCOMPARE(r.pick(1, &f), RecentFolders::Pick::Refused);
        QDir(a).removeRecursively();
        QCOMPARE(r.pick(0, &f), RecentFolders::Pick::Missing);
        QCOMPARE(r.pick(7, &f), RecentFolders::Pick::Refused);
    }

    void fifoInPlaceOfStoreCountsAsMissing()
    {
        VT_LINUX_ONLY("FIFOs");
        QVERIFY(fs::makeFifo(store));
        RecentFolders r;
        QVERIFY(test::returnsAtOnce(store, [&] { r.InitOldFDir(); }));
        QVERIFY(r.list().isEmpty());
    }
};

VT_TEST_GUILESS_MAIN(RecentFoldersTest)
#include "tst_core_recentfolders.moc"
