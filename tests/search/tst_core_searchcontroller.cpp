#include "base/operation.h"
#include "search/core/searchcontroller.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/oledate.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "platform/fileentry.h"
#include "search/core/recentfolders.h"
#include "search/core/searchvalidate.h"
#include "table/core/tablemodel.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

// A search with the whole date range, "Файлы/папки", default sizes.
SearchParams fullRange(const QString &folder)
{
    SearchParams p;
    p.folder = folder;
    p.minDate = kEarliestDate;
    p.minTime = 1.0;
    p.maxDate = kLatestDate;
    p.maxTime = 1.0;
    return p;
}

// Fakes, an empty table and log, and a controller without window hooks.
struct Rig {
    test::FakeServices fx;
    TableModel table;
    CurrentLog log;
    OperationContext ops;
    RecentFolders recent;
    SearchController sc{table, ops, log, recent, {}};
};

} // namespace

class SearchControllerTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    void makeFile(const QString &rel)
    {
        QDir().mkpath(QFileInfo(root + rel).path());
        QFile f(root + rel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("data");
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        for (int i = 0; i < 12; ++i)
            makeFile(QStringLiteral("d%1/f%2.txt").arg(i % 3).arg(i));
    }

    void summaryAndReportOfACompleteSearch()
    {
        test::FakeServices fx;
        fx.clock.t = QDateTime(QDate(2026, 12, 8), QTime(1, 18, 29));
        fx.ui.yesNo.enqueue(true); // "Начать поиск?"
        TableModel table;
        CurrentLog log;
        RecentFolders recent;
        SearchHooks h;
        OperationContext ops;
        SearchController sc(table, ops, log, recent, h);
        sc.StartFind(fullRange(root), validateSearch);

        QCOMPARE(table.size(), 15);
        const QStringList lines = log.searchSummary().split("\r\n");
        const QStringList want = {
            "08.12.2026 1:18:29 Поиск с папки: ",
            root,
            "-",
            "Дата от 31.12.1899 до 31.12.9999",
            "Глубина поиска: 200; Лимит: 9999; Шаблон: *",
            "Файлы/папки",
            "Размер от 0 до 1073741824 кб",
            "-",
            "Поиск завершен",
            "Найдено файлов: 12",
            "Папок: 3.",
        };
        QCOMPARE(lines, want);
        QCOMPARE(fx.ui.texts(), QStringList({"Начать поиск?",
                                             "Поиск завершен\r\nНайдено файлов: 12\r\nПапок: 3"}));
        QCOMPARE(fx.feedback.captions.last(), QStringLiteral("Поиск завершен."));
        QVERIFY(log.text().endsWith("\r\n08.12.2026 1:18:29 Поиск с папки: \r\n" + root + "\r\n-"));
        QCOMPARE(recent.list(), QStringList{root});
        QCOMPARE(table.startFolder(), root);
    }

    void repeatedSearchAddsNothingToTheLog()
    {
        Rig rig;
        auto &[fx, table, log, ops, recent, sc] = rig;
        fx.ui.yesNo.enqueue(true);
        sc.StartFind(fullRange(root), validateSearch);
        const QString afterFirst = log.text();
        fx.clock.t = fx.clock.t.addSecs(60);
        fx.ui.yesNo.enqueue(true);
        SearchParams p = fullRange(root);
        p.mask = "*.txt";
        p.hideH = p.hideR = true;
        sc.StartFind(p, validateSearch);
        QCOMPARE(log.text(), afterFirst);
        // The summary is rebuilt with the new parameters and time.
        QVERIFY(log.searchSummary().startsWith(dateTimeText(fx.clock.t) + " Поиск с папки: "));
        QVERIFY(log.searchSummary().contains("; Шаблон: *.txt\r\n"));
        QVERIFY(log.searchSummary().contains("\r\nИсключены: Hidden ReadOnly\r\n-\r\n"));
        QCOMPARE(table.size(), 12);
    }

    void refusalsStartNothing()
    {
        Rig rig;
        auto &[fx, table, log, ops, recent, sc] = rig;
        fx.ui.yesNo.enqueue(true);
        sc.StartFind(fullRange(root), validateSearch);
        QCOMPARE(table.size(), 15);
        const QString summary = log.searchSummary();
        fx.ui.clear();

        // Two faults: only the first in the fixed order is reported.
        SearchParams bad = fullRange(root);
        bad.maxDate = bad.minDate;
        bad.mask = "a|b";
        sc.StartFind(bad, validateSearch);
        QCOMPARE(fx.ui.texts(), QStringList{"Минимальная дата должна быть меньше максимальной"});

        // No to "Начать поиск?" keeps the table and the summary.
        fx.ui.clear();
        fx.ui.yesNo.enqueue(false);
        sc.StartFind(fullRange(root), validateSearch);
        QCOMPARE(fx.ui.texts(), QStringList{"Начать поиск?"});
        QCOMPARE(table.size(), 15);
        QCOMPARE(log.searchSummary(), summary);
    }

    void folderSearchAsksWhichFolders()
    {
        QDir().mkpath(root + "d0/emptyone");
        Rig rig;
        auto &[fx, table, log, ops, recent, sc] = rig;
        SearchParams p = fullRange(root);
        p.filesState = 0;
        fx.ui.yesOk.enqueue(YesOk::Ok); // [OK]: only empty folders
        sc.StartFind(p, validateSearch);
        QCOMPARE(fx.ui.calls.first().text,
                 QStringLiteral("Выберите действие:\r[YES]: Поиск всех папок\r[OK]: Поиск только \"пустых\" папок"));
        QCOMPARE(table.size(), 1);
        QCOMPARE(table.at(0).cells[ColName], QStringLiteral("emptyone"));
        QVERIFY(log.searchSummary().contains("\r\nТолько \"пустые\" папки\r\n-"));
        QVERIFY(!log.searchSummary().contains("Размер от"));
        fx.ui.yesOk.enqueue(YesOk::Yes);
        sc.StartFind(p, validateSearch);
        QCOMPARE(table.size(), 4);
        QVERIFY(log.searchSummary().contains("\r\nВсе папки\r\n-"));
        fx.ui.yesOk.enqueue(YesOk::Cancel);
        sc.StartFind(p, validateSearch);
        QCOMPARE(table.size(), 4);
        QDir(root + "d0/emptyone").removeRecursively();
    }

    void stopAndLimitKeepTheRows()
    {
        test::FakeServices fx;
        TableModel table;
        CurrentLog log;
        RecentFolders recent;
        SearchController *scp = nullptr;
        OperationContext ops;
        SearchController sc(table, ops, log, recent, {});
        scp = &sc;
        // "Стоп" pressed while the fourth row comes in.
        connect(&table, &QAbstractItemModel::rowsInserted, this, [&] {
            if (table.size() == 4)
                scp->stop();
        });
        fx.ui.yesNo.enqueue(true);
        sc.StartFind(fullRange(root), validateSearch);
        disconnect(&table, nullptr, this, nullptr);
        QCOMPARE(table.size(), 4);
        QCOMPARE(sc.stopFlag(), int(StopUser));
        QVERIFY(fx.ui.lastText().startsWith("Поиск остановлен\r\nНайдено файлов: "));

        SearchParams p = fullRange(root);
        p.limit = 5;
        fx.ui.yesNo.enqueue(true);
        sc.StartFind(p, validateSearch);
        QCOMPARE(table.size(), 5);
        QVERIFY(fx.ui.lastText().startsWith("Превышен лимит файлов\r\n"));
        QVERIFY(log.searchSummary().contains("; Лимит: 5; "));
    }

    void extensionModeWithoutExtensionsOpensThePicker()
    {
        test::FakeServices fx;
        TableModel table;
        CurrentLog log;
        RecentFolders recent;
        bool opened = false;
        SearchHooks h;
        h.openExtPicker = [&] { opened = true; };
        OperationContext ops;
        SearchController sc(table, ops, log, recent, h);
        SearchParams p = fullRange(root);
        p.extMode = true;
        sc.StartFind(p, validateSearch);
        QVERIFY(opened);
        QVERIFY(fx.ui.calls.isEmpty());
        p.exts = {"TXT"};
        fx.ui.yesNo.enqueue(true);
        sc.StartFind(p, validateSearch);
        QCOMPARE(table.size(), 12);
        QVERIFY(log.searchSummary().contains("\r\nПоиск файлов по расширениям:\r\nTXT\r\nРазмер от 0"));
    }
};

VT_TEST_GUILESS_MAIN(SearchControllerTest)
#include "tst_core_searchcontroller.moc"
