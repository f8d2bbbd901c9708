// Every key, button variant and the busy rule of the main window, walked
// through the real window: each entry must reach its command (seen through
// the command table's run observer) and, where cheap, its first question.
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/settings.h"
#include "fakeservices.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "widgets/keystate.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QDir>
#include <QHash>
#include <QLineEdit>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

using namespace vt;

namespace {

constexpr auto N = Qt::NoModifier;
constexpr auto S = Qt::ShiftModifier;
constexpr auto C = Qt::ControlModifier;
constexpr auto SC = Qt::ShiftModifier | Qt::ControlModifier;

// One line of the function-key table: the command of each modifier column.
struct FKeyRow {
    int key;
    const char *plain, *shift, *ctrl, *shiftCtrl;
};

// Read side by side with the key table of the manual; "-" is no command.
const FKeyRow kFunctionKeys[] = {
    //  key          plain               Shift                 Ctrl                   Shift+Ctrl
    {Qt::Key_F1,  "app.about",        "app.logs",           "lists.checkTable",    "app.logs"},
    {Qt::Key_F2,  "app.sound",        "table.first",        "table.last",          "table.first"},
    {Qt::Key_F3,  "table.find",       "table.findForward",  "table.findBackward",  "table.findForward"},
    {Qt::Key_F4,  "table.marks",      "table.sortByMarks",  "table.removeRows",    "fileops.sizes"},
    {Qt::Key_F5,  "table.focus",      "table.invert",       "table.shuffle",       "table.invert"},
    {Qt::Key_F6,  "fileops.actions",  "lists.appendVtl",    "lists.saveVtl",       "lists.appendVtl"},
    {Qt::Key_F7,  "table.moveTo",     "table.moveUp",       "table.moveDown",      "table.moveEnd"},
    {Qt::Key_F8,  "shell.runAsk",     "shell.run",          "shell.openWith",      "shell.run"},
    {Qt::Key_F9,  "shell.properties", "rename.quick",       "fileops.trashOne",    "rename.quick"},
    {Qt::Key_F10, "-",                "-",                  "-",                   "-"},
    {Qt::Key_F11, "window.toggle",    "window.minimal",     "window.bottom",       "window.bottom"},
    {Qt::Key_F12, "search.start",     "search.last10",      "search.maximum",      "search.last10"},
};

struct KeyRow {
    int key;
    Qt::KeyboardModifiers mods;
    const char *id;
};

const KeyRow kOtherKeys[] = {
    {Qt::Key_Escape, N, "app.stop"},
    {Qt::Key_1, C, "lists.openVtl"},
    {Qt::Key_2, C, "lists.openVtx"},
    {Qt::Key_3, C, "lists.openVts"},
    {Qt::Key_1, C | Qt::KeypadModifier, "lists.openVtl"},
    {Qt::Key_2, C | Qt::KeypadModifier, "lists.openVtx"},
    {Qt::Key_3, C | Qt::KeypadModifier, "lists.openVts"},
    {Qt::Key_D, C, "fileops.emptyFolders"},
    {Qt::Key_E, C, "fileops.selectEmpty"},
    {Qt::Key_H, C, "fileops.checkPath"},
    {Qt::Key_I, C, "rename.columns"},
    {Qt::Key_J, C, "rename.folders"},
    {Qt::Key_J, SC, "rename.folderNames"},
    {Qt::Key_K, C, "table.show83"},
    {Qt::Key_K, SC, "table.hide83"},
    {Qt::Key_M, C, "lists.tempM3u"},
    {Qt::Key_N, C, "lists.tempVtx"},
    {Qt::Key_O, C, "lists.ord"},
    {Qt::Key_P, C, "lists.page"},
    {Qt::Key_Q, C, "rename.view"},
    {Qt::Key_Q, SC, "rename.splitter"},
    {Qt::Key_S, C, "lists.saveVts"},
    {Qt::Key_W, C, "lists.addPath"},
    {Qt::Key_Z, C, "undo.last"},
};

// Closes every window a command opens, modal or not, and names its class.
class WindowCloser {
public:
    explicit WindowCloser(QWidget *main) : m_main(main)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { sweep(); });
        m_timer.start(0);
    }
    void sweep()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == m_main || !w->isVisible() || qobject_cast<QMenu *>(w))
                continue;
            opened << QString::fromLatin1(w->metaObject()->className());
            w->close();
        }
    }
    QStringList opened;

