// A batch lists each folder it touches once, however many of its rows are
// in that folder: renaming or moving n files never costs n listings.
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "fileops/core/copymove.h"
#include "platform/dirreader.h"
#include "rename/core/quickname.h"
#include "rename/core/quickren.h"
#include "rename/core/renapply.h"
#include "rename/core/renbatch.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "shortform.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class BatchCostTest : public QObject {
    Q_OBJECT
    static constexpr int kFiles = 300;
    test::TestHome home;
    QTemporaryDir data;
    QString dir;
    int caseNo = 0;
    TableModel t;

    // Listings of a batch: each folder of the paths once (the short forms look
    // up every level), never once per row.
    void checkListings(quint64 before) const
    {
        const quint64 made = fs::folderListings() - before;
        QVERIFY2(made <= quint64(dir.count('/') + 1), qPrintable(QString::number(made)));
    }
    // kFiles files "a NNN.txt" in one folder, all rows selected.
    void fill()
    {
        QStringList names;
        for (int i = 0; i < kFiles; ++i) {
            names << QStringLiteral("a %1.txt").arg(i, 3, 10, QLatin1Char('0'));
            test::writeTestFile(dir + names.last(), "x");
        }
        test::diskRows(t, dir, names);
    }

private slots:
    void initTestCase() { QVERIFY(GetOptPath()); }
    void init()
    {
        dir = test::nextCaseFolder(data.path(), caseNo);
        t.clear();
        fill();
    }

    void ruleRename()
    {
        TRenRule r;
        InitRulesDef(r);
        r.Pref1 = QStringLiteral("p_");
        QList<int> all;
        for (int i = 0; i < kFiles; ++i)
            all << i;
        QList<RenRow> rows = renRowsFromTable(t, all, false);
        QStringList log;
        const quint64 before = fs::folderListings();
        QCOMPARE(renBatch(r, false, false, {}, {}, rows, &log), kFiles);
        renUpdateTable(t, rows);
        checkListings(before);
        QCOMPARE(t.at(kFiles - 1).entry.shortForm, test::shortForm(dir + "p_a 299.txt"));
    }

    void quickRename()
    {
        test::FakeServices fx;
        OperationContext ops;
        fx.ui.yesOk << YesOk::Yes;
        const quint64 before = fs::folderListings();
        QuickRen(t, ops, nullptr, {}).DopRen(QuickMode::Spaces, false, QStringLiteral("Заменить пробелы на подчеркивание"));
        checkListings(before);
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("a_000.txt"));
    }

    void move()
    {
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        QStringList full; // a move needs full paths
        for (const TableRow &r : t.rows())
            full << dir + r.cells[ColName];
        t.clear();
        test::diskRows(t, QString(), full);
        const QString target = dir + "to/";
        QVERIFY(QDir().mkpath(target));
        QString lcm = target;
        CopyMover cm(t, ops, lcm);
        fx.ui.yesNo << true;
        const quint64 before = fs::folderListings();
        QCOMPARE(cm.CopyMove(Transfer::Move).done, kFiles);
        checkListings(before);
        QCOMPARE(t.at(0).entry.shortForm, test::shortForm(target + "a 000.txt"));
    }
};

VT_TEST_GUILESS_MAIN(BatchCostTest)
#include "tst_core_batchcost.moc"
