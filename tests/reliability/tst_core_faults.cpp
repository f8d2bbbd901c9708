// Faults from outside the program: the process killed at any point, a full
// disk, a folder the user may not write. After each, every file of the user
// is whole (the old bytes or the new ones) and each failure is reported.
#include "base/appdirs.h"
#include "base/textutil.h"
#include "childprocess.h"
#include "fileops/core/dircreate.h"
#include "platform/dirreader.h"
#include "platform/trash.h"
#include "lists/core/ordstore.h"
#include "lists/core/vtlfile.h"
#include "platform/copyfile.h"
#include "rename/core/renapply.h"
#include "rename/core/renpresets.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vt;

namespace {

QByteArray readAll(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray pattern(int bytes, char seed)
{
    QByteArray b(bytes, Qt::Uninitialized);
    for (int i = 0; i < bytes; ++i)
        b[i] = char(seed + i % 251);
    return b;
}

// Microseconds after which the next child is killed: spread over the time
// one round of its work takes.
int someDelay(int upToUs) { return 200 + int(QRandomGenerator::global()->bounded(upToUs)); }

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    int caseNo = 0;

    QString folder(const QString &name)
    {
        const QString p = root + name + QLatin1Char('/');
        QDir().mkpath(p);
        return p;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", fs::nativePath(data.path() + "/xdg"));
        QVERIFY(GetOptPath());
        // Children that drop root must reach everything.
        QFile::setPermissions(data.path(), QFileDevice::Permissions(0x7777));
    }

    void init()
    {
        root = data.path() + QStringLiteral("/c%1/").arg(++caseNo);
        QVERIFY(QDir().mkpath(root));
        QFile::setPermissions(root, QFileDevice::Permissions(0x7777));
    }

    void killedWhileCopyingOrWritingLeavesOldOrNewBytes()
    {
        const QString dir = folder("copy");
        const QByteArray src = pattern(6 << 20, 'a');
        test::writeTestFile(dir + "src.bin", src);
        const QByteArray a = pattern(700 << 10, 'A'), b = pattern(1200 << 10, 'B');
        const QString store = dir + "store";
        test::writeTestFile(store, a);
        for (int i = 0; i < 12; ++i) {
            test::killMidway(
                [&](int round) {
                    fs::CopyOptions o;
                    o.overwrite = round % 3 == 2;
                    fs::copyFile(fs::nativePath(dir + "src.bin"),
                                 fs::nativePath(dir + QStringLiteral("dst%1.bin").arg(round % 3)), o);
                    writeFileAtomic(store, round % 2 ? a : b);
                },
                someDelay(60000));
            for (int k = 0; k < 3; ++k) {
                const QString dst = dir + QStringLiteral("dst%1.bin").arg(k);
                if (QFileInfo::exists(dst))
                    QVERIFY2(readAll(dst) == src, qPrintable("half-written copy: " + dst));
            }
            const QByteArray now = readAll(store);
            QVERIFY2(now == a || now == b, "the store was left half written");
            QCOMPARE(readAll(dir + "src.bin"), src);
        }
        // A killed copy may leave its hidden temporary, never a visible name.
        for (const QString &n : entries(dir))
            QVERIFY2(n.startsWith('.') || n == "src.bin" || n == "store" || n.startsWith("dst"), qPrintable(n));
    }

    // Across file systems a move is a copy and then the removal of the source.
    void killedWhileMovingAcrossFileSystemsKeepsAWholeFile()
    {
        QTemporaryDir shm(QStringLiteral("/dev/shm/vt-faults-XXXXXX"));
        struct stat a {}, b {};
        if (!shm.isValid() || ::stat("/dev/shm", &a) != 0 || ::stat(fs::nativePath(root).constData(), &b) != 0
            || a.st_dev == b.st_dev)
            QSKIP("needs /dev/shm on another file system");
        QFile::setPermissions(shm.path(), QFileDevice::Permissions(0x7777));
        const QByteArray here = fs::nativePath(shm.path() + "/moved.bin");
        const QByteArray there = fs::nativePath(folder("move") + "moved.bin");
        const QByteArray bytes = pattern(4 << 20, 'm');
        test::writeTestFile(fs::pathText(here), bytes);
        for (int i = 0; i < 12; ++i) {
            test::killMidway(
                [&](int) {
                    if (!fs::moveFile(here, there, {}).ok())
                        fs::moveFile(there, here, {});
                },
                someDelay(40000));
            const bool atHere = QFileInfo::exists(fs::pathText(here));
            const bool atThere = QFileInfo::exists(fs::pathText(there));
            QVERIFY2(atHere || atThere, "the moved file was lost");
            if (atHere)
                QVERIFY2(readAll(fs::pathText(here)) == bytes, "half-written source");
            if (atThere)
                QVERIFY2(readAll(fs::pathText(there)) == bytes, "half-written destination");
            // A copy left whole at both places: the next move must not replace it.
            if (atHere && atThere)
                QFile::remove(fs::pathText(there));
        }
    }

    void killedWhileRenamingLeavesTheFileUnderOneName()
    {
        const QString dir = folder("ren");
        test::writeTestFile(dir + "report.txt", "contents");
        for (int i = 0; i < 15; ++i) {
            test::killMidway(
                [&](int) {
                    // Case-only renames go through a temporary name.
                    const QByteArray lower = fs::nativePath(dir + "report.txt");
                    const QByteArray upper = fs::nativePath(dir + "REPORT.txt");
                    if (renameEntry(lower, upper) != RenameEntryResult::Ok)
                        renameEntry(upper, lower);
                },
                someDelay(2000));
            const QStringList names = entries(dir);
            QCOMPARE(names.size(), 1);
            QCOMPARE(readAll(dir + names.first()), QByteArray("contents"));
        }
    }

    void killedWhileTrashingNeverLeavesAFileWithoutItsInfo()
    {
        const QString dir = folder("del");
        const QString trash = data.path() + "/xdg/Trash/";
        for (int i = 0; i < 10; ++i) {
            test::killMidway(
                [&](int round) {
                    const QString p = dir + QStringLiteral("f%1-%2.txt").arg(i).arg(round);
                    test::writeTestFile(p, "x");
                    fs::moveToTrash(fs::nativePath(p));
                },
                5000 + someDelay(50000));
        }
        int trashed = 0;
        for (const QString &n : entries(trash + "files")) {
            ++trashed;
            QVERIFY2(QFileInfo::exists(trash + "info/" + n + ".trashinfo"), qPrintable("no trash info: " + n));
        }
        QVERIFY(trashed > 0);
    }

    void aFullDiskKeepsEveryStoreAndList()
    {
        const QString dir = folder("full");
        const QString store = dir + "oldcm", list = dir + "big.vtl", ord = dir + "ord2";
        const QString ren = dir + "ren";
        test::writeTestFile(store, "old\r\n");
        test::writeTestFile(list, "old list");
        test::writeTestFile(ord, QByteArray(kOrdCount * kOrdRecordSize, '\0'));
        RenPresets presets(ren);
        QVERIFY(presets.InitFileRules());
        const QByteArray ordBefore = readAll(ord), renBefore = readAll(ren);
        TableModel t;
        AppendState st;
        // Made before the rows are added: one add looks at each folder once.
        for (int i = 0; i < 40; ++i)
            test::writeTestFile(dir + QStringLiteral("row%1").arg(i), "r");
        for (int i = 0; i < 40; ++i)
            QCOMPARE(appendPath(t, st, dir + QStringLiteral("row%1").arg(i)), AppendResult::Added);
        const QStringList out = test::inChild(
            dir + "child.out", [] { test::limitFileSize(4000); },
            [&] {
                QStringList names;
                for (int i = 0; i < 255; ++i)
                    names << QStringLiteral("Категория %1").arg(i);
                TRenRule r;
                InitRulesDef(r);
                r.ObrFlags = 1;
                return QStringList{QString::number(writeCp1251Lines(store, QStringList(500, "/tmp/folder"))),
                                   QString::number(writeVtl(list, t, false).ok),
                                   QString::number(saveOrdNames(ord, names)),
                                   QString::number(RenPresets(ren).write(3, r))};
            });
        QCOMPARE(out.join(QLatin1Char(' ')), QStringLiteral("0 0 0 0"));
        QCOMPARE(readAll(store), QByteArray("old\r\n"));
        QCOMPARE(readAll(list), QByteArray("old list"));
        QCOMPARE(readAll(ord), ordBefore);
        QCOMPARE(readAll(ren), renBefore);
        for (const QString &n : entries(dir))
            QVERIFY2(!n.startsWith('.'), qPrintable("temporary left behind: " + n));
    }

    void aFolderWithoutWritePermission()
    {
        const QString dir = folder("ro");
        test::writeTestFile(dir + "store", "kept");
        test::writeTestFile(dir + "name.txt", "file");
        QFile::setPermissions(dir, QFileDevice::Permissions(0x5555));
        const QStringList out = test::inChild(root + "child.out", test::dropRoot, [&] {
            const PathCreated made = createPath(planPath(dir + "new/deeper"));
            return QStringList{
                QString::number(writeFileAtomic(dir + "store", "new")),
                QString::number(int(renameEntry(fs::nativePath(dir + "name.txt"),
                                                fs::nativePath(dir + "other.txt")))),
                QString::number(fs::moveToTrash(fs::nativePath(dir + "name.txt"))),
                QString::number(made.created),
                made.comps.join(QLatin1Char('|')),
            };
        });
        QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
        QCOMPARE(out.mid(0, 4), QStringList({"0", QString::number(int(RenameEntryResult::Failed)), "0", "0"}));
        QVERIFY2(out.value(4).contains(QStringLiteral("[Ошибка]")), qPrintable(out.value(4)));
        QCOMPARE(entries(dir), QStringList({"name.txt", "store"}));
        QCOMPARE(readAll(dir + "store"), QByteArray("kept"));
        QCOMPARE(readAll(dir + "name.txt"), QByteArray("file"));
    }
};

VT_TEST_GUILESS_MAIN(FaultsTest)
#include "tst_core_faults.moc"
