// Mouse clicks, keys and table commands in a long seeded mix: after every
// step the status counters must equal what the rows say, and the rows the
// view shows selected must be exactly the selected rows of the model.
#include "fakeservices.h"
#include "tablerows.h"

#include "table/core/selection.h"
#include "table/resulttable.h"
#include "base/operation.h"
#include "table/tablecommands.h"
#include "testmain.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QTest>
#include <random>

using namespace vt;
using namespace vt::test;

class TestTableSync : public QObject {
    Q_OBJECT

private slots:
    void countersAndViewStayInStep()
    {
        FakeServices svc;
        svc.ui.answerNoToAll = true;
        findState() = FindState();
        ResultTable table;
        table.resize(800, 400);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        OperationContext ops;
        TableCommands cmds(&table, ops);
        TableModel *m = table.tableModel();
        table.setRowDragEnabled(true);

        std::mt19937 g(7);
        int id = 0;
        auto append = [&] {
            ++id;
            m->appendRow(id % 4 == 0 ? dirRow(id, "", QStringLiteral("d%1").arg(id))
                                     : fileRow(id, "", QStringLiteral("f%1.txt").arg(id), 1000 * id + 7));
        };
        for (int i = 0; i < 40; ++i)
            append();

        const int sortCodes[] = {0, 1, 2, 3, 5, 7, 10, 12, 13};
        const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Space};
        for (int step = 0; step < 1500; ++step) {
            const int n = m->size();
            if (n == 0) {
                for (int i = 0; i < 10; ++i)
                    append();
                continue;
            }
            const int row = int(g() % quint32(n));
            QString op;
            switch (g() % 13) {
            case 0: case 1: case 2: {
                op = QStringLiteral("click");
                table.scrollTo(m->index(row, 1));
                const Qt::KeyboardModifiers mod = g() % 3 == 0 ? Qt::ControlModifier
                                                  : g() % 3 == 0 ? Qt::ShiftModifier
                                                                 : Qt::NoModifier;
                QTest::mouseClick(table.viewport(), Qt::LeftButton, mod,
                                  table.visualRect(m->index(row, 1)).center());
                break;
            }
            case 3: op = QStringLiteral("SelTab"); cmds.SelTab(SelectAll(g() % 2)); break;
            case 4: op = QStringLiteral("by kind"); cmds.selectByKind(g() % 2, g() % 2, g() % 2); break;
            case 5: op = QStringLiteral("invert"); cmds.invert(); break;
            case 6:
                op = QStringLiteral("remove");
                if (g() % 4 == 0)
                    cmds.removeSelectedRowsNow();
                break;
            case 7: op = QStringLiteral("move"); cmds.moveRow(g() % 2, g() % 2); break;
            case 8:
                op = QStringLiteral("sort");
                cmds.sort(sortCodes[g() % 9], g() % 2 ? 1 : -1);
                break;
            case 9:
                op = QStringLiteral("find");
                findState().column = ColName;
                cmds.findNextFrom(g() % 2, QStringLiteral("F%1").arg(g() % 9));
                break;
            case 10:
                op = QStringLiteral("drag");
                table.dropRowAt(m->firstSelected(), int(g() % quint32(n + 1)) - 1);
                break;
            case 11: {
                op = QStringLiteral("keys");
                table.setFocus();
                const Qt::KeyboardModifiers mod = g() % 2 ? Qt::ShiftModifier
                                                  : g() % 2 ? Qt::ControlModifier
                                                            : Qt::NoModifier;
                QTest::keyClick(&table, keys[g() % 4], mod);
                break;
            }
            default: op = QStringLiteral("append"); append(); break;
            }
            QApplication::processEvents();

            const QString where = QStringLiteral(" after %1 (step %2)").arg(op).arg(step);
            QVERIFY2(m->computeCounters().sameCounts(m->counters()),
                     qPrintable(QStringLiteral("counters out of step") + where));
            QList<int> shown;
            for (const QModelIndex &i : table.selectionModel()->selectedRows())
                shown << i.row();
            std::sort(shown.begin(), shown.end());
            QVERIFY2(shown == m->selectedRows(), qPrintable(QStringLiteral("view and rows differ") + where));
            QCOMPARE(table.currentRowText(),
                     m->selectedCount() == 1 ? QString::number(m->firstSelected() + 1) : QStringLiteral("-"));
        }
    }
};

VT_TEST_MAIN(TestTableSync)
#include "tst_gui_tablesync.moc"
