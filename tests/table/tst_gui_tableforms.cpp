#include "fakeservices.h"
#include "tablerows.h"

#include "table/colfindform.h"
#include "table/core/selection.h"
#include "table/metform.h"
#include "table/resulttable.h"
#include "base/operation.h"
#include "table/tablecommands.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vt;
using namespace vt::test;

class TestTableForms : public QObject {
    Q_OBJECT
    FakeServices *svc = nullptr;
    ResultTable *table = nullptr;
    OperationContext ops;
    TableCommands *cmds = nullptr;

    TableModel *model() { return table->tableModel(); }
    void fill(int files, int dirs)
    {
        model()->clear();
        int id = 0;
        for (int i = 0; i < dirs; ++i, ++id)
            model()->appendRow(dirRow(id + 1, "", QString("Папка%1").arg(i)));
        for (int i = 0; i < files; ++i, ++id)
            model()->appendRow(fileRow(id + 1, i % 2 ? "docs/" : "", QString("Файл%1.txt").arg(i), 1536));
    }

private slots:
    void init()
    {
        svc = new FakeServices;
        findState() = FindState();
        TMetForm::setSizeReport({});
        table = new ResultTable;
        cmds = new TableCommands(table, ops);
    }
    void cleanup()
    {
        delete cmds;
        delete table;
        delete svc;
    }

    void marksWindowTexts()
    {
        fill(3, 2);
        model()->setSelected(0, true);
        model()->setSelected(3, true);
        findState().history = {"отчёт", "txt"};
        TMetForm f(cmds);
        QCOMPARE(f.windowTitle(), QStringLiteral("Установить выделение строк"));
        QCOMPARE(f.infoLabel()->text(),
                 QStringLiteral("Выделено файлов:\n1 из 3\nВыделено папок:\n1 из 2\n-\nВсего выделено:\n2 из 5"));
        QVERIFY(f.infoLabel()->font().bold());
        QVERIFY(f.addMode());
        QCOMPARE(f.modeGroup()->title(), QStringLiteral("Добавить"));
        QCOMPARE(f.button("sbSearch")->text(), QStringLiteral("Поиск..."));
        QCOMPARE(f.button("sbSearch")->toolTip(), QStringLiteral("Выполнить поиск с добавлением меток"));
        QCOMPARE(f.button("sbFiles")->toolTip(), QStringLiteral("Добавить выделение файлов"));
        QCOMPARE(f.button("sbDirs")->toolTip(), QStringLiteral("Добавить выделение папок"));
        f.setAddMode(false);
        QCOMPARE(f.modeGroup()->title(), QStringLiteral("Снять"));
        QCOMPARE(f.button("sbSearch")->toolTip(), QStringLiteral("Выполнить поиск со снятием меток"));
        QCOMPARE(f.button("sbFiles")->toolTip(), QStringLiteral("Снять выделение файлов"));
        QCOMPARE(f.button("sbDirs")->toolTip(), QStringLiteral("Снять выделение папок"));
        QStringList captions;
        for (const char *n : {"sbSelAll", "sbClear", "sbFiles", "sbDirs", "sbRev", "sbSort", "sbMix", "sbDel",
                              "sbFind", "sbAct", "sbClose"})
            captions << f.button(n)->text();
        QCOMPARE(captions, (QStringList{"Выделить все", "Снять выделение", "Файлы", "Папки", "Реверс",
                                        "Сортировать", "Перемешать", "Удалить из таблицы", "Найти",
                                        "Действия", "Закрыть"}));
        QStringList cols;
        for (int i = 0; i < f.cmbCol()->count(); ++i)
            cols << f.cmbCol()->itemText(i);
        QCOMPARE(cols, (QStringList{"Папка", "Имя", "Тип", "Размер", "Изменен", "Атрибуты"}));
        QCOMPARE(f.cmbFindAll()->count(), 2);
        QCOMPARE(f.cmbFindAll()->currentText(), QStringLiteral("отчёт"));
        QCOMPARE(f.cmbFindAll()->lineEdit()->maxLength(), 40);
    }

