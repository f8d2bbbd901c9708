#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fakewindow.h"
#include "lists/core/listcontroller.h"
#include "lists/core/tablecheck.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtlformat.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

using namespace vt;

namespace {

// A record built from the layout alone, to hold the writer to it.
QByteArray layoutRecord(quint8 ord, qint32 page, const QByteArray &cp1251Path)
{
    QByteArray r(264, '\0');
    r[0] = char(ord);
    qToLittleEndian<qint32>(page, r.data() + 4);
    r[8] = char(cp1251Path.size());
    r.replace(9, cp1251Path.size(), cp1251Path);
    return r;
}

} // namespace

class VtlTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    QString make(const QString &rel)
    {
        test::writeTestFile(root + rel, "x");
        return root + rel;
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
        for (int i = 0; i < 6; ++i)
            make(QStringLiteral("d/f%1.txt").arg(i));
        make("d/Отчёт.txt");
    }

    void writerMatchesTheRecordLayout()
    {
        TableModel t;
        addRows(t, {root + "d/Отчёт.txt", root + "d/f1.txt"});
        t.setOrdPage(0, 300, -5); // Ord keeps its low byte
        t.setOrdPage(1, 0, 70000);
        const QString list = root + "a.vtl";
        const ListWrite w = writeVtl(list, t, false);
        QVERIFY(w.ok);
        QCOMPARE(w.written, 2);
        QCOMPARE(readWholeFile(list), layoutRecord(44, -5, toCp1251(root + "d/Отчёт.txt"))
                                          + layoutRecord(0, 70000, toCp1251(root + "d/f1.txt")));
        t.setSelected(1, true);
        QCOMPARE(writeVtl(list, t, true).written, 1);
        QCOMPARE(readWholeFile(list).size(), 264);
    }

    void pathsNoRecordCanHoldAreLeftOutAndCounted()
    {
        TableModel t;
        addRows(t, {root + "d/f0.txt"});
        RowEntry longOne = t.at(0).entry;
        longOne.path = fs::nativePath(root + QString(300, QLatin1Char('a')));
        longOne.shortForm = "L";
        t.appendRow(makeRow(2, QString(), longOne));
        RowEntry chinese = t.at(0).entry;
        chinese.path = fs::nativePath(root + QStringLiteral("名.txt"));
        chinese.shortForm = "C";
        t.appendRow(makeRow(3, QString(), chinese));
        const ListWrite w = writeVtl(root + "b.vtl", t, false);
        QCOMPARE(w.written, 1);
        QCOMPARE(w.leftOut, 2);
        QCOMPARE(readWholeFile(root + "b.vtl").size(), 264);
    }

    void readerCountsRecordsAndReportsFailures()
    {
        QByteArray file = layoutRecord(3, 7, toCp1251(root + "d/f0.txt"))
                        + layoutRecord(0, 0, QByteArray())                      // no name
                        + layoutRecord(0, 0, toCp1251(root + "d/f0.txt"))         // duplicate
                        + layoutRecord(1, -1, toCp1251(root + "d/gone.txt"));    // missing
        file += QByteArray(100, 'z');                                            // partial tail
        QCOMPARE(vtlRecords(file).size(), 4);
        QCOMPARE(vtlRecords(QByteArray(1000, '\0')).size(), 3);
        test::writeTestFile(root + "r.vtl", file);
        TableModel t;
        QStringList report;
        const ListRead r = readListRows(t, root + "r.vtl", report, nullptr);
        QCOMPARE(r.kind, ListKind::Vtl);
        QCOMPARE(r.errors, 2);
        QCOMPARE(t.size(), 1);
        QCOMPARE(t.at(0).cells[ColOrd], QStringLiteral("3"));
        QCOMPARE(t.at(0).cells[ColPage], QStringLiteral("7"));
        QCOMPARE(report, (QStringList{"Ошибки чтения файла:", root + "r.vtl", "", "<НЕТ ИМЕНИ>",
                                      root + "d/gone.txt (ORD = 1, PAGE = 4294967295)"}));
    }

    void appendStopsAt9999AndSkipsWhatIsThere()
    {
        test::FakeServices fx;
        // 9997 records of one existing file: its short form is in the list already.
        QByteArray big;
        for (int i = 0; i < 9997; ++i)
            big += layoutRecord(0, 0, toCp1251(root + "d/f0.txt"));
        const QString list = root + "big.vtl";
        test::writeTestFile(list, big);
        TableModel t;
        addRows(t, {root + "d/f0.txt", root + "d/f1.txt", root + "d/f2.txt", root + "d/f3.txt",
                    root + "d/f4.txt"});
        t.setAllSelected(true);
        OperationContext ops;
        CurrentLog log;
        ListController lc(t, ops, log, {});
        const VtlAppend a = lc.AppSpis(list);
        QCOMPARE(a.added, 2);
        QCOMPARE(readWholeFile(list).size(), 9999 * 264);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Добавлены (помеч.) 2 из 5, всего в списке: 9999\r\nСписок: big.vtl"));
        QVERIFY(log.text().contains("Добавлены (помеч.) 2 из 5"));

        // All present: the message with 0 added and nothing in the log.
        const QString small = root + "small.vtl";
        test::writeTestFile(small, layoutRecord(0, 0, toCp1251(root + "d/f0.txt")));
        CurrentLog quiet;
        ListController lc2(t, ops, quiet, {});
        t.setAllSelected(false);
        t.setSelected(0, true);
        QCOMPARE(lc2.AppSpis(small).added, 0);
        QVERIFY(fx.ui.lastText().startsWith("Добавлены (помеч.) 0 из 1, всего в списке: 1"));
        QVERIFY(!quiet.text().contains("Добавлены"));
    }

    void openListStateThroughItsLife()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {root + "d/f0.txt", root + "d/f1.txt"});
        const QString list = root + "life.vtl";
        QVERIFY(writeVtl(list, t, false).ok);
        OperationContext ops;
        CurrentLog log;
        test::FakeWindow window;
        ListController lc(t, ops, log, &window);
        QVERIFY(lc.openList(list));
        QCOMPARE(window.listReports.size(), 1);
        QCOMPARE(window.listReports.first().second, 0);
        QCOMPARE(lc.groupCaption(), QStringLiteral("Открыт список VTL: life.vtl"));
        QCOMPARE(log.opLog().last(), QStringLiteral("<НЕТ ОШИБОК>"));
        QCOMPARE(log.lastKind(), LogKind::ListOpen);

        // Another process rewrites it: the warning comes with the next activation.
        QTest::qWait(2100); // stamps have two-second steps
        QVERIFY(writeVtl(list, t, true).ok);
        lc.ProvFileCheck();
        QVERIFY(lc.warning());
        QCOMPARE(fx.ui.calls.last().kind, QStringLiteral("errorTitled"));
        QVERIFY(fx.ui.lastText().startsWith("Открытый список изменен другой программой."));

        // Unsaved changes are asked about; Cancel stops the caller.
        lc.SetlabChanSpis(ChangedState::Changed);
        fx.ui.yncAnswers.enqueue(YesNoCancel::Cancel);
        QCOMPARE(lc.provChan(false), ChanAnswer::Cancelled);

        // Deleting the open list keeps the rows.
        fx.ui.titledAnswers.enqueue(true);
        lc.deleteListFile();
        QVERIFY(!QFile::exists(list));
        QVERIFY(!lc.isOpen());
        QCOMPARE(t.size(), 2);
        QVERIFY(log.text().contains("Удален список:\r\n" + list));

        // A list that cannot be read leaves the failed state.
        QVERIFY(!lc.openList(root + "missing.vtl"));
        QCOMPARE(lc.kind(), ListKind::Failed);
    }

    void renumberAndFullPaths()
    {
        test::FakeServices fx;
        TableModel t;
        for (int id : {1, 2, 5, 9})
            t.appendRow(makeRow(id, QStringLiteral("sub/"), RowEntry{}));
        t.counters().rowsRemoved = true;
        fx.ui.yesNo.enqueue(true);
        QVERIFY(perenum(t, true));
        QCOMPARE(t.at(3).cells[ColID], QStringLiteral("4"));
        QVERIFY(!t.counters().rowsRemoved);
        t.setStartFolder(QStringLiteral("/a/"));
        QVERIFY(convertToFullPaths(t));
        QCOMPARE(t.at(0).cells[ColFolder], QStringLiteral("/a/sub/"));
        QVERIFY(t.startFolder().isEmpty());
        QVERIFY(!convertToFullPaths(t));
    }

    // The four corrections, each on its own row, and a row without problems.
    void checkCorrectsRowsAndSelectsThem()
    {
        const QString dir = root + "check/";
        for (const char *n : {"same.txt", "kind.txt", "size.txt", "date.txt", "gone.txt"})
            test::writeTestFile(dir + n, "x");
        TableModel t;
        addRows(t, {dir + "same.txt", dir + "kind.txt", dir + "size.txt", dir + "date.txt", dir + "gone.txt"});
        QVERIFY(QFile::remove(dir + "kind.txt"));
        QVERIFY(QDir().mkdir(dir + "kind.txt"));
        test::writeTestFile(dir + "size.txt", "longer");
        QVERIFY(fs::setModifiedTime(dir + "size.txt", t.at(2).entry.mtime));
        QVERIFY(fs::setModifiedTime(dir + "date.txt", t.at(3).entry.mtime - 3600));
        QVERIFY(QFile::remove(dir + "gone.txt"));
        QStringList report;
        const CheckResult r = checkTable(t, report, nullptr);
        QCOMPARE(r.corrected, 3);
        QCOMPARE(r.missing, 1);
        QVERIFY(r.recount);
        QCOMPARE(report, (QStringList{"<Исправлены ФАЙЛ <=> ПАПКА>", "<Исправлен размер>", dir + "kind.txt", "---",
                                      "<Исправлен размер>", dir + "size.txt", "---",
                                      "<Исправлена дата изменения>", dir + "date.txt", "---",
                                      "<Не найден файл/папка>", dir + "gone.txt", "---"}));
        QCOMPARE(t.selectedRows(), (QList<int>{1, 2, 3, 4}));
        QCOMPARE(t.at(1).cells[ColType], dirType());
        QCOMPARE(t.at(1).cells[ColSize], QStringLiteral("byte: 0"));
        QCOMPARE(t.at(1).cells[Col83], test::shortForm(dir + "KIND.TXT"));
        QCOMPARE(t.at(2).cells[ColByte], QStringLiteral("6"));
        QVERIFY(t.at(4).cells[Col83].isEmpty());

        // Nothing changed since: no report lines and nothing selected.
        QVERIFY(QFile::remove(dir + "same.txt"));
        test::writeTestFile(dir + "gone.txt", "x");
        TableModel clean;
        addRows(clean, {dir + "size.txt", dir + "date.txt"});
        clean.setAllSelected(true);
        report.clear();
        const CheckResult none = checkTable(clean, report, nullptr);
        QCOMPARE(none.corrected + none.missing, 0);
        QVERIFY(report.isEmpty());
        QCOMPARE(clean.selectedCount(), 0);
    }
};

VT_TEST_GUILESS_MAIN(VtlTest)
#include "tst_core_vtl.moc"