private:
    QWidget *m_main;
    QTimer m_timer;
};

QStringList menuTexts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions()) {
        out << a->text();
        if (a->menu())
            out << menuTexts(a->menu());
    }
    return out;
}

} // namespace

class DispatchTest : public QObject, test::MainWindow {
    Q_OBJECT
    std::optional<test::TestHome> home;
    test::FakeServices *fx = nullptr;
    QStringList ran;

    void start()
    {
        MainWindow::start(QSize(), WithHelp | WaitForActivation);
        observeCommands();
        fx->ui.answerNoToAll = true;
    }
    // Every command records its id when the busy policy lets it run.
    void observeCommands()
    {
        CommandTable &t = form->commands();
        const std::vector<Command> all = t.all();
        for (Command c : all) {
            c.run = [this, id = c.id, run = c.run] {
                ran << id;
                if (run)
                    run();
            };
            t.add(std::move(c));
        }
    }
    // Three files on disk, the middle one selected: every command has
    // something to work on and stops at its first question.
    void fillTable()
    {
        const QString dir = home->path() + QStringLiteral("/data/");
        TableModel *m = form->ListView->tableModel();
        m->clear();
        for (int i = 1; i <= 3; ++i) {
            const QString name = QStringLiteral("f%1.txt").arg(i);
            test::writeTestFile(dir + name, "x");
            m->appendRow(test::fileRow(i, dir, name, 1));
        }
        m->setAllSelected(false);
        m->setSelected(1, true);
        form->ListView->syncSelectionFromModel();
        form->panTop->setFolderText(dir);
    }
    // What one key press reached: the commands in order, and the first
    // question or window.
    QString press(int key, Qt::KeyboardModifiers mods)
    {
        ran.clear();
        fx->ui.clear();
        // The keyboard goes to the focused widget of the main window.
        QTest::keyClick(focused(), Qt::Key(key), mods);
        return ran.join(QLatin1Char(','));
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
        fx->ui.answerNoToAll = true;
        delete fx;
        home.reset();
    }

    void everyFunctionKeyReachesItsCommand()
    {
        start();
        WindowCloser closer(form.get());
        const Qt::KeyboardModifiers columns[] = {N, S, C, SC};
        for (const FKeyRow &r : kFunctionKeys) {
            const char *want[] = {r.plain, r.shift, r.ctrl, r.shiftCtrl};
            for (int c = 0; c < 4; ++c) {
                fillTable();
                const QString got = press(r.key, columns[c]);
                const QString expected = qstrcmp(want[c], "-") == 0 ? QString() : QString::fromLatin1(want[c]);
                QVERIFY2(got == expected, qPrintable(QStringLiteral("F%1 column %2: %3")
                                                         .arg(r.key - Qt::Key_F1 + 1).arg(c).arg(got)));
                form->showNormal();
                form->activateWindow();
            }
        }
    }

    void otherKeysReachTheirCommands()
    {
        start();
        WindowCloser closer(form.get());
        for (const KeyRow &r : kOtherKeys) {
            fillTable();
            const QString got = press(r.key, r.mods);
            QVERIFY2(got == QLatin1String(r.id),
                     qPrintable(QStringLiteral("%1 %2: %3").arg(QLatin1String(r.id)).arg(int(r.mods)).arg(got)));
        }
        // Alt+F4 is the window manager's, never the marks window.
        fillTable();
        QCOMPARE(press(Qt::Key_F4, Qt::AltModifier), QString());
    }