    void marksWindowEnabling()
    {
        fill(1, 0);
        {
            TMetForm f(cmds);
            for (const char *n : {"sbAct", "sbFind", "sbDel", "sbDirs", "sbSort", "sbMix", "sbSize"})
                QVERIFY2(!f.button(n)->isEnabled(), n);
            QVERIFY(f.button("sbFiles")->isEnabled());
            QVERIFY(!f.button("sbSize")->toolTip().isEmpty());
        }
        fill(2, 1);
        model()->setSelected(1, true);
        TMetForm::setSizeReport([] {});
        TMetForm f(cmds);
        for (const char *n : {"sbAct", "sbFind", "sbDel", "sbDirs", "sbFiles", "sbSort", "sbMix", "sbSize"})
            QVERIFY2(f.button(n)->isEnabled(), n);
        f.clearAll();
        QVERIFY(!f.button("sbAct")->isEnabled());
        QVERIFY(f.infoLabel()->text().endsWith(QStringLiteral("0 из 3")));
        f.selectAll();
        QVERIFY(f.infoLabel()->text().endsWith(QStringLiteral("3 из 3")));
        QVERIFY(f.button("sbDel")->isEnabled());
        TMetForm::setSizeReport({});
    }

    void marksWindowButtons()
    {
        fill(3, 2);
        TMetForm f(cmds);
        f.byKind(false); // add files
        QCOMPARE(model()->selectedRows(), (QList<int>{2, 3, 4}));
        f.setAddMode(false);
        f.button("sbFiles")->click(); // remove files
        QCOMPARE(model()->selectedCount(), 0);
        f.setAddMode(true);
        f.button("sbDirs")->click();
        QCOMPARE(model()->selectedRows(), (QList<int>{0, 1}));
        f.button("sbRev")->click();
        QCOMPARE(model()->selectedRows(), (QList<int>{2, 3, 4}));
        QVERIFY(f.infoLabel()->text().startsWith(QStringLiteral("Выделено файлов:\n3 из 3")));
        // Shift: descending, selected rows last, ties by 8.3 descending too.
        f.sortMarks(true);
        QCOMPARE(ids(*model()), (QStringList{"2", "1", "5", "3", "4"}));
        f.sortMarks(false);
        QCOMPARE(ids(*model()), (QStringList{"4", "3", "5", "1", "2"}));
        svc->sound.played.clear();
        f.findSelected();
        QCOMPARE(svc->sound.played, QList<int>{3});
        f.shuffle(false);
        QCOMPARE(model()->selectedCount(), 3);
        QCOMPARE(model()->counters().selFiles, 3);
    }

