#include "fakeservices.h"
#include "modalanswer.h"
#include "tablerows.h"

#include "table/colfindform.h"
#include "table/core/selection.h"
#include "table/metform.h"
#include "table/resulttable.h"
#include "base/commands.h"
#include "base/operation.h"
#include "table/tablecommands.h"
#include "testmain.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vt;
using namespace vt::test;

namespace {

} // namespace

class TestTableCommands : public QObject {
    Q_OBJECT
    FakeServices *svc = nullptr;
    ResultTable *table = nullptr;
    TableCommands *cmds = nullptr;
    OperationContext *ops = nullptr;
    std::optional<OperationContext::Scope> busy; // held while the test plays a long operation
    QList<bool> busyCalls;

    TableModel *model() { return table->tableModel(); }
    void fill(int files, int dirs = 0)
    {
        model()->clear();
        int id = 0;
        for (int i = 0; i < dirs; ++i, ++id)
            model()->appendRow(dirRow(id + 1, "", QString("Папка%1").arg(i)));
        for (int i = 0; i < files; ++i, ++id)
            model()->appendRow(fileRow(id + 1, "", QString("file%1.txt").arg(i), 1000 * (i + 1)));
    }

private slots:
    void init()
    {
        svc = new FakeServices;
        findState() = FindState();
        busyCalls.clear();
        ops = new OperationContext;
        connect(ops, &OperationContext::busyChanged, this, [this](bool on) { busyCalls << on; });
        table = new ResultTable;
        table->resize(800, 400);
        cmds = new TableCommands(table, *ops);
    }
    void cleanup()
    {
        busy.reset();
        delete cmds;
        delete table;
        delete ops;
        delete svc;
    }

    void selectFirstOrLast()
    {
        fill(5);
        model()->setSelected(2, true);
        cmds->selectFirstOrLast(false);
        QCOMPARE(model()->selectedRows(), QList<int>{0});
        QCOMPARE(table->currentRow(), 0);
        cmds->selectFirstOrLast(true);
        QCOMPARE(model()->selectedRows(), QList<int>{4});
        QCOMPARE(table->currentRow(), 4);
        QCOMPARE(svc->sound.played, (QList<int>{3, 3}));
        fill(1);
        cmds->selectFirstOrLast(true);
        QCOMPARE(svc->ui.beeps, 1);
        busy.emplace(*ops);
        fill(5);
        cmds->selectFirstOrLast(true);
        QCOMPARE(model()->selectedCount(), 0);
        QCOMPARE(svc->ui.beeps, 1);
    }

    void moveRowRefusals()
    {
        fill(5);
        // Nothing or two rows selected: beep.
        cmds->moveRow(false, true);
        QCOMPARE(svc->ui.beeps, 1);
        model()->setSelected(1, true);
        model()->setSelected(2, true);
        cmds->moveRow(false, false);
        QCOMPARE(svc->ui.beeps, 2);
        QVERIFY(svc->ui.calls.isEmpty());
        model()->setSelected(2, false);
        // Its own number, 0, above the count, not a number: beep.
        for (const char *answer : {"2", "0", "6", "abc"}) {
            svc->ui.inputs.enqueue(QString::fromLatin1(answer));
            const int before = svc->ui.beeps;
            cmds->moveRow(false, false);
            QCOMPARE(svc->ui.beeps, before + 1);
        }
        QCOMPARE(ids(*model()), (QStringList{"1", "2", "3", "4", "5"}));
        // Cancel and an empty text end quietly.
        const int beeps = svc->ui.beeps;
        svc->ui.inputs.enqueue(std::nullopt);
        cmds->moveRow(false, false);
        svc->ui.inputs.enqueue(QStringLiteral("  "));
        cmds->moveRow(false, false);
        QCOMPARE(svc->ui.beeps, beeps);
        // Shift+Ctrl on the last row: the target is the row itself.
        model()->setSelected(1, false);
        model()->setSelected(4, true);
        cmds->moveRow(true, true);
        QCOMPARE(svc->ui.beeps, beeps + 1);
        // Shift on the first row, Ctrl on the last row.
        cmds->moveRow(false, true);
        QCOMPARE(svc->ui.beeps, beeps + 2);
        model()->setSelected(4, false);
        model()->setSelected(0, true);
        cmds->moveRow(true, false);
        QCOMPARE(svc->ui.beeps, beeps + 3);
        // A one-row table.
        fill(1);
        model()->setSelected(0, true);
        cmds->moveRow(true, true);
        QCOMPARE(svc->ui.beeps, beeps + 4);
    }

