#include "fakeservices.h"
#include "tablerows.h"

#include "base/textutil.h"
#include "table/core/selection.h"
#include "testmain.h"

#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

void fill3Files1Dir(TableModel &m)
{
    m.clear();
    m.appendRow(fileRow(1, "", "alpha.txt", 1536));
    m.appendRow(fileRow(2, "docs/", "Бета.doc", 2048));
    m.appendRow(dirRow(3, "", "Гамма"));
    m.appendRow(fileRow(4, "docs/", "delta.TXT", 100));
}

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
    FakeServices *svc = nullptr;
private slots:
    void init()
    {
        svc = new FakeServices;
        findState() = FindState();
    }
    void cleanup()
    {
        delete svc;
        svc = nullptr;
    }

    void selTabAllAndNone()
    {
        TableModel m;
        fill3Files1Dir(m);
        selTab(m, SelectAll::Select);
        QCOMPARE(m.selectedCount(), 4);
        QCOMPARE(m.counters().selFiles, 3);
        QCOMPARE(m.counters().selFolders, 1);
        QCOMPARE(m.counters().selSize, m.counters().size);
        QCOMPARE(svc->sound.played, QList<int>{2});
        QVERIFY(!m.suppress());
        selTab(m, SelectAll::Clear);
        QCOMPARE(m.selectedCount(), 0);
        QCOMPARE(m.counters().selFiles, 0);
        QCOMPARE(m.counters().selSize, SizeSum());
        selTab(m, SelectAll::ClearQuietly);
        QCOMPARE(svc->sound.played, (QList<int>{2, 1}));
    }

    void byKind()
    {
        TableModel m;
        fill3Files1Dir(m);
        selectByKind(m, true, true, false);
        QCOMPARE(m.selectedRows(), QList<int>{2});
        QCOMPARE(m.counters().selFolders, 1);
        QCOMPARE(m.counters().selFiles, 0);
        selectByKind(m, true, false, true);
        QCOMPARE(m.selectedCount(), 4);
        QCOMPARE(m.counters().selSize, m.counters().size);
        selectByKind(m, false, false, true);
        QCOMPARE(m.selectedRows(), QList<int>{2});
        QCOMPARE(m.counters().selFiles, 0);
        QCOMPARE(m.counters().selSize, SizeSum());
        QCOMPARE(svc->sound.played, (QList<int>{3, 3, 3}));
        // No kind at all is select/clear all.
        selectByKind(m, true, false, false);
        QCOMPARE(m.selectedCount(), 4);
        QCOMPARE(svc->sound.played.last(), 2);
    }

    void invertThreeFilesOneSelected()
    {
        TableModel m;
        m.appendRow(fileRow(1, "", "a", 1536));
        m.appendRow(fileRow(2, "", "b", 100));
        m.appendRow(fileRow(3, "", "c", 5000));
        m.setSelected(0, true);
        invertSelection(m);
        QCOMPARE(m.selectedRows(), (QList<int>{1, 2}));
        QCOMPARE(m.counters().selFiles, 2);
        SizeSum expect;
        expect.add(100);
        expect.add(5000);
        QCOMPARE(m.counters().selSize, expect); // total minus the old selected size
        QCOMPARE(svc->sound.played, QList<int>{2});
        QVERIFY(m.computeCounters().sameCounts(m.counters()));
    }

    void recountExplicit()
    {
        TableModel m;
        fill3Files1Dir(m);
        m.setSelected(0, true);
        QVERIFY(!recount(m, true));
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Не найдено ошибок подсчета"));
        m.counters().selFiles = 7;
        m.counters().size.kb = 99;
        m.counters().rowsRemoved = true;
        QVERIFY(recount(m, true));
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Ошибки исправлены!"));
        QCOMPARE(m.counters().selFiles, 1);
        QCOMPARE(m.counters().size.kb, quint64(3));
        QVERIFY(m.counters().rowsRemoved);
        // Silent recount says nothing.
        svc->ui.clear();
        m.counters().folders = 5;
        QVERIFY(recount(m, false));
        QVERIFY(svc->ui.calls.isEmpty());
        QCOMPARE(m.counters().folders, 1);
    }

    void removeSelected()
    {
        TableModel m;
        fill3Files1Dir(m);
        m.setSelected(0, true);
        m.setSelected(2, true);
        QCOMPARE(removeSelectedRows(m), 2);
        QCOMPARE(ids(m), (QStringList{"2", "4"}));
        QVERIFY(m.counters().rowsRemoved);
        QCOMPARE(m.counters().files, 2);
        QCOMPARE(m.counters().folders, 0);
        QCOMPARE(m.counters().selFiles, 0);
        QCOMPARE(m.counters().size.kb, quint64(2));
        QCOMPARE(m.counters().size.rem, quint64(100));
        QCOMPARE(svc->sound.played, QList<int>{2});
        QVERIFY(!m.suppress());
    }

    void textMatchIsCaseInsensitiveForCyrillic()
    {
        TableModel m;
        fill3Files1Dir(m);
        QVERIFY(rowMatches(m.at(1), ColName, upper(QStringLiteral("бЕТ"))));
        QVERIFY(rowMatches(m.at(2), ColName, QStringLiteral("ГАММ")));
        QVERIFY(!rowMatches(m.at(2), ColFolder, QStringLiteral("ГАММ")));
        QVERIFY(rowMatches(m.at(3), ColType, QStringLiteral("TXT")));
        QVERIFY(rowMatches(m.at(2), ColAttrs, QStringLiteral("DIRECTORY")));
    }

    void historyRule()
    {
        QStringList items{"один", "Два", "три"};
        // Already second (ignoring case): moves to the top without a duplicate.
        QCOMPARE(getStrFind(items, "два"), QStringLiteral("ДВА"));
        QCOMPARE(items, (QStringList{"два", "один", "три"}));
        QCOMPARE(findState().history, items);
        // Already first: nothing changes, even the case of the stored entry.
        QCOMPARE(getStrFind(items, "ДВА"), QStringLiteral("ДВА"));
        QCOMPARE(items, (QStringList{"два", "один", "три"}));
        // New text goes first.
        QCOMPARE(getStrFind(items, "Four"), QStringLiteral("FOUR"));
        QCOMPARE(items.first(), QStringLiteral("Four"));
        QCOMPARE(items.size(), 4);
        // Cut to 40 characters.
        const QString longText = QString(45, QChar(u'ж'));
        QCOMPARE(getStrFind(items, longText), QString(40, QChar(u'Ж')));
        QCOMPARE(items.first().size(), 40);
        // Empty: beep, nothing changes.
        QCOMPARE(getStrFind(items, QString()), QString());
        QCOMPARE(svc->ui.beeps, 1);
        QCOMPARE(items.size(), 5);
    }

    void searchColumns()
    {
        QCOMPARE(searchColumnCaptions(),
                 (QStringList{"Папка", "Имя", "Тип", "Размер", "Изменен", "Атрибуты"}));
        QCOMPARE(searchColumnAt(4), int(ColModified));
        QCOMPARE(searchColumnAt(5), int(ColAttrs));
        QCOMPARE(searchColumnAt(-1), int(ColFolder));
        QCOMPARE(searchPositionOf(ColSize), 3);
        QCOMPARE(searchPositionOf(ColByte), -1);
    }

    void findNextForwardAndBackward()
    {
        TableModel m;
        fill3Files1Dir(m);
        findState().history = {"txt"};
        QCOMPARE(findNext(m, -1, false, ColName, "TXT"), 0);
        QCOMPARE(findNext(m, 0, false, ColName, "TXT"), 3);
        QCOMPARE(findNext(m, m.size(), true, ColName, "TXT"), 3);
        QCOMPARE(findNext(m, 3, true, ColName, "TXT"), 0);
        QVERIFY(svc->ui.calls.isEmpty());
        QVERIFY(!findState().busy);
    }

    void findNextWrapsWithYes()
    {
        TableModel m;
        fill3Files1Dir(m);
        findState().history = {"txt"};
        svc->ui.yesNo.enqueue(true);
        QCOMPARE(findNext(m, 3, false, ColName, "TXT"), 0);
        QCOMPARE(svc->ui.calls.size(), 1);
        QCOMPARE(svc->ui.calls[0].kind, QStringLiteral("vopr"));
        QCOMPARE(svc->ui.calls[0].text,
                 QStringLiteral("Поиск в таблице завершен, строка:\ntxt\nКолонка: Имя\n"
                                "Продолжить с первой строчки?"));
        // Backward from the first match, answering No.
        svc->ui.clear();
        svc->ui.yesNo.enqueue(false);
        QCOMPARE(findNext(m, 0, true, ColName, "TXT"), -1);
        QCOMPARE(svc->ui.lastText(),
                 QStringLiteral("Поиск в таблице завершен, строка:\ntxt\nКолонка: Имя\n"
                                "Продолжить с последней строчки?"));
        QVERIFY(!findState().busy);
    }

    void findNextDoesNothingWhileBusy()
    {
        TableModel m;
        fill3Files1Dir(m);
        findState().busy = true;
        QCOMPARE(findNext(m, -1, false, ColName, "TXT"), -1);
        QVERIFY(svc->ui.calls.isEmpty());
    }

    void markAllAddAndRemove()
    {
        TableModel m;
        fill3Files1Dir(m);
        m.setSelected(0, true);
        findState().history = {"Txt"};
        QCOMPARE(markAllRefusal(m, true), QString());
        MarkAllResult r = markAll(m, true, ColName, "TXT", false);
        QVERIFY(r.ran);
        QCOMPARE(r.matches, 2);
        QCOMPARE(r.changes, 1);
        QCOMPARE(r.text, QStringLiteral("Строка поиска: Txt\nКолонка: Имя\nНайдено вхождений: 2\n"
                                        "Из них добавлено меток: 1"));
        QCOMPARE(m.selectedRows(), (QList<int>{0, 3}));
        QCOMPARE(m.counters().selFiles, 2);
        r = markAll(m, false, ColFolder, "DOCS", false);
        QCOMPARE(r.text, QStringLiteral("Строка поиска: Txt\nКолонка: Папка\nНайдено вхождений: 2\n"
                                        "Из них снято меток: 1"));
        QCOMPARE(m.selectedRows(), QList<int>{0});
        QVERIFY(m.computeCounters().sameCounts(m.counters()));
    }

    void markAllRefusals()
    {
        TableModel m;
        fill3Files1Dir(m);
        QCOMPARE(markAllRefusal(m, false), QStringLiteral("Снято выделение со всех строк"));
        selTab(m, SelectAll::Select);
        QCOMPARE(markAllRefusal(m, true), QStringLiteral("Выделены все строчки"));
        QCOMPARE(markAllRefusal(m, false), QString());
    }

    void markAllSkipsWhileSuppressed()
    {
        TableModel m;
        fill3Files1Dir(m);
        m.setSuppress(true);
        const MarkAllResult r = markAll(m, true, ColName, "TXT", false);
        QVERIFY(!r.ran);
        QCOMPARE(m.selectedCount(), 0);
    }
};

VT_TEST_GUILESS_MAIN(TestSelection)
#include "tst_core_selection.moc"
