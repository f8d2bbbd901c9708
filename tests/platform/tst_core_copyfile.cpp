#include "platform/copyfile.h"
#include "platform/dirreader.h"
#include "platform/regularfile.h"
#include "platform/renamefile.h"
#include "fifoguard.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

QByteArray randomBytes(qsizetype n)
{
    QByteArray b(n, Qt::Uninitialized);
    QRandomGenerator g(n);
    for (qsizetype i = 0; i < n; ++i)
        b[i] = char(g.generate() & 0xff);
    return b;
}

QByteArray readAll(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray n(const QString &p) { return fs::nativePath(p); }

// Names in a folder other than the expected ones: a temporary left behind.
QStringList leftovers(const QString &dir, const QStringList &expected)
{
    QStringList all = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &e : expected)
        all.removeAll(e);
    return all;
}

} // namespace

class CopyFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString root;
    int caseNo = 0;
    QString src, dst; // folders of the case

private slots:
    void init()
    {
        root = tmp.path() + QStringLiteral("/c%1/").arg(++caseNo);
        src = root + "src/";
        dst = root + "dst/";
        QVERIFY(QDir().mkpath(src));
        QVERIFY(QDir().mkpath(dst));
    }
    void cleanup() { fs::setCopyMethod(fs::CopyMethod::Offload); }

    void keepsBytesModeAndTimesWithBothMethods()
    {
        const QByteArray data = randomBytes(9 * 1024 * 1024 + 77); // more than one chunk
        test::writeTestFile(src + "a.bin", data);
        test::writeTestFile(src + "empty", {});
        QFile::setPermissions(src + "a.bin", QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        const QDateTime t(QDate(2021, 3, 4), QTime(5, 6, 7, 891));
        {
            QFile f(src + "a.bin");
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
        }
        for (fs::CopyMethod m : {fs::CopyMethod::Offload, fs::CopyMethod::ReadWrite}) {
            fs::setCopyMethod(m);
            const QString to = dst + QStringLiteral("m%1.bin").arg(int(m));
            QVERIFY(fs::copyFile(n(src + "a.bin"), n(to)).ok());
            QCOMPARE(readAll(to), data);
            QCOMPARE(QFileInfo(to).permissions(), QFileInfo(src + "a.bin").permissions());
            QCOMPARE(QFileInfo(to).lastModified(), t);
            QVERIFY(fs::copyFile(n(src + "empty"), n(to + ".empty")).ok());
            QCOMPARE(QFileInfo(to + ".empty").size(), 0);
        }
        QCOMPARE(leftovers(dst, {"m0.bin", "m1.bin", "m0.bin.empty", "m1.bin.empty"}), QStringList());
    }

    void failIfExistsHoldsEvenWhenTheNameAppearsMidCopy()
    {
        test::writeTestFile(src + "a", "new");
        test::writeTestFile(dst + "a", "old");
        fs::CopyOutcome o = fs::copyFile(n(src + "a"), n(dst + "a"));
        QCOMPARE(o.result, fs::CopyResult::Exists);
        QCOMPARE(readAll(dst + "a"), QByteArray("old"));

        // Another program creates the name while the data is on its way.
        test::writeTestFile(src + "big", randomBytes(20 * 1024 * 1024));
        fs::CopyOptions opt;
        int asked = 0;
        opt.stop = [&] {
            if (++asked == 1)
                test::writeTestFile(dst + "big", "theirs");
            return false;
        };
        o = fs::copyFile(n(src + "big"), n(dst + "big"), opt);
        QCOMPARE(o.result, fs::CopyResult::Exists);
        QVERIFY(asked > 0);
        QCOMPARE(readAll(dst + "big"), QByteArray("theirs"));
        QCOMPARE(leftovers(dst, {"a", "big"}), QStringList());
    }

    void stoppedOrFailedCopyLeavesNothing()
    {
        const QByteArray data = randomBytes(20 * 1024 * 1024);
        test::writeTestFile(src + "big", data);
        test::writeTestFile(dst + "kept", "old");
        fs::CopyOptions opt;
        opt.stop = [] { return true; };
        QCOMPARE(fs::copyFile(n(src + "big"), n(dst + "big"), opt).result, fs::CopyResult::Stopped);
        // A stopped overwrite keeps the old file whole.
        opt.overwrite = true;
        QCOMPARE(fs::copyFile(n(src + "big"), n(dst + "kept"), opt).result, fs::CopyResult::Stopped);
        QCOMPARE(readAll(dst + "kept"), QByteArray("old"));
        // An overwrite onto a folder fails and the folder stays.
        QVERIFY(QDir().mkpath(dst + "dir/inner"));
        QCOMPARE(fs::copyFile(n(src + "big"), n(dst + "dir"), {true, false, {}}).result,
                 fs::CopyResult::Failed);
        QVERIFY(QFileInfo(dst + "dir/inner").isDir());
        // Missing source, a FIFO in its place (never waited on), a target folder that is gone.
        QCOMPARE(fs::copyFile(n(src + "none"), n(dst + "none")).result, fs::CopyResult::SourceMissing);
        if (!test::kWindows) { // Windows file systems hold no FIFOs
            QVERIFY(fs::makeFifo(src + "fifo"));
            fs::CopyOutcome fifo;
            QVERIFY(test::returnsAtOnce(src + "fifo", [&] { fifo = fs::copyFile(n(src + "fifo"), n(dst + "fifo")); }));
            QCOMPARE(fifo.result, fs::CopyResult::SourceMissing);
        }
        QCOMPARE(fs::copyFile(n(src + "big"), n(root + "gone/big")).result, fs::CopyResult::Failed);
        QCOMPARE(leftovers(dst, {"kept", "dir"}), QStringList());
        QCOMPARE(readAll(src + "big"), data);
        // A full overwrite replaces.
        QVERIFY(fs::copyFile(n(src + "big"), n(dst + "kept"), {true, false, {}}).ok());
        QCOMPARE(readAll(dst + "kept"), data);
    }

    void moveWithinOneFileSystemIsARename()
    {
        test::writeTestFile(src + "a", "A");
        test::writeTestFile(dst + "b", "B");
        // A copy would be a new file with a new birth time; a rename keeps it.
        const QDateTime born = QFileInfo(src + "a").birthTime();
        QTest::qWait(30);
        QVERIFY(fs::moveFile(n(src + "a"), n(dst + "a")).ok());
        QVERIFY(!QFile::exists(src + "a"));
        if (born.isValid())
            QCOMPARE(QFileInfo(dst + "a").birthTime(), born);
        // Never over an existing name.
        QCOMPARE(fs::moveFile(n(dst + "a"), n(dst + "b")).result, fs::CopyResult::Exists);
        QCOMPARE(readAll(dst + "a"), QByteArray("A"));
        QCOMPARE(readAll(dst + "b"), QByteArray("B"));
        QCOMPARE(fs::moveFile(n(src + "none"), n(dst + "none")).result, fs::CopyResult::SourceMissing);
    }

    void moveAcrossFileSystemsCopiesThenRemoves()
    {
        QTemporaryDir shm(QStringLiteral("/dev/shm/vt-copy-XXXXXX"));
        if (!shm.isValid() || QStorageInfo(shm.path()).device() == QStorageInfo(src).device())
            QSKIP("no second file system here");
        const QByteArray data = randomBytes(3 * 1024 * 1024);
        test::writeTestFile(src + "a", data);
        QFile::setPermissions(src + "a", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QDateTime t(QDate(2019, 1, 2), QTime(3, 4, 5));
        {
            QFile f(src + "a");
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
        }
        const QString to = shm.path() + "/a";
        const QFileDevice::Permissions mode = QFileInfo(src + "a").permissions();
        QVERIFY(fs::moveFile(n(src + "a"), n(to)).ok());
        QVERIFY(!QFile::exists(src + "a"));
        QCOMPARE(readAll(to), data);
        QCOMPARE(QFileInfo(to).lastModified(), t);
        QCOMPARE(QFileInfo(to).permissions(), mode);
        // Across file systems too, an existing name is never replaced.
        test::writeTestFile(src + "b", "new");
        test::writeTestFile(shm.path() + "/b", "old");
        QCOMPARE(fs::moveFile(n(src + "b"), n(shm.path() + "/b")).result, fs::CopyResult::Exists);
        QCOMPARE(readAll(src + "b"), QByteArray("new"));
        QCOMPARE(readAll(shm.path() + "/b"), QByteArray("old"));
        QCOMPARE(leftovers(shm.path(), {"a", "b"}), QStringList());
    }
};

VT_TEST_GUILESS_MAIN(CopyFileTest)
#include "tst_core_copyfile.moc"