    void moveRowInputProposal()
    {
        fill(7);
        model()->setSelected(0, true);
        svc->ui.inputs.enqueue(std::nullopt);
        cmds->moveRow(false, false);
        QCOMPARE(svc->ui.calls.last().kind, QStringLiteral("input"));
        QCOMPARE(svc->ui.calls.last().title, QStringLiteral("Переместить на номер..."));
        QCOMPARE(svc->ui.calls.last().text, QStringLiteral("Введите число от 1 до 7, кроме 1|7"));
        model()->setSelected(0, false);
        model()->setSelected(3, true);
        svc->ui.inputs.enqueue(std::nullopt);
        cmds->moveRow(false, false);
        QCOMPARE(svc->ui.calls.last().text, QStringLiteral("Введите число от 1 до 7, кроме 4|1"));
    }

    void moveRowVariants()
    {
        fill(5);
        QSignalSpy changed(table, &ResultTable::countersChanged);
        model()->setSelected(1, true);
        svc->ui.inputs.enqueue(QStringLiteral(" 4 "));
        cmds->moveRow(false, false);
        QCOMPARE(ids(*model()), (QStringList{"1", "3", "4", "2", "5"}));
        QCOMPARE(model()->selectedRows(), QList<int>{3});
        QCOMPARE(table->currentRow(), 3);
        QCOMPARE(table->currentRowText(), QStringLiteral("4"));
        QVERIFY(changed.count() > 0);
        cmds->moveRow(true, false); // up one
        QCOMPARE(ids(*model()), (QStringList{"1", "3", "2", "4", "5"}));
        cmds->moveRow(false, true); // down one
        QCOMPARE(ids(*model()), (QStringList{"1", "3", "4", "2", "5"}));
        cmds->moveRow(true, true); // to the end
        QCOMPARE(ids(*model()), (QStringList{"1", "3", "4", "5", "2"}));
        svc->ui.inputs.enqueue(QStringLiteral("1"));
        cmds->moveRow(false, false);
        QCOMPARE(ids(*model()), (QStringList{"2", "1", "3", "4", "5"}));
        QCOMPARE(svc->sound.played, (QList<int>{3, 3, 3, 3, 3}));
        QCOMPARE(model()->counters().selFiles, 1);
        QVERIFY(!model()->suppress());
    }

    void sortCommand()
    {
        fill(4);
        model()->setSelected(1, true);
        cmds->sort(ColByte, 1);
        QCOMPARE(ids(*model()), (QStringList{"4", "3", "2", "1"}));
        QCOMPARE(busyCalls, (QList<bool>{true, false}));
        QCOMPARE(table->currentRowText(), QStringLiteral("3"));
        QCOMPARE(svc->sound.played, QList<int>{2});
        cmds->sort(ColID, -1);
        QCOMPARE(svc->sound.played, (QList<int>{2, 3}));
        QCOMPARE(table->currentRowText(), QStringLiteral("2"));
        // Busy: nothing; one row: beep.
        busy.emplace(*ops);
        cmds->sort(ColByte, 1);
        QCOMPARE(ids(*model()), (QStringList{"1", "2", "3", "4"}));
        busy.reset();
        fill(1);
        cmds->sort(ColName, -1);
        QCOMPARE(svc->ui.beeps, 1);
        // Two sorts ran busy; the test's own busy time is the third pair.
        QCOMPARE(busyCalls, (QList<bool>{true, false, true, false, true, false}));
    }

    void headerClickSortsAscending()
    {
        fill(3);
        for (auto [row, name] : {std::pair{0, "c"}, std::pair{1, "a"}, std::pair{2, "b"}}) {
            RowEntry e = model()->at(row).entry;
            e.path = name;
            model()->updateEntry(row, e, QString());
        }
        emit table->horizontalHeader()->sectionClicked(ColName);
        QCOMPARE(ids(*model()), (QStringList{"2", "3", "1"}));
    }