    // The first question of the commands that ask one, in the words the user reads.
    void firstQuestions_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("mods");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        const QString file = QStringLiteral("%1/data/f2.txt");
        QTest::newRow("Ctrl+F4") << int(Qt::Key_F4) << int(C) << "vopr"
                                 << "Удалить выделенные строчки (1 шт.)?\rУдаляются только из таблицы";
        QTest::newRow("Ctrl+F6") << int(Qt::Key_F6) << int(C) << "vprYesOK"
                                 << "Сохранить в список VTL\r[YES]: выделенные (1)\r[OK]: все (3)";
        QTest::newRow("F7") << int(Qt::Key_F7) << int(N) << "input" << "Введите число от 1 до 3, кроме 2|1";
        QTest::newRow("F8") << int(Qt::Key_F8) << int(N) << "vprYesOK"
                            << "Файл/папка:\r" + file + "\r---\rВыберите действие:\r[Yes]: выполнить файл/папку"
                                   "\r[OK]: открыть с помощью";
        QTest::newRow("F12") << int(Qt::Key_F12) << int(N) << "vopr" << "Начать поиск?";
    }
    void firstQuestions()
    {
        QFETCH(int, key);
        QFETCH(int, mods);
        QFETCH(QString, kind);
        QFETCH(QString, text);
        start();
        fillTable();
        press(key, Qt::KeyboardModifiers(mods));
        QVERIFY(!fx->ui.calls.isEmpty());
        QCOMPARE(fx->ui.calls.first().kind, kind);
        QCOMPARE(fx->ui.calls.first().text, text.contains(QLatin1String("%1")) ? text.arg(home->path()) : text);
        if (kind == QLatin1String("input"))
            QCOMPARE(fx->ui.calls.first().title, QStringLiteral("Переместить на номер..."));
    }

    void buttonsReadTheModifiersAtTheClick()
    {
        start();
        WindowCloser closer(form.get());
        struct Button {
            QWidget *w;
            const char *plain, *shift, *ctrl, *shiftCtrl;
        };
        const Button buttons[] = {
            {form->sbHelp, "app.about", "app.logs", "lists.checkTable", "app.logs"},
            {form->sbZvv, "app.sound", "table.first", "table.last", "table.first"},
            {form->sbFindTab, "table.find", "table.findForward", "table.findBackward", "table.findForward"},
            {form->sbFindText, "table.marks", "table.sortByMarks", "table.removeRows", "fileops.sizes"},
            {form->sbRefrTab, "table.focus", "table.invert", "table.shuffle", "table.invert"},
            {form->sbSave, "fileops.actions", "lists.appendVtl", "lists.saveVtl", "lists.appendVtl"},
            {form->stexNumb, "table.moveTo", "table.moveUp", "table.moveDown", "table.moveEnd"},
            {form->sbPuskOpenWith, "shell.runAsk", "shell.run", "shell.openWith", "shell.run"},
            {form->sbSvva, "shell.properties", "rename.quick", "fileops.trashOne", "rename.quick"},
            {form->sbSelall, "table.selectAll", "table.selectFolders", "table.selectFiles", "table.selectFolders"},
            {form->sbClearSel, "table.clearAll", "table.clearFolders", "table.clearFiles", "table.clearFolders"},
            {form->sbExpl, "shell.explorer", "shell.findInExplorer", "lists.renumberIds", "lists.renumberIds"},
            {form->sbHome, "table.home", "table.home", "table.home", "table.home"},
            {form->sbEnd, "table.end", "table.end", "table.end", "table.end"},
            {form->sbSz, "app.minimise", "window.szTop", "window.szBottom", "window.szWide"},
        };
        const Qt::KeyboardModifiers columns[] = {N, S, C, SC};
        for (const Button &b : buttons) {
            const char *want[] = {b.plain, b.shift, b.ctrl, b.shiftCtrl};
            for (int c = 0; c < 4; ++c) {
                fillTable();
                ran.clear();
                fx->ui.clear();
                // The click itself carries no modifiers: the variant comes from the live key state.
                setKeyStateForTest(columns[c]);
                QTest::mouseClick(b.w, Qt::LeftButton);
                setKeyStateForTest(Qt::NoModifier);
                QVERIFY2(ran.join(QLatin1Char(',')) == QLatin1String(want[c]),
                         qPrintable(b.w->objectName() + QStringLiteral(" column %1: ").arg(c) + ran.join(',')));
                form->showNormal();
            }
        }
    }

    // The buttons of the top panel, each with the variants its modifiers pick.
    void topPanelButtons()
    {
        start();
        WindowCloser closer(form.get());
        SearchPanel *p = form->panTop;
        struct Click {
            QWidget *w;
            Qt::KeyboardModifiers mods;
            const char *id;       // the command reached, "" for none
            const char *firstAsk; // the kind of the first question or chooser, "" for none
        };
        const Click clicks[] = {
            {p->sbFind, N, "search.start", "vopr"},
            {p->sbFind, S, "search.last10", ""},
            {p->sbFind, C, "search.maximum", ""},
            {p->sbAddList, N, "lists.add", "files"},
            {p->sbAddList, S, "lists.add", "folder"},
            {p->sbAddList, C, "lists.add", "input"},
            {p->sbProsm, N, "rename.view", ""},
            {p->sbProsm, S, "rename.splitter", ""},
            {p->sbIzbDir, N, "lists.favouriteFolder", ""},
            {p->sbSelectDir, N, "", "folder"},
            {p->sbSelectDir, S, "", "file"},
        };
        for (const Click &c : clicks) {
            fillTable();
            ran.clear();
            fx->ui.clear();
            // A real click comes with the keys held: both the event and the live state carry them.
            setKeyStateForTest(c.mods);
            QTest::mouseClick(c.w, Qt::LeftButton, c.mods);
            setKeyStateForTest(Qt::NoModifier);
            const QString where = c.w->objectName() + QStringLiteral(" %1: ").arg(int(c.mods));
            QVERIFY2(ran.value(0) == QLatin1String(c.id), qPrintable(where + ran.join(',')));
            const QString ask = fx->ui.calls.isEmpty() ? QString() : fx->ui.calls.first().kind;
            QVERIFY2(ask == QLatin1String(c.firstAsk), qPrintable(where + ask));
            form->showNormal();
        }
        // Shift on the favourites button: the start folder of the selected row.
        fillTable();
        p->setFolderText(QStringLiteral("/"));
        setKeyStateForTest(S);
        QTest::mouseClick(p->sbIzbDir, Qt::LeftButton, S);
        setKeyStateForTest(Qt::NoModifier);
        QCOMPARE(p->eDirPath->text(), home->path() + QStringLiteral("/data/"));
        // The extensions window, never while busy; Stop only while busy.
        closer.opened.clear();
        QVERIFY(!form->sbStop->isEnabled());
        QTest::mouseClick(p->sbExt, Qt::LeftButton);
        QTRY_COMPARE(closer.opened, QStringList{"vt::TExtForm"});
        {
            OperationContext::Scope busy(form->operation());
            closer.opened.clear();
            QTest::mouseClick(p->sbExt, Qt::LeftButton);
            QTest::qWait(20);
            QCOMPARE(closer.opened, QStringList());
            QVERIFY(form->sbStop->isEnabled());
            QTest::mouseClick(form->sbStop, Qt::LeftButton);
            QVERIFY(form->operation().stopRequested());
        }
    }

    // Double click on a row is F8 plain; the right button on a panel opens the
    // main menu (not while busy); a double click on a panel restores the
    // standard bounds.
    void mouseOnTheWindow()
    {
        start();
        fillTable();
        ran.clear();
        fx->ui.clear();
        QWidget *cells = form->ListView->viewport();
        const QPoint row = form->ListView->visualRect(form->ListView->tableModel()->index(1, ColName)).center();
        // A double click is a press and release followed by the double-click press.
        QTest::mouseClick(cells, Qt::LeftButton, Qt::NoModifier, row);
        ran.clear();
        QTest::mouseDClick(cells, Qt::LeftButton, Qt::NoModifier, row);
        QCOMPARE(ran.value(0), QStringLiteral("shell.runAsk"));
        QCOMPARE(fx->ui.calls.value(0).kind, QStringLiteral("vprYesOK"));

        for (QWidget *panel : {static_cast<QWidget *>(form->panBot), static_cast<QWidget *>(form->panTop)}) {
            QTest::mouseClick(panel, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
            QTRY_VERIFY(form->popExp->isVisible());
            form->popExp->hide();
        }
        {
            OperationContext::Scope busy(form->operation());
            QTest::mouseClick(form->panBot, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
            QTest::qWait(20);
            QVERIFY(!form->popExp->isVisible());
        }

        const QRect standard = form->frameGeometry();
        press(Qt::Key_F11, N);
        QTRY_VERIFY(form->frameGeometry() != standard);
        QTest::mouseDClick(form->panBot, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTRY_COMPARE(form->frameGeometry(), standard);
    }

    // Every item of the main menu runs its command, and carries the Tag of the
    // modifiers its key caption names.
    void mainMenuItemsRunTheirCommands()
    {
        start();
        WindowCloser closer(form.get());
        const std::vector<Command> all = form->commands().all();
        QHash<QString, const Command *> byText;
        for (const Command &c : all)
            byText.insert(c.menuText(), &c);
        int triggered = 0;
        QStringList unknown, wrong;
        std::function<void(QMenu *)> walk = [&](QMenu *menu) {
            for (QAction *a : menu->actions()) {
                if (a->menu()) {
                    walk(a->menu());
                    continue;
                }
                if (a->isSeparator())
                    continue;
                const Command *c = byText.value(a->text());
                if (!c) {
                    unknown << a->text();
                    continue;
                }
                if (!c->keys.isEmpty() && a->data().toInt() != int(c->keys.first().shift) + 2 * int(c->keys.first().ctrl))
                    wrong << a->text() + QStringLiteral(" (Tag)");
                // Closing the window would end the walk.
                if (c->id == QLatin1String("app.close"))
                    continue;
                fillTable();
                ran.clear();
                fx->ui.clear();
                emit menu->aboutToShow();
                if (!a->isEnabled())
                    continue;
                a->trigger();
                if (ran.value(0) != c->id)
                    wrong << a->text() + QStringLiteral(": ") + ran.join(',');
                ++triggered;
                form->showNormal();
                form->activateWindow();
            }
        };
        walk(form->popExp);
        QCOMPARE(unknown, QStringList());
        QCOMPARE(wrong, QStringList());
        QVERIFY2(triggered >= 40, qPrintable(QString::number(triggered)));
    }

    // The main menu names every key command together with its key.
    void mainMenuShowsTheKeys()
    {
        start();
        const QStringList texts = menuTexts(form->popExp);
        const QStringList want{
            "Текущий лог, о программе: F1", "Логи: Shift + F1", "Проверить таблицу: Ctrl + F1",
            "Вкл/выкл. звук: F2", "Выделить первую строчку: Shift + F2", "Выделить последнюю строчку: Ctrl + F2",
            "Поиск по таблице (выбрать): F3", "Поиск \"вперед\" по таблице: Shift + F3",
            "Поиск \"назад\" по таблице: Ctrl + F3", "Метки (выбрать): F4", "Сортировать по меткам: Shift + F4",
            "Удалить из таблицы: Ctrl + F4", "Объем выделенных / всех файлов: Ctrl + Shift + F4",
            "Найти в таблице: F5", "Инвертировать выделение: Shift + F5", "Перемешать: Ctrl + F5",
            "Действия (выбрать): F6", "Переместить на номер...: F7", "Выше на 1 строчку: Shift + F7",
            "Ниже на 1 строчку: Ctrl + F7", "В конец таблицы: Shift + Ctrl + F7", "Выполнить / отправить: F8",
            "Свойства (выбрать): F9", "Быстрое переименование (файл): Shift + F9",
            "Удалить в корзину (файл): Ctrl + F9", "На весь экран/стандартный: F11",
            "Миним. размер, центр экрана: Shift + F11", "Влево-вниз, растянуть по ширине: Ctrl + F11",
            "Поиск (шаблон, список): F12", "Проводник (см. кол. \"Папка\")",
            "Найти в проводнике (см. кол. \"Имя\")", "Свернуть", "Закрыть: Alt + F4"};
        QStringList missing;
        for (const QString &w : want)
            if (!texts.contains(w))
                missing << w;
        QCOMPARE(missing, QStringList());
        // The key a caption names is the key that runs the item.
        for (const Command &c : form->commands().all()) {
            if (c.shortcut.isEmpty() || c.keys.isEmpty())
                continue;
            const QStringList parts = c.shortcut.split(QStringLiteral(" + "));
            const int key = QKeySequence::fromString(parts.last())[0].key();
            const Command *byKey = form->commands().forKey(key, parts.contains(QLatin1String("Shift")),
                                                           parts.contains(QLatin1String("Ctrl")));
            QVERIFY2(byKey && byKey->id == c.id, qPrintable(c.menuText()));
        }
    }

    // With VESTRADA_SCREENSHOT_DIR set, under a real X server: the window
    // with each of its popup menus open.
    void popupMenuScreenshots()
    {
        const QString dir = test::screenshotDir();
        if (dir.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("screenshots only with VESTRADA_SCREENSHOT_DIR under X");
        start();
        fillTable();
        form->move(0, 0);
        QTest::qWait(300);
        const struct {
            QMenu *menu;
            QWidget *at;
            const char *file;
        } menus[] = {{form->popExp, form->panBot, "popup-main-menu.png"},
                     {form->popStart, form->sbHelp, "popup-program-menu.png"},
                     {form->popSbSz, form->sbSz, "popup-placement-menu.png"}};
        for (const auto &m : menus) {
            m.menu->popup(m.at->mapToGlobal(QPoint(m.at->width() / 2, 0)));
            QTest::qWait(500);
            QVERIFY(m.menu->isVisible());
            const QPixmap shot = form->screen()->grabWindow(0);
            QVERIFY(shot.save(dir + QLatin1Char('/') + QLatin1String(m.file)));
            m.menu->hide();
            QTest::qWait(100);
        }
    }

    // While busy only F12 plain, Escape, Ctrl+F5, Shift+F4 and F11 get through;
    // the keys held back leave the rows, the selection, the date bounds and
    // the sound switch alone (the sorts that get through only reorder).
    void busyRuleAndItsExceptions()
    {
        start();
        fillTable();
        // The names of all rows, and of the selected ones, in name order.
        const auto names = [this](bool selectedOnly) {
            QStringList out;
            for (int i = 0; i < model()->size(); ++i)
                if (!selectedOnly || model()->isSelected(i))
                    out << model()->at(i).cells[ColName];
            out.sort();
            return out;
        };
        const QStringList rowsBefore = names(false);
        const QDateTime minBefore(form->panTop->dtMinDat->date(), form->panTop->dtMinTime->time());
        OperationContext::Scope busy(form->operation());
        WindowCloser closer(form.get());
        const Qt::KeyboardModifiers columns[] = {N, S, C, SC};
        QStringList through;
        for (const FKeyRow &r : kFunctionKeys)
            for (Qt::KeyboardModifiers m : columns) {
                if (r.key == Qt::Key_F11 && m == SC)
                    continue; // the same command as Ctrl+F11
                const QString got = press(r.key, m);
                if (!got.isEmpty())
                    through << got;
            }
        for (const KeyRow &r : kOtherKeys)
            if (r.key != Qt::Key_Escape)
                QCOMPARE(press(r.key, r.mods), QString());
        QCOMPARE(through, (QStringList{"table.sortByMarks", "table.shuffle", "window.toggle", "window.minimal",
                                       "window.bottom", "search.start"}));
        QCOMPARE(closer.opened, QStringList());
        QCOMPARE(fx->ui.beeps, 0);
        QVERIFY(soundOn());
        QCOMPARE(names(false), rowsBefore);
        QCOMPARE(names(true), QStringList{QStringLiteral("f2.txt")});
        QCOMPARE(QDateTime(form->panTop->dtMinDat->date(), form->panTop->dtMinTime->time()), minBefore);
        QVERIFY(form->busy());
        QCOMPARE(press(Qt::Key_Escape, N), QStringLiteral("app.stop"));
        QVERIFY(form->operation().stopRequested());
    }
};

VT_TEST_MAIN(DispatchTest)
#include "tst_gui_dispatch.moc"
