#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "app/helpform.h"
#include "app/logform.h"
#include "app/mainform.h"
#include "fileops/actform.h"
#include "app/qtservices.h"
#include "fakeservices.h"
#include "testfiles.h"
#include "modalanswer.h"
#include "table/tablerows.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "widgets/keystate.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QDropEvent>
#include <QUrl>
#include <QPlainTextEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vt;

namespace {

TableRow row(int id, const QString &folder, const QString &name)
{
    return test::fileRow(id, folder, name, 10);
}

QStringList names(TableModel *m)
{
    QStringList out;
    for (int i = 0; i < m->size(); ++i)
        out << m->at(i).cells[ColName];
    return out;
}

QAction *menuItem(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

// Answers the next modal window with action; records whether one came.
// Records the key presses (other than the modifiers) that reach a widget.
struct KeyCounter : QObject {
    QList<QKeySequence> keys;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto *k = static_cast<QKeyEvent *>(e);
        // QTest presses the modifier keys themselves first.
        if (k->key() != Qt::Key_Control && k->key() != Qt::Key_Shift)
            keys << QKeySequence(k->keyCombination());
        return false;
    }
};

} // namespace

class MainFormTest : public QObject, test::MainWindow {
    Q_OBJECT
    std::optional<test::TestHome> home;
    test::FakeServices *fx = nullptr;

    QString ini() const { return test::iniPath(home->path()); }
    void putIni(const QByteArray &bytes) { test::putIni(home->path(), bytes); }
    void start()
    {
        MainWindow::start(QSize(), WithHelp | WaitForActivation);
    }
    void addRows(int n)
    {
        TableModel *m = form->ListView->tableModel();
        for (int i = 1; i <= n; ++i)
            m->appendRow(row(i, QStringLiteral("d/"), QStringLiteral("f%1").arg(i)));
    }
    void selectOnly(int r)
    {
        TableModel *m = form->ListView->tableModel();
        m->setAllSelected(false);
        m->setSelected(r, true);
        form->ListView->syncSelectionFromModel();
    }

private slots:
    void init()
    {
        home.emplace();
        fx = new test::FakeServices;
        setKeyStateForTest(Qt::NoModifier);
    }
    void cleanup()
    {
        close();
        setKeyStateForTest(std::nullopt);
        delete fx;
        home.reset();
    }

    void startsWithDefaultsAndClosesWithoutQuestion()
    {
        start();
        QCOMPARE(form->panTop->folderText(), QString());
        QVERIFY(!help->cbCLV->isChecked());
        QCOMPARE(fx->sound.played, QList<int>{4});
        QVERIFY(form->sbStop->isHidden() == false && !form->sbStop->isEnabled());
        QCOMPARE(form->sbFindText->text(), QStringLiteral("Метки"));
        QCOMPARE(form->sbSave->text(), QStringLiteral("Действия"));
        QCOMPARE(form->sbSvva->text(), QStringLiteral("Свойства"));
        QCOMPARE(form->sbStop->text(), QStringLiteral("Стоп"));
        QVERIFY(form->close());
        QVERIFY(fx->ui.calls.isEmpty());
        QVERIFY(!QFile::exists(ini()));
    }

    void settingsAtStartAndTheCloseQuestion()
    {
        const QByteArray before("[MAIN]\nDIRSTART=/srv/photos/\nCLV=1\nLCM=/mnt/\n");
        putIni(before);
        start();
        QCOMPARE(form->panTop->folderText(), QStringLiteral("/srv/photos/"));
        QVERIFY(help->cbCLV->isChecked());
        fx->ui.yesNo.enqueue(false);
        QVERIFY(!form->close());
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Закрыть программу?"));
        QVERIFY(form->isVisible());
        fx->ui.yesNo.enqueue(true);
        QVERIFY(form->close());
        QCOMPARE(readWholeFile(ini()), before);
    }

    void closingWhileBusyOnlyStops()
    {
        start();
        std::optional<OperationContext::Scope> busy(std::in_place, form->operation());
        QVERIFY(!form->panTop->isEnabled());
        QVERIFY(form->sbStop->isEnabled());
        QVERIFY(!form->close());
        QVERIFY(form->operation().stopRequested());
        QVERIFY(!form->sbStop->isEnabled());
        QVERIFY(form->isVisible());
        busy.reset();
        QVERIFY(!form->busy());
        QVERIFY(form->close());
    }