    void sortMenu()
    {
        CommandTable t;
        t.setBusyTest([this] { return ops->busy(); });
        cmds->registerCommands(t, QStringLiteral("fileops.actions"));
        QStringList texts;
        for (const QString &id : TableCommands::sortMenuIds())
            texts << t.find(id)->menuText();
        QCOMPARE(texts, (QStringList{"по ID", "по папкам", "по именам", "по типу", "по размеру файлов",
                                     "по дате изменения", "колонка Ord", "колонка Page", "по атрибутам",
                                     "по меткам", "Перемешать: Ctrl + F5"}));
        fill(3);
        model()->setSelected(2, true);
        QVERIFY(t.run(QStringLiteral("table.sort.13")));
        QCOMPARE(ids(*model()), (QStringList{"3", "1", "2"}));
        // Refused through the table while busy; Ctrl+F5 is not, and makes its own check.
        busy.emplace(*ops);
        QVERIFY(!t.run(QStringLiteral("table.sort.0")));
        QVERIFY(t.runKey(Qt::Key_F5, false, true));
        QCOMPARE(ids(*model()), (QStringList{"3", "1", "2"}));
    }

    void removeSelectedAsk()
    {
        fill(4, 1);
        QSignalSpy removed(cmds, &TableCommands::rowsRemoved);
        cmds->removeSelectedAsk();
        QCOMPARE(svc->ui.beeps, 1);
        model()->setSelected(1, true);
        model()->setSelected(3, true);
        svc->ui.yesNo.enqueue(false);
        cmds->removeSelectedAsk();
        QCOMPARE(svc->ui.lastText(),
                 QStringLiteral("Удалить выделенные строчки (2 шт.)?\rУдаляются только из таблицы"));
        QCOMPARE(model()->size(), 5);
        svc->ui.yesNo.enqueue(true);
        cmds->removeSelectedAsk();
        QCOMPARE(model()->size(), 3);
        QCOMPARE(ids(*model()), (QStringList{"1", "3", "5"}));
        QCOMPARE(removed.count(), 1);
        QVERIFY(model()->counters().rowsRemoved);
        QCOMPARE(model()->counters().files, 2);
        QCOMPARE(model()->counters().folders, 1);
        QCOMPARE(model()->counters().selFiles, 0);
        QCOMPARE(svc->sound.played, QList<int>{2});
    }

    void invertFocusShuffle()
    {
        fill(3);
        cmds->focusCurrent();
        QCOMPARE(svc->sound.played, QList<int>{3});
        model()->setSelected(0, true);
        cmds->invert();
        QCOMPARE(model()->selectedRows(), (QList<int>{1, 2}));
        QCOMPARE(model()->counters().selFiles, 2);
        // 2000 + 3000 bytes: 1 + 2 whole KB, 976 + 952 remainder bytes.
        QCOMPARE(model()->counters().selSize.kb, quint64(3));
        QCOMPARE(model()->counters().selSize.rem, quint64(1928));
        busy.emplace(*ops);
        cmds->invert();
        QCOMPARE(model()->selectedRows(), (QList<int>{1, 2}));
        busy.reset();
        cmds->shuffle();
        QStringList after = ids(*model());
        std::sort(after.begin(), after.end());
        QCOMPARE(after, (QStringList{"1", "2", "3"}));
        QCOMPARE(model()->selectedCount(), 2);
        fill(0);
        cmds->focusCurrent();
        cmds->invert();
        QCOMPARE(svc->ui.beeps, 2);
    }

    void selectByKindButtons()
    {
        fill(3, 2);
        cmds->selectByKind(true, true, false);
        QCOMPARE(model()->selectedRows(), (QList<int>{0, 1}));
        cmds->selectByKind(true, false, true);
        QCOMPARE(model()->selectedCount(), 5);
        cmds->selectByKind(false, false, false);
        QCOMPARE(model()->selectedCount(), 0);
        QCOMPARE(svc->sound.played, (QList<int>{3, 3, 1}));
        busy.emplace(*ops);
        cmds->selectByKind(true, false, false);
        QCOMPARE(model()->selectedCount(), 0);
        busy.reset();
        fill(0);
        cmds->selectByKind(true, false, false);
        QCOMPARE(svc->ui.beeps, 1);
    }

    void peressh()
    {
        fill(3);
        cmds->Peressh(true);
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Не найдено ошибок подсчета"));
        QCOMPARE(busyCalls, (QList<bool>{true, false}));
        model()->counters().files = 10;
        cmds->Peressh(true);
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Ошибки исправлены!"));
        QCOMPARE(model()->counters().files, 3);
    }