    void removingAllRowsClosesTheMarksWindow()
    {
        fill(2, 1);
        TMetForm f(cmds);
        f.show();
        f.selectAll();
        svc->ui.yesNo.enqueue(false);
        f.button("sbDel")->click();
        QVERIFY(f.isVisible());
        QCOMPARE(model()->size(), 3);
        svc->ui.yesNo.enqueue(true);
        f.button("sbDel")->click();
        QCOMPARE(svc->ui.lastText(),
                 QStringLiteral("Удалить выделенные строчки (3 шт.)?\rУдаляются только из таблицы"));
        QCOMPARE(model()->size(), 0);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Rejected));
    }

    void removingSomeRowsKeepsItOpen()
    {
        fill(2, 1);
        TMetForm f(cmds);
        f.show();
        model()->setSelected(0, true);
        svc->ui.yesNo.enqueue(true);
        f.removeFromTable();
        QVERIFY(f.isVisible());
        QCOMPARE(f.infoLabel()->text(),
                 QStringLiteral("Выделено файлов:\n0 из 2\nВыделено папок:\n0 из 0\n-\nВсего выделено:\n0 из 2"));
        QVERIFY(!f.button("sbDel")->isEnabled());
    }

    void actionsNeedsASelection()
    {
        fill(2, 0);
        TMetForm f(cmds);
        f.show();
        f.actions();
        QCOMPARE(svc->ui.beeps, 1);
        QVERIFY(f.isVisible());
        model()->setSelected(0, true);
        f.refresh();
        f.button("sbAct")->click();
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Accepted));
    }

    void markAllFromTheWindow()
    {
        fill(4, 1);
        TMetForm f(cmds);
        // Remove mode with nothing selected.
        f.setAddMode(false);
        f.searchAll();
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Снято выделение со всех строк"));
        f.setAddMode(true);
        f.cmbCol()->setCurrentIndex(0); // Папка
        f.cmbFindAll()->setEditText(QStringLiteral("DOCS"));
        f.button("sbSearch")->click();
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Строка поиска: DOCS\nКолонка: Папка\nНайдено вхождений: 2\n"
                                                    "Из них добавлено меток: 2"));
        QCOMPARE(findState().column, int(ColFolder));
        QCOMPARE(findState().history, QStringList{"DOCS"});
        QCOMPARE(model()->counters().selFiles, 2);
        QVERIFY(f.infoLabel()->text().startsWith(QStringLiteral("Выделено файлов:\n2 из 4")));
        // Cyrillic in the other case, column Имя.
        f.cmbCol()->setCurrentIndex(1);
        f.cmbFindAll()->setEditText(QStringLiteral("фАЙЛ"));
        f.searchAll();
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Строка поиска: фАЙЛ\nКолонка: Имя\nНайдено вхождений: 4\n"
                                                    "Из них добавлено меток: 2"));
        QCOMPARE(f.cmbFindAll()->count(), 2);
        // Everything selected now.
        model()->setSelected(0, true);
        f.searchAll();
        QCOMPARE(svc->ui.lastText(), QStringLiteral("Выделены все строчки"));
        // An empty text beeps.
        f.setAddMode(false);
        f.cmbFindAll()->setEditText(QString());
        const int calls = int(svc->ui.calls.size());
        f.searchAll();
        QCOMPARE(svc->ui.beeps, 1);
        QCOMPARE(int(svc->ui.calls.size()), calls);
    }

    void findWindow()
    {
        fill(4, 1);
        findState().history = {"файл1", "docs"};
        findState().column = ColFolder;
        TColFindForm f(cmds);
        QCOMPARE(f.windowTitle(), QStringLiteral("Поиск в найденном"));
        QStringList radios;
        for (int i = 0; i < 6; ++i)
            radios << f.columnButton(i)->text();
        QCOMPARE(radios, (QStringList{"Папка", "Имя", "Тип", "Размер", "Изменен", "Атрибуты"}));
        QVERIFY(f.columnButton(0)->isChecked());
        QCOMPARE(f.cmbFind()->toolTip(), QStringLiteral("Строка для поиска (от 1 до 40 симв.)"));
        QCOMPARE(f.cmbFind()->lineEdit()->maxLength(), 40);
        QCOMPARE(f.cmbFind()->count(), 2);
        QCOMPARE(f.cmbFind()->currentText(), QStringLiteral("файл1"));
        QCOMPARE(f.backButton()->text(), QStringLiteral("Назад <<"));
        QCOMPARE(f.forwardButton()->text(), QStringLiteral(">> Вперед"));
        // Choosing a column takes effect at once.
        f.columnButton(1)->click();
        QCOMPARE(findState().column, int(ColName));
        // Forward from no current row: the first match.
        f.cmbFind()->setEditText(QStringLiteral("ФАЙЛ"));
        f.forwardButton()->click();
        QCOMPARE(model()->selectedRows(), QList<int>{1});
        QCOMPARE(findState().history.first(), QStringLiteral("ФАЙЛ"));
        f.findForward();
        QCOMPARE(model()->selectedRows(), QList<int>{2});
        f.backButton()->click();
        QCOMPARE(model()->selectedRows(), QList<int>{1});
        // F9 and F8.
        f.show();
        f.activateWindow(); // a bare X server has no window manager to do it
        QVERIFY(QTest::qWaitForWindowActive(&f));
        // The radio group took the focus when the window opened (Папка was checked then).
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.columnButton(0)));
        QTest::keyClick(&f, Qt::Key_F9);
        QCOMPARE(model()->selectedRows(), QList<int>{2});
        QTest::keyClick(&f, Qt::Key_F8);
        QCOMPARE(model()->selectedRows(), QList<int>{1});
        // Closing with a new text keeps it in the history.
        f.cmbFind()->setEditText(QStringLiteral("новое"));
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(!f.isVisible());
        QCOMPARE(findState().history.first(), QStringLiteral("новое"));
        QCOMPARE(findState().history.size(), 4);
    }

    void screenshots()
    {
        if (screenshotDir().isEmpty())
            QSKIP("VESTRADA_SCREENSHOT_DIR is not set");
        fill(12, 3);
        for (int i : {0, 4, 5, 9})
            model()->setSelected(i, true);
        findState().history = {"отчёт", "2024"};
        findState().column = ColName;
        TMetForm marks(cmds);
        marks.show();
        QVERIFY(QTest::qWaitForWindowExposed(&marks));
        test::screenshot(&marks, QStringLiteral("marks-window.png"));
        marks.close();
        TColFindForm find(cmds);
        find.show();
        QVERIFY(QTest::qWaitForWindowExposed(&find));
        test::screenshot(&find, QStringLiteral("find-window.png"));
    }
};

VT_TEST_MAIN(TestTableForms)
#include "tst_gui_tableforms.moc"