    void makeStartFolder()
    {
        start();
        form->panTop->setFolderText(home->path() + QStringLiteral("/"));
        fx->ui.yesNo.enqueue(false);
        form->miSetStartDirClick();
        QVERIFY(!QFile::exists(ini()));
        fx->ui.yesNo.enqueue(true);
        form->miSetStartDirClick();
        QCOMPARE(readWholeFile(ini()), QByteArray("[MAIN]\r\nDIRSTART=") + toCp1251(home->path()) + "/\r\n");
        // Not while busy.
        OperationContext::Scope busy(form->operation());
        fx->ui.clear();
        form->miSetStartDirClick();
        QVERIFY(fx->ui.calls.isEmpty());
    }

    void minimumSizeAfterStart()
    {
        start();
        const int startWidth = form->width();
        QCOMPARE(form->minimumWidth(), startWidth);
        QCOMPARE(form->minimumHeight(), 220);
        form->resize(100, 100);
        QVERIFY(form->width() >= startWidth);
        QVERIFY(form->height() >= 220);
    }

    void soundSwitchLeavesBeeps()
    {
        start();
        fx->sound.played.clear();
        press(Qt::Key_F2);
        QVERIFY(!soundOn());
        QCOMPARE(form->sbZvv->property("glyph").toString(), QStringLiteral("ZV0"));
        press(Qt::Key_F12, Qt::ShiftModifier);  // a preset that plays sound 3
        QVERIFY(form->panTop->rbShab->isChecked());
        press(Qt::Key_F7);                       // nothing to move: beep
        QVERIFY(fx->sound.played.isEmpty());
        QCOMPARE(fx->ui.beeps, 1);
        form->sbZvv->click();
        QVERIFY(soundOn());
        QCOMPARE(form->sbZvv->property("glyph").toString(), QStringLiteral("ZV1"));
        press(Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(fx->sound.played, QList<int>{3});
    }

    void functionKeysReachTheTable()
    {
        start();
        addRows(3);
        TableModel *m = form->ListView->tableModel();
        press(Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(m->selectedRows(), QList<int>{2});
        press(Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(m->selectedRows(), QList<int>{0});
        press(Qt::Key_F7, Qt::ControlModifier);    // one row down
        QCOMPARE(names(m), (QStringList{QStringLiteral("f2"), QStringLiteral("f1"), QStringLiteral("f3")}));
        press(Qt::Key_F7, Qt::ShiftModifier | Qt::ControlModifier); // to the end
        QCOMPARE(names(m), (QStringList{QStringLiteral("f2"), QStringLiteral("f3"), QStringLiteral("f1")}));
        press(Qt::Key_F5, Qt::ShiftModifier);      // invert
        QCOMPARE(m->selectedRows(), (QList<int>{0, 1}));
        // A menu item carries its variant in the Tag.
        QAction *last = menuItem(form->popExp, QStringLiteral("Выделить последнюю строчку: Ctrl + F2"));
        QVERIFY(last);
        QCOMPARE(last->data().toInt(), 2);
        last->trigger();
        QCOMPARE(m->selectedRows(), QList<int>{2});

        QVERIFY(!form->ListView->is83Shown());
        press(Qt::Key_K, Qt::ControlModifier);
        QVERIFY(form->ListView->is83Shown());
        press(0x041B, Qt::ControlModifier | Qt::ShiftModifier); // "Л" on the K key
        QVERIFY(!form->ListView->is83Shown());

        // F12 with no start folder asks for one; cancelling starts nothing.
        fx->ui.clear();
        fx->ui.folders.enqueue(QString());
        press(Qt::Key_F12);
        QCOMPARE(fx->ui.calls.size(), 1);
        QCOMPARE(fx->ui.calls.first().kind, QStringLiteral("folder"));
        QCOMPARE(fx->ui.calls.first().title, QStringLiteral("Выберите папку"));
        QCOMPARE(m->size(), 3);
        // Ctrl+2 offers the VTX / M3U lists; cancelling keeps the table.
        fx->ui.clear();
        fx->ui.files.enqueue(QString());
        press(Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(fx->ui.calls.size(), 1);
        QCOMPARE(fx->ui.calls.first().title, QStringLiteral("Открыть список VTX / M3U"));
        QCOMPARE(m->size(), 3);
        // Ctrl+Q shows the selected row; its menu items carry the keys.
        {
            test::ModalAnswer a([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
            press(Qt::Key_Q, Qt::ControlModifier);
            QCOMPARE(a.title(), QStringLiteral("Просмотр выделенных в таблице (всего: 1)"));
        }
        {
            test::ModalAnswer a([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
            press(Qt::Key_I, Qt::ControlModifier);
            QCOMPARE(a.title(), QStringLiteral("Выберите колонки для просмотра"));
        }
        QVERIFY(menuItem(form->popExp, QStringLiteral("Разделитель имен: Shift + Ctrl + Q")));
        QVERIFY(menuItem(form->popExp, QStringLiteral("Просмотр выбранных колонок: Ctrl + I")));
    }

    // "[OK]: Просмотр" of a drop shows the paths, each by what it is on disk, and adds nothing.
    void droppedPathsCanBeViewed()
    {
        start();
        QTemporaryDir data;
        QVERIFY(QDir(data.path()).mkdir("sub"));
        test::writeTestFile(data.filePath("a.txt"), "a");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(data.filePath("sub")), QUrl::fromLocalFile(data.filePath("a.txt"))});
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        fx->ui.yesOk.enqueue(YesOk::Ok);
        QString files, dirs;
        test::ModalAnswer a([&](QWidget *w) {
            const QList<QPlainTextEdit *> memos = w->findChildren<QPlainTextEdit *>();
            files = memos.at(0)->toPlainText();
            dirs = memos.at(1)->toPlainText();
            static_cast<QDialog *>(w)->reject();
        });
        // A synthetic drop reaches the window only through its own event().
        static_cast<QObject *>(form.get())->event(&drop);
        QCOMPARE(a.title(), QStringLiteral("Просмотр выделенных в проводнике (всего: 2)"));
        QCOMPARE(files, data.filePath("a.txt"));
        QCOMPARE(dirs, data.filePath("sub"));
        QCOMPARE(form->ListView->tableModel()->size(), 0);
    }

    void busyLetsOnlyStopKeysThrough()
    {
        start();
        addRows(3);
        TableModel *m = form->ListView->tableModel();
        std::optional<OperationContext::Scope> busy(std::in_place, form->operation());
        fx->sound.played.clear();
        press(Qt::Key_F2);
        QVERIFY(soundOn());
        press(Qt::Key_F2, Qt::ShiftModifier);
        QVERIFY(m->selectedRows().isEmpty());
        press(Qt::Key_K, Qt::ControlModifier);
        QVERIFY(!form->ListView->is83Shown());
        QCOMPARE(fx->ui.beeps, 0);
        press(Qt::Key_F11);           // placement does not wait
        QCOMPARE(fx->sound.played, QList<int>{3});

        press(Qt::Key_Escape);
        QVERIFY(form->operation().stopRequested());
        QVERIFY(!form->sbStop->isEnabled());
    }

    void oneRowTableRefusesFirstAndLast()
    {
        start();
        addRows(1);
        press(Qt::Key_F2, Qt::ShiftModifier);
        press(Qt::Key_F2, Qt::ControlModifier);
        QCOMPARE(fx->ui.beeps, 2);
        QVERIFY(form->ListView->tableModel()->selectedRows().isEmpty());
        press(Qt::Key_F2);
        QVERIFY(!soundOn());
        QCOMPARE(fx->ui.beeps, 2);
    }

    void aboutWindowSavesAChangedCloseQuestion()
    {
        start();
        test::ModalAnswer watch([](QWidget *w) {
            w->findChild<QCheckBox *>()->click();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        press(Qt::Key_F1);
        QVERIFY(watch.seen());
        QCOMPARE(watch.title(), QStringLiteral("Информация, о программе"));
        QCOMPARE(readWholeFile(ini()), QByteArray("[MAIN]\r\nLCM=\r\nCLV=1\r\n"));

        // Opened and closed without a change: the file stays as it is.
        const QByteArray before = readWholeFile(ini());
        QFile::remove(ini());
        test::ModalAnswer again([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        form->sbHelp->click();
        QVERIFY(again.seen());
        QVERIFY(!QFile::exists(ini()));

        test::ModalAnswer logs([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        press(Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(logs.seen());
        QVERIFY(logs.title().startsWith(QStringLiteral("Последнее действие: ")));
    }

    void altF4DoesNotOpenMarks()
    {
        start();
        addRows(2);
        test::NoModal none;
        press(Qt::Key_F4, Qt::AltModifier);
    }

    void ctrlCommandsDoNotEditTheFocusedField()
    {
        start();
        QLineEdit *mask = form->panTop->eShablon;
        mask->setFocus();
        QCOMPARE(form->focusWidget(), mask);
        mask->setText(QStringLiteral("*.txt"));
        mask->setCursorPosition(1);
        KeyCounter seen;
        mask->installEventFilter(&seen);
        press(Qt::Key_K, Qt::ControlModifier);        // show 8.3
        QVERIFY(form->ListView->is83Shown());
        press(Qt::Key_D, Qt::ControlModifier);        // empty folders: no folder selected
        QVERIFY(fx->ui.lastText().startsWith(QStringLiteral("Для удаления выделите в таблице")));
        press(0x041B, Qt::ControlModifier | Qt::ShiftModifier); // "Л": hide 8.3
        QVERIFY(!form->ListView->is83Shown());
        // None of them reached the field; ordinary typing and Ctrl+A still do.
        QVERIFY(seen.keys.isEmpty());
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_X);
        QCOMPARE(seen.keys.size(), 2);
        QCOMPARE(mask->text(), QStringLiteral("x"));
        // Function keys are still seen by the field after the window acted.
        press(Qt::Key_F2);
        QVERIFY(!soundOn());
        QCOMPARE(seen.keys.size(), 3);
    }

    void menuItemsKeepStateInStep()
    {
        start();
        addRows(3);
        QAction *drag = menuItem(form->popExp, QStringLiteral("Разрешить перетаскивание строк"));
        QVERIFY(drag && drag->isCheckable());
        fx->sound.played.clear();
        drag->trigger();
        QVERIFY(form->ListView->rowDragEnabled());
        QVERIFY(drag->isChecked());
        QCOMPARE(fx->sound.played, QList<int>{2});
        // Refused while busy: the table and the check mark stay as they were.
        std::optional<OperationContext::Scope> busy(std::in_place, form->operation());
        drag->trigger();
        QVERIFY(form->ListView->rowDragEnabled());
        QVERIFY(drag->isChecked());
        // The recount must not end a running search's busy state.
        QAction *recount = menuItem(form->popExp, QStringLiteral("Пересчитать"));
        QVERIFY(recount);
        recount->trigger();
        QVERIFY(form->busy());
        QVERIFY(!form->panTop->isEnabled());
        busy.reset();
        drag->trigger();
        QVERIFY(!form->ListView->rowDragEnabled());
        QVERIFY(!drag->isChecked());
        QCOMPARE(fx->sound.played, (QList<int>{2, 3}));
    }

    void marksWindowActionsGoOnToActions()
    {
        start();
        addRows(3);
        selectOnly(1);
        test::ModalAnswer closeOnly([](QWidget *w) { w->findChild<QPushButton *>(QStringLiteral("sbClose"))->click(); });
        press(Qt::Key_F4);
        QVERIFY(closeOnly.seen());
        QCOMPARE(fx->ui.beeps, 0);
        // "Действия" leads on to the actions window.
        std::unique_ptr<test::ModalAnswer> act;
        bool actionsWindow = false;
        test::ModalAnswer actions([&](QWidget *w) {
            act = std::make_unique<test::ModalAnswer>([&](QWidget *a) {
                actionsWindow = qobject_cast<TActfrm *>(a) != nullptr;
                static_cast<QDialog *>(a)->reject();
            });
            w->findChild<QPushButton *>(QStringLiteral("sbAct"))->click();
        });
        press(Qt::Key_F4);
        QVERIFY(actions.seen());
        act.reset();
        QVERIFY(actionsWindow);
        QCOMPARE(fx->ui.beeps, 0);
    }

    void rowPathForFolderCommands()
    {
        start();
        QDir(home->path()).mkpath(QStringLiteral("data/sub"));
        TableModel *m = form->ListView->tableModel();
        m->appendRow(row(1, home->path() + QStringLiteral("/data/sub/"), QStringLiteral("gone.txt")));
        m->appendRow(row(2, home->path() + QStringLiteral("/nowhere/"), QStringLiteral("x")));
        using M = TFileForm::ProvMode;
        QCOMPARE(form->provList(M::Folder).text, QString());
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Не выделена строчка в таблице"));
        selectOnly(0);
        QCOMPARE(form->provList(M::Folder).text, home->path() + QStringLiteral("/data/sub/"));
        QCOMPARE(form->provList(M::Any).text, QString());
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Не найден файл/папка: \n") + home->path()
                                        + QStringLiteral("/data/sub/gone.txt"));
        QCOMPARE(form->provList(M::File).text, QString());
        QVERIFY(fx->ui.lastText().startsWith(QStringLiteral("Не найден файл: \n")));

        // Shift on the favourites button takes the selected row's folder.
        fx->sound.played.clear();
        form->panTop->sbIzbDirClick(true);
        QCOMPARE(form->panTop->folderText(), home->path() + QStringLiteral("/data/sub/"));
        QCOMPARE(fx->sound.played, QList<int>{3});
        selectOnly(1);
        const int beeps = fx->ui.beeps;
        QCOMPARE(form->provList(M::Folder).text, QString());
        QCOMPARE(fx->ui.beeps, beeps + 1);
    }

    void programCommands()
    {
        start();
        form->Vestrada1Click();
        QCOMPARE(fx->shell.runs.size(), 1);
        QCOMPARE(fx->shell.runs[0].first, QCoreApplication::applicationFilePath());
        QTRY_VERIFY(form->isMinimized());
        form->showNormal();
        fx->shell.answer = false;
        form->Vestrada1Click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Ошибка открытия"));

        fx->shell.answer = true;
        form->miExpOwnDirClick();
        QCOMPARE(fx->shell.opened.last(), programDir());
        form->panTop->setFolderText(home->path() + QStringLiteral("/missing/"));
        const int beeps = fx->ui.beeps;
        form->miOpenDirExpClick();
        QCOMPARE(fx->ui.beeps, beeps + 1);
        form->panTop->setFolderText(home->path());
        form->miOpenDirExpClick();
        QCOMPARE(fx->shell.opened.last(), home->path());
    }

    void commandButtonsShowOnlyTheirOwnMenu()
    {
        start();
        for (QToolButton *b : {form->sbHelp, form->sbSz}) {
            QTest::mouseClick(b, Qt::RightButton);
            QVERIFY(!form->popExp->isVisible());
        }
        // The bare command bar keeps the main menu.
        const QPoint bare((form->sbExpl->geometry().right() + form->sbRefrTab->x()) / 2,
                          form->panBot->height() / 2);
        QCOMPARE(form->panBot->childAt(bare), nullptr);
        QTest::mouseClick(form->panBot, Qt::RightButton, {}, bare);
        QVERIFY(form->popExp->isVisible());
        form->popExp->hide();
    }

    void windowPlacement()
    {
        start();
        const QRect area = form->screen()->availableGeometry();
        const QRect standard = form->standardBounds();
        QVERIFY(standard.isValid());
        form->SetF11(false, false);
        QCOMPARE(form->frameGeometry(), area);
        form->SetF11(false, false);
        QCOMPARE(form->frameGeometry(), standard);
        form->SetF11(false, true);
        QCOMPARE(form->frameGeometry(),
                 QRect(area.left(), area.bottom() + 1 - standard.height(), area.width(), standard.height()));
        form->sbSzClick(true, false);
        QCOMPARE(form->frameGeometry().topLeft(), area.topLeft());
        QCOMPARE(form->frameGeometry().width(), area.width());
        form->sbSzClick(true, false);       // the same place again: standard width
        QCOMPARE(form->frameGeometry().width(), standard.width());
        form->SetF11(true, false);          // lowest height at the standard place
        QCOMPARE(form->frameGeometry().topLeft(), standard.topLeft());
        QCOMPARE(form->frameGeometry().width(), standard.width());
        QCOMPARE(form->height(), 220);
        form->restoreStandardBounds();
        QCOMPARE(form->frameGeometry(), standard);
    }
};

VT_TEST_MAIN(MainFormTest)
#include "tst_gui_mainform.moc"
