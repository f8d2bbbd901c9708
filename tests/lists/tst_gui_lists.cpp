#include "app/mainform.h"
#include "app/protectform.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "fakeservices.h"
#include "lists/listgroup.h"
#include "lists/spisform.h"
#include "modalanswer.h"
#include "search/searchpanel.h"
#include "table/core/rowappend.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;

// The list commands through the main window: save, open, add, the list
// group and the question before closing.
class ListsWindowTest : public QObject, test::MainWindow {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    std::unique_ptr<test::FakeServices> fx;

    static void pick(QWidget *w, const QString &name)
    {
        auto *f = static_cast<TSpisForm *>(w);
        const auto items = f->lbSpis->findItems(name + " (*", Qt::MatchStartsWith);
        QVERIFY(!items.isEmpty());
        f->lbSpis->setCurrentItem(items.first());
        f->sbOKSpis->click();
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        for (int i = 0; i < 4; ++i)
            test::writeTestFile(root + QStringLiteral("d/файл%1.txt").arg(i), "x");
    }
    void init()
    {
        fx = std::make_unique<test::FakeServices>();
        start(QSize(754, 460));
        AppendState st;
        for (int i = 0; i < 4; ++i)
            appendPath(*model(), st, root + QStringLiteral("d/файл%1.txt").arg(i));
    }
    void cleanup()
    {
        close();
        fx.reset();
    }

    void saveOpenAddAndClose()
    {
        // Ctrl+F6: the selected rows under a cleaned name.
        model()->setSelected(1, true);
        model()->setSelected(2, true);
        fx->ui.yesOk.enqueue(YesOk::Yes);
        fx->ui.inputs.enqueue(QStringLiteral("my.list*"));
        press(Qt::Key_F6, Qt::ControlModifier);
        const QString list = home.path() + "/VtlVts/mylist.vtl";
        QCOMPARE(fx->ui.calls.at(1).title, QStringLiteral("Введите имя списка"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Список сохранен. Имя списка:\r") + list);
        QCOMPARE(QFileInfo(list).size(), 2 * 264);
        QVERIFY(!form->lists().isOpen()); // a new list does not become the open one

        // Ctrl+1 opens it through the chooser.
        {
            test::ModalAnswer answer([this](QWidget *w) {
                test::screenshot(w, "list-chooser-open.png");
                pick(w, "mylist");
            });
            press(Qt::Key_1, Qt::ControlModifier);
            QCOMPARE(answer.title(), QStringLiteral("Открыть список"));
        }
        QCOMPARE(model()->size(), 2);
        QVERIFY(fx->ui.lastText().startsWith("Чтение в таблицу завершено, ошибок: 0"));
        QCOMPARE(form->panTop->labAllSpis->text(), QStringLiteral("Открыт список VTL: mylist.vtl"));
        QVERIFY(form->panTop->gbAllSpis->isVisible());
        QVERIFY(form->labOrd->isVisible());

        // The open list cannot take rows from its own table.
        model()->setSelected(0, true);
        {
            test::ModalAnswer answer([](QWidget *w) { pick(w, "mylist"); });
            press(Qt::Key_F6, Qt::ShiftModifier);
            QCOMPARE(answer.title(), QStringLiteral("Добавить к списку (помеч. 1)"));
        }
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Этот список открыт в таблице. Добавление запрещено."));

        // Removing a row changes the list; closing asks, and Cancel keeps the window.
        fx->ui.yesNo.enqueue(true);
        press(Qt::Key_F4, Qt::ControlModifier);
        QCOMPARE(form->listGroup()->labChanSpis->text(), QStringLiteral("<изменен>"));
        test::screenshot(form.get(), "main-window-changed-list.png");
        fx->ui.yncAnswers.enqueue(YesNoCancel::Cancel);
        QVERIFY(!form->close());
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Список изменен"));
        // Yes saves the changes into the list.
        fx->ui.yncAnswers.enqueue(YesNoCancel::Yes);
        QVERIFY(form->close());
        QCOMPARE(QFileInfo(list).size(), 264);
    }

    // Shift+F6: the result comes up once the progress window is gone.
    void appendShowsItsResultAfterTheProgressWindow()
    {
        test::writeTestFile(home.path() + "/VtlVts/other.vtl", QByteArray());
        model()->setSelected(0, true);
        bool progressShown = true;
        fx->ui.onInf = [&](const QString &) { progressShown = form->progressWindow()->form() != nullptr; };
        {
            test::ModalAnswer answer([](QWidget *w) { pick(w, "other"); });
            press(Qt::Key_F6, Qt::ShiftModifier);
        }
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Добавлены (помеч.) 1 из 1, всего в списке: 1\r\nСписок: other.vtl"));
        QVERIFY(!progressShown);
    }

    void saveChooserAsksForTheName()
    {
        test::writeTestFile(home.path() + "/VtlVts/old.vtl", QByteArray(264, '\0'));
        fx->ui.yesOk.enqueue(YesOk::Ok);
        fx->ui.inputs.enqueue(QStringLiteral("old"));
        fx->ui.titledAnswers.enqueue(false); // do not overwrite: the chooser stays
        model()->setSelected(0, true);
        {
            test::ModalAnswer answer([this](QWidget *w) {
                QTimer::singleShot(50, w, [this, w] {
                    test::screenshot(w, "list-chooser-save.png");
                    static_cast<QDialog *>(w)->reject();
                });
            });
            press(Qt::Key_F6, Qt::ControlModifier);
            QCOMPARE(answer.title(), QStringLiteral("Сохранить список (все 4)"));
        }
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Перезаписать список"));
        QCOMPARE(QFileInfo(home.path() + "/VtlVts/old.vtl").size(), 264);
    }

    // Ctrl+F1: a missing row is reported, and the log viewer's choice takes it
    // out of the table (OK) or only unselects it (YES).
    void checkTheTableAgainstTheDisk()
    {
        const QString gone = root + "d/gone.txt";
        for (YesOk choice : {YesOk::Yes, YesOk::Ok}) {
            test::writeTestFile(gone, "x");
            AppendState st;
            QCOMPARE(appendPath(*model(), st, gone), AppendResult::Added);
            QVERIFY(QFile::remove(gone));
            fx->ui.yesNo.enqueue(true);
            fx->ui.yesOk.enqueue(choice);
            {
                test::ModalAnswer viewer([](QWidget *w) {
                    w->findChild<QPushButton *>(QStringLiteral("butExtra"))->click();
                });
                press(Qt::Key_F1, Qt::ControlModifier);
                QVERIFY(viewer.title().startsWith(QStringLiteral("Последнее действие: ")));
            }
            QVERIFY(fx->ui.texts().contains("Исправлено ошибок: 0\r\nНе найдено файлов/папок: 1"));
            QCOMPARE(model()->size(), choice == YesOk::Ok ? 4 : 5);
            QCOMPARE(model()->selectedCount(), 0);
            if (choice == YesOk::Yes)
                model()->removeRows(QList<int>{4});
            fx->ui.clear();
        }
        // A table without problems: "<НЕТ ОШИБОК>" ends the report, nothing opens.
        fx->ui.yesNo.enqueue(true);
        test::NoModal none;
        press(Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("<НЕТ ОШИБОК>"));
    }
};

VT_TEST_MAIN(ListsWindowTest)
#include "tst_gui_lists.moc"