    void scrolling()
    {
        fill(300);
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
        cmds->scrollEnd();
        QVERIFY(table->rowAt(table->viewport()->height() - 2) >= 290 || table->rowAt(table->viewport()->height() - 2) == -1);
        cmds->scrollHome();
        QCOMPARE(table->rowAt(1), 0);
        QCOMPARE(svc->sound.played, (QList<int>{1, 2}));
    }

    void findNextWithEmptyHistoryOpensTheWindow()
    {
        fill(3);
        ModalAnswer closer([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
        cmds->findNext(false);
        QCOMPARE(closer.title(), QStringLiteral("Поиск в найденном"));
    }

    void findNextWrapsAndSelects()
    {
        fill(4);
        findState().history = {"file"};
        findState().column = ColName;
        model()->setSelected(3, true);
        // From the last row forward: nothing, answer Yes, row 1 (index 0) found.
        svc->ui.yesNo.enqueue(true);
        cmds->findNext(false);
        QCOMPARE(svc->ui.calls.size(), 1);
        QVERIFY(svc->ui.lastText().endsWith(QStringLiteral("Продолжить с первой строчки?")));
        QCOMPARE(model()->selectedRows(), QList<int>{0});
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(svc->sound.played, QList<int>{3});
        QCOMPARE(model()->counters().selFiles, 1);
        cmds->findNext(false);
        QCOMPARE(model()->selectedRows(), QList<int>{1});
        cmds->findNext(true);
        QCOMPARE(model()->selectedRows(), QList<int>{0});
        // Several selected rows: the find check clears them and starts from nothing.
        model()->setSelected(2, true);
        cmds->findNext(true);
        QCOMPARE(model()->selectedRows(), QList<int>{3});
    }

    void findCheckRefuses()
    {
        fill(1);
        findState().history = {"x"};
        cmds->findNext(false);
        cmds->findWindow();
        QCOMPARE(svc->ui.beeps, 2);
        busy.emplace(*ops);
        fill(3);
        cmds->findNext(false);
        QCOMPARE(svc->ui.beeps, 2);
    }

    void marksWindowResult()
    {
        fill(3);
        {
            ModalAnswer closer([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
            QVERIFY(!cmds->marksWindow());
            QCOMPARE(closer.title(), QStringLiteral("Установить выделение строк"));
        }
        model()->setSelected(0, true);
        {
            ModalAnswer actions([](QWidget *w) { static_cast<TMetForm *>(w)->actions(); });
            QVERIFY(cmds->marksWindow());
        }
        busy.emplace(*ops);
        QVERIFY(!cmds->marksWindow());
    }

    void rowDragSwitch()
    {
        QVERIFY(cmds->toggleRowDrag());
        QVERIFY(table->rowDragEnabled());
        QVERIFY(table->dragEnabled());
        QVERIFY(!cmds->toggleRowDrag());
        QVERIFY(!table->rowDragEnabled());
        QCOMPARE(svc->sound.played, (QList<int>{2, 3}));
        busy.emplace(*ops);
        QVERIFY(!cmds->toggleRowDrag());
        QCOMPARE(svc->sound.played.size(), 2);
    }

    void sortKeepsColumnsAndScrollsToTheSelection()
    {
        fill(500);
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
        table->setColumnWidth(ColFolder, 333);
        table->ShowHide83(false);
        model()->setSelected(250, true);
        cmds->sort(ColByte, 1);
        QCOMPARE(table->columnWidth(ColFolder), 333);
        QVERIFY(table->is83Shown());
        QVERIFY(table->isColumnHidden(ColByte));
        // The selected row (now 249 from the top) is in view.
        const QRect r = table->visualRect(model()->index(249, ColName));
        QVERIFY(table->viewport()->rect().intersects(r));
        QCOMPARE(table->currentRow(), 249);
    }

    void sortByMarksCommand()
    {
        fill(3);
        model()->setSelected(2, true);
        cmds->sortByMarks();
        QCOMPARE(ids(*model()), (QStringList{"3", "1", "2"}));
        QCOMPARE(svc->sound.played, QList<int>{3});
    }
};

VT_TEST_MAIN(TestTableCommands)
#include "tst_gui_tablecommands.moc"
