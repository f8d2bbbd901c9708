// A long run over a tree that changes between rounds: searches, list writes
// and reads in every format, and copy batches, with the results checked each
// round and the memory in use compared between early and late rounds.
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "fileops/core/copymove.h"
#include "lists/core/listread.h"
#include "lists/core/textlist.h"
#include "lists/core/vtlfile.h"
#include "lists/core/vtsfile.h"
#include "platform/dirreader.h"
#include "search/core/folderwalk.h"
#include "search/core/matchrow.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

qint64 residentKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLongLong() * 4 : -1;
}

int filesOnDisk(const QString &root)
{
    int n = 0;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
    }

    void hundredRoundsOverAChangingTree()
    {
        test::FakeServices fx;
        const QString root = data.path() + QStringLiteral("/tree/");
        const QString lists = data.path() + QStringLiteral("/lists/");
        QVERIFY(QDir().mkpath(lists));
        for (int i = 0; i < 60; ++i)
            test::writeTestFile(root + QStringLiteral("d%1/Файл %2.txt").arg(i % 6).arg(i), QByteArray(i * 37, 'a'));
        qint64 early = 0;
        for (int round = 0; round < 100; ++round) {
            // The tree changes: a file comes, an older one goes, one is renamed.
            test::writeTestFile(root + QStringLiteral("d%1/new %2.bin").arg(round % 9).arg(round),
                                QByteArray(round * 101, char(round)));
            QFile::remove(root + QStringLiteral("d%1/Файл %2.txt").arg(round % 6).arg(round % 60));
            QFile::rename(root + QStringLiteral("d%1/new %2.bin").arg((round + 8) % 9).arg(round - 1),
                          root + QStringLiteral("d%1/renamed %2.bin").arg((round + 8) % 9).arg(round - 1));

            // Search: every file on disk, once.
            WalkSettings s;
            s.start = root;
            s.filter.folders = false;
            TableModel found;
            found.setStartFolder(root);
            int id = 0;
            FolderWalk walk(s, [&](const WalkItem &m) {
                found.appendRow(matchRow(m, ++id));
                return true;
            });
            QCOMPARE(walk.run(), StopNone);
            QCOMPARE(found.rowCount(), filesOnDisk(root));

            // Each list format written and read back gives the same rows.
            const QString vtl = lists + QStringLiteral("r.vtl"), vts = lists + QStringLiteral("r.vts"),
                          vtx = lists + QStringLiteral("r.vtx");
            QVERIFY(writeVtl(vtl, found, false).ok);
            QVERIFY(writeVts(vts, found, VtsHeader()).ok);
            QVERIFY(writeTextLines(vtx, vtxLines(found, vtx, false).lines));
            for (const QString &list : {vtl, vts, vtx}) {
                TableModel back;
                QStringList report;
                if (list == vtx)
                    readTextListRows(back, list, report, nullptr);
                else
                    readListRows(back, list, report, nullptr);
                QCOMPARE(back.rowCount(), found.rowCount());
                QCOMPARE(report.last(), QStringLiteral("<НЕТ ОШИБОК>"));
            }

            // A copy batch of the rows read from the list: every byte arrives.
            TableModel rows;
            QStringList report;
            readListRows(rows, vtl, report, nullptr);
            const int batch = qMin(10, rows.rowCount());
            for (int i = 0; i < batch; ++i)
                rows.setSelected((i * 7 + round) % rows.rowCount(), true);
            const int picked = int(rows.selectedCount());
            const QString target = data.path() + QStringLiteral("/copy%1/").arg(round);
            QVERIFY(QDir().mkpath(target));
            OperationContext ops;
            ops.setEventPump([] {});
            QString lcm = target;
            CopyMover cm(rows, ops, lcm);
            fx.ui.yesNo.enqueue(true);
            const CopyMoveResult r = cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
            QCOMPARE(r.done, picked);
            QCOMPARE(filesOnDisk(target), picked);
            QVERIFY(QDir(target).removeRecursively());
            fx.ui.calls.clear();
            currentLog().beginOperation(LogKind::None);

            if (round == 20)
                early = residentKb();
        }
        const qint64 late = residentKb();
        qInfo("resident memory: %lld KB at round 20, %lld KB at round 100", early, late);
        // Under the sanitizer freed memory sits in its quarantine; leaks are its own check.
        if (!kSanitized)
            QVERIFY2(late - early < 8 * 1024, "memory grows from round to round");
    }
};

VT_TEST_GUILESS_MAIN(SoakTest)
#include "tst_core_soak.moc"
