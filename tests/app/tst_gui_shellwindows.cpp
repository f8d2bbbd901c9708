#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "app/helpform.h"
#include "app/logform.h"
#include "app/protectform.h"
#include "app/qtservices.h"
#include "fakeservices.h"
#include "testfiles.h"
#include "xdgdesktop.h"
#include "modalanswer.h"
#include "widgets/keystate.h"
#include "widgets/wholetitle.h"
#include "wholetexts.h"
#include "testhome.h"
#include "testmain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace vt;

namespace {
// Runs action on the modal box as soon as it is up.
QPushButton *buttonNamed(QWidget *box, const QString &text)
{
    for (QPushButton *b : box->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// The captions of a box's push buttons, left to right.
QStringList buttons(QWidget *w)
{
    QList<QPushButton *> all = w->findChildren<QPushButton *>();
    std::sort(all.begin(), all.end(), [](QWidget *a, QWidget *b) { return a->x() < b->x(); });
    QStringList out;
    for (QPushButton *b : all)
        if (b->isVisible())
            out << b->text();
    return out;
}

// Opens a box, returns what look sees in it and closes it with Escape.
QStringList seen(const std::function<void()> &open, const std::function<QStringList(QWidget *)> &look)
{
    QStringList out;
    test::ModalAnswer answer([&](QWidget *w) {
        out = look(w);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    open();
    return out;
}

} // namespace

class ShellWindowsTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;

private slots:
    void init()
    {
        home.emplace();
        qputenv("XDG_DATA_HOME", (home->path() + QStringLiteral("/xdg")).toUtf8());
        setKeyStateForTest(Qt::NoModifier);
    }
    void cleanup()
    {
        setKeyStateForTest(std::nullopt);
        home.reset();
    }

    void threeWayBoxAnswers()
    {
        QtUi real;
        {
            test::ModalAnswer answer([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
            QCOMPARE(real.vprYesOK(QStringLiteral("Выберите действие:\r[YES]: a\r[OK]: b")), YesOk::Cancel);
        }

        QString shown, title;
        {
            test::ModalAnswer answer([&](QWidget *w) {
                auto *box = qobject_cast<QMessageBox *>(w);
                shown = box->text();
                title = box->windowTitle();
                buttonNamed(w, QStringLiteral("&Yes"))->click();
            });
            QCOMPARE(real.vprYesOK(QStringLiteral("a\r[YES]: <b>x</b>")), YesOk::Yes);
        }
        QCOMPARE(title, QStringLiteral("Confirm"));
        QCOMPARE(shown, QStringLiteral("a\n[YES]: <b>x</b>"));

        {
            test::ModalAnswer answer([](QWidget *w) { buttonNamed(w, QStringLiteral("OK"))->click(); });
            QCOMPARE(real.vprYesOK(QStringLiteral("x")), YesOk::Ok);
        }
        {
            test::ModalAnswer answer([](QWidget *w) { w->close(); });
            QCOMPARE(real.vprYesOK(QStringLiteral("x")), YesOk::Cancel);
        }

        {
            test::ModalAnswer answer([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
            QVERIFY(!real.vopr(QStringLiteral("Начать поиск?")));
        }
        {
            test::ModalAnswer answer([](QWidget *w) { buttonNamed(w, QStringLiteral("&Да"))->click(); });
            QVERIFY(real.vopr(QStringLiteral("Начать поиск?")));
        }
    }

    // Qt's own buttons, choosers and edit menus speak Russian; the
    // confirmation box keeps its English buttons. Boxes are as wide as their
    // titles need, and a long text without spaces wraps inside its box.
    void stockTextsAndTitlesShowWhole()
    {
        QtUi r;
        const QString x = QStringLiteral("x");
        QCOMPARE(seen([&] { r.askTitled(x, x, BoxIcon::Warning, true); }, buttons), (QStringList{"&Да", "&Нет"}));
        QCOMPARE(seen([&] { r.yesNoCancel(x, x, BoxIcon::Question); }, buttons),
                 (QStringList{"&Да", "&Нет", "Отмена"}));
        QCOMPARE(seen([&] { r.vprYesOK(x); }, buttons), (QStringList{"&Yes", "OK", "Cancel"}));
        QCOMPARE(seen([&] { r.errorTitled(x, x); },
                      [](QWidget *w) {
                          return buttons(w) << QString::number(qobject_cast<QMessageBox *>(w)->icon());
                      }),
                 (QStringList{"OK", QString::number(QMessageBox::Critical)}));
        // Windows shows its own chooser, in the system's language.
        if (!test::kWindows)
            QCOMPARE(seen([&] { r.chooseExistingFile(x, QStringLiteral("Все (*)|*"), home->path()); },
                          [](QWidget *w) { return buttons(w) << w->findChild<QLabel *>("lookInLabel")->text(); }),
                     (QStringList{"&Открыть", "Отмена", "Перейти к:"}));
        const auto editMenu = [](QWidget *w) {
            QStringList texts = buttons(w);
            std::unique_ptr<QMenu> m(w->findChild<QLineEdit *>()->createStandardContextMenu());
            for (QAction *a : m->actions())
                if (!a->isSeparator())
                    texts << a->text().section(QLatin1Char('\t'), 0, 0);
            return texts;
        };
        QCOMPARE(seen([&] { r.input(x, x, x); }, editMenu),
                 (QStringList{"OK", "Отмена", "&Отменить действие", "&Повторить действие", "&Вырезать",
                              "&Копировать", "В&ставить", "Удалить", "Выделить всё"}));

        const auto cut = [](QWidget *w) { return test::cutTexts(w); };
        for (const QString &title : {QStringLiteral("Введите имя списка"), QStringLiteral("Сохранить как пресету №1"),
                                     QStringLiteral("Проверить/создать путь"), QStringLiteral("Удалить файлы: 1 шт.")}) {
            QCOMPARE(seen([&] { r.input(title, QStringLiteral("Введите путь папки:"), QString()); }, cut),
                     QStringList());
            QCOMPARE(seen([&] { r.askTitled(title, x, BoxIcon::Warning, true); }, cut), QStringList());
        }
        const auto unbroken = [](QWidget *w) {
            auto *label = w->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            return QStringList{QString::number(label->minimumSizeHint().width() <= label->width())};
        };
        QCOMPARE(seen([&] { r.vopr(QStringLiteral("Имя пресеты: ") + QStringLiteral("Описание").repeated(31)); },
                      unbroken),
                 QStringList{"1"});
    }

    void filterText()
    {
        QCOMPARE(nameFilters(QStringLiteral("Все файлы (*)|*")), QStringList{QStringLiteral("Все файлы (*)")});
        QCOMPARE(nameFilters(QStringLiteral("Программы *.exe|*.exe|Списки|*.vtx;*.m3u")),
                 (QStringList{QStringLiteral("Программы *.exe (*.exe)"), QStringLiteral("Списки (*.vtx *.m3u)")}));
    }

    void progressWindowStopsBetweenItems()
    {
        OperationContext ops;
        ProgressWindow progress(ops);
        OperationContext::Scope busy(ops);
        ops.showProgress( true, 5, QStringLiteral("Копирование файлов, подождите..."));
        TProtectForm *f = progress.form();
        QVERIFY(f && f->isVisible());
        QCOMPARE(f->labinf->text(), QStringLiteral("Копирование файлов, подождите..."));
        QCOMPARE(f->size(), QSize(362, 66));
        QList<int> done;
        for (int i = 1; i <= 5; ++i) {
            ops.updateProgress(i);
            QCoreApplication::processEvents();
            if (ops.stopRequested())
                break;
            done << i;
            if (i == 3)
                QTest::mouseClick(f->sbProtCancel, Qt::LeftButton);
        }
        QCOMPARE(done, (QList<int>{1, 2, 3}));
        QCOMPARE(f->sbProtCancel->text(), QStringLiteral("Подождите..."));
        QVERIFY(!f->sbProtCancel->isEnabled());
        // The user cannot close it; the owner can.
        QVERIFY(!f->close());
        QVERIFY(f->isVisible());
        ops.closeProgress();
        QVERIFY(!progress.form());
    }

    void progressWindowOneItemAndPlainWait()
    {
        OperationContext ops;
        ProgressWindow progress(ops);
        ops.showProgress(true, 1);
        TProtectForm *f = progress.form();
        QCOMPARE(f->labinf->text(), QStringLiteral("Подождите..."));
        QCOMPARE(f->sbProtCancel->text(), QStringLiteral("Остался 1 файл..."));
        QVERIFY(!f->sbProtCancel->isEnabled());
        // The last item runs: Escape or "Стоп" cannot stop it either.
        ops.requestStop();
        QVERIFY(!ops.stopRequested());
        ops.closeProgress();

        ops.showProgress(false, 0, QStringLiteral("Добавление к списку, подождите..."));
        f = progress.form();
        QVERIFY(f->pbar->isHidden());
        QVERIFY(!f->sbProtCancel->isEnabled());
        ops.closeProgress();
    }

    void aboutWindowFollowsTheLog()
    {
        test::FakeServices fx;
        THelpForm help;
        currentLog().append(QStringLiteral("08.12.2026 12:00:00 Поиск с папки: \r\n/tmp/"));
        QVERIFY(help.memLog->toPlainText().endsWith(QStringLiteral("\n-\n08.12.2026 12:00:00 Поиск с папки: \n/tmp/")));
        QVERIFY(help.memLog->toPlainText().startsWith(QStringLiteral("Vestrada v2.34 \nСтарт: ")));

        // Disabled, the link must not keep its link colour.
        help.show();
        const auto linkPixels = [&] {
            const QImage img = help.labLastAction->grab().toImage();
            int n = 0;
            for (int i = 0; i < img.width() * img.height(); ++i) {
                const QColor c = img.pixelColor(i % img.width(), i / img.width());
                n += c.blue() - qMax(c.red(), c.green()) > 60; // bluish
            }
            return n;
        };
        QVERIFY(!help.labLastAction->isEnabled());
        QCOMPARE(linkPixels(), 0);
        currentLog().setSearchSummary(QStringLiteral("Поиск завершен"));
        QVERIFY(help.labLastAction->isEnabled());
        QVERIFY(linkPixels() > 20);
        help.lastActionClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Поиск завершен"));

        help.cbCLV->click();
        QVERIFY(settings().clv);
        help.cbCLV->click();
        QVERIFY(!settings().clv);
    }

    void aboutWindowHelpPage()
    {
        test::FakeServices fx;
        THelpForm help;
        // A page that is not there is an error, not a success of the desktop.
        const QString page = dataDir() + QStringLiteral("Help.htm");
        const bool missing = !QFileInfo::exists(page);
        if (missing) {
            help.butHelpClick();
            QCOMPARE(fx.ui.lastText(), QStringLiteral("Ошибка открытия"));
            QVERIFY(fx.shell.opened.isEmpty());
            fx.ui.clear();
            test::writeTestFile(page, "<html></html>");
        }
        help.butHelpClick();
        if (missing)
            QFile::remove(page);
        QCOMPARE(fx.shell.opened, QStringList{page});
        QCOMPARE(fx.sound.played, QList<int>{3});
        fx.shell.answer = false;
        help.butHelpClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Ошибка открытия"));

        setKeyStateForTest(Qt::ShiftModifier);
        fx.shell.answer = true;
        fx.ui.yesNo.enqueue(true);
        help.butHelpClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Путь к программе:\n") + QCoreApplication::applicationFilePath()
                                       + QStringLiteral("\nОткрыть в проводнике?"));
        QCOMPARE(fx.shell.opened.last(), QCoreApplication::applicationDirPath());
    }

    void aboutWindowSendTo()
    {
        if (!test::XdgDesktop::toolsThere())
            QSKIP("xdg-utils are needed (scripts/install-deps.sh)");
        test::XdgDesktop xdg;
        test::FakeServices fx;
        THelpForm help;
        const QString entry = xdg.data + QStringLiteral("/applications/vestrada.desktop");
        fx.ui.yesNo.enqueue(false);
        help.butSendToClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Установить ярлык Vestrada в меню \"Отправить\" проводника?"));
        QVERIFY(!QFile::exists(entry));
        // Without a file manager the program would become the folder opener: refused.
        fx.ui.yesNo.enqueue(true);
        help.butSendToClick();
        QCOMPARE(fx.ui.calls.last().title, QStringLiteral("SendTo"));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Нет программы для папок (файлового менеджера).\rЯрлык не установлен"));
        QVERIFY(!QFile::exists(entry));
        xdg.addApp(QStringLiteral("files.desktop"), QStringLiteral("/bin/true"), {QStringLiteral("inode/directory")});
        fx.ui.yesNo.enqueue(true);
        help.butSendToClick();
        QVERIFY(QFile::exists(entry));
        QCOMPARE(fx.ui.beepKinds, QList<Beep>{Beep::Info});
        help.butSendToClick();
        QCOMPARE(fx.ui.calls.last().title, QStringLiteral("SendTo"));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Ярлык уже существует"));

        setKeyStateForTest(Qt::ShiftModifier | Qt::ControlModifier);
        help.butSendToClick();
        QCOMPARE(fx.shell.opened, QStringList{xdg.data + QStringLiteral("/applications/")});

        setKeyStateForTest(Qt::ShiftModifier);
        fx.ui.yesNo.enqueue(true);
        help.butSendToClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Удалить ярлык Vestrada из меню \"Отправить\" проводника?"));
        QVERIFY(!QFile::exists(entry));
        help.butSendToClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Ярлык не найден"));
    }

    void memoScrollButtons()
    {
        test::FakeServices fx;
        THelpForm help;
        help.resize(400, 200);
        help.show();
        for (int i = 0; i < 200; ++i)
            currentLog().append(QStringLiteral("строка %1").arg(i));
        help.sbTextEnd->click();
        QCOMPARE(help.memLog->verticalScrollBar()->value(), help.memLog->verticalScrollBar()->maximum());
        QVERIFY(help.memLog->textCursor().atStart());
        setKeyStateForTest(Qt::ShiftModifier);
        help.sbTextEnd->click();
        QVERIFY(help.memLog->textCursor().atEnd());
        help.sbTextTop->click();
        QVERIFY(help.memLog->textCursor().atStart());
        QCOMPARE(help.memLog->verticalScrollBar()->value(), 0);
        QCOMPARE(fx.sound.played, (QList<int>{3, 1, 2}));
    }

    void logViewerLastActionAndSavedLogs()
    {
        test::FakeServices fx;
        currentLog().beginOperation(LogKind::Copy);
        currentLog().opLog() << QStringLiteral("08.12.2026 12:00:00 Копирование") << QStringLiteral("-")
                             << QStringLiteral("___\r\n") << QStringLiteral("Результат: 1 из 1");
        QVERIFY(GetOptPath());
        test::writeTestFile(optPath() + QStringLiteral("m1"), toCp1251(QStringLiteral("перемещено\r\n__________\r\n\r\n")));
        test::writeTestFile(optPath() + QStringLiteral("c2"), "\xEF\xBB\xBF" + QStringLiteral("/t/Ωmega.txt <ОК>\r\n").toUtf8()
                                                              + QByteArray(3000, 'c'));

        TLogForm f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Последнее действие: [копирование файлов]"));
        QCOMPARE(f.memLogLast->toPlainText(),
                 QStringLiteral("08.12.2026 12:00:00 Копирование\n-\n___\n\nРезультат: 1 из 1"));
        QVERIFY(f.butExtra->isHidden());

        f.rbSaved->click();
        QCOMPARE(f.windowTitle(), QStringLiteral("Просмотр сохраненных логов"));
        QVERIFY(f.memLogLast->toPlainText().isEmpty());
        QCOMPARE(f.cmbSavedLogs->count(), 2);
        QCOMPARE(f.cmbSavedLogs->itemText(0), QStringLiteral("Копирование-2, KB: 2"));
        QCOMPARE(f.cmbSavedLogs->itemText(1), QStringLiteral("Перемещение-1, KB: 0"));
        f.savedLogChosen(1);
        QCOMPARE(f.memLogLast->toPlainText(), QStringLiteral("перемещено\n__________\n"));
        QCOMPARE(fx.sound.played, QList<int>{3});
        f.savedLogChosen(0); // UTF-8, as a name cp1251 cannot hold makes it
        QVERIFY(f.memLogLast->toPlainText().startsWith(QStringLiteral("/t/Ωmega.txt <ОК>\nccc")));
        fx.sound.played.clear();
        f.savedLogChosen(1);

        // Gone unreadable since the list was filled: a message, the memo empty.
        QVERIFY(QFile::remove(optPath() + QStringLiteral("m1")));
        QVERIFY(QDir().mkdir(optPath() + QStringLiteral("m1")));
        f.savedLogChosen(1);
        QVERIFY(f.memLogLast->toPlainText().isEmpty());
        QCOMPARE(fx.ui.texts(), QStringList{QStringLiteral("Ошибка чтения файла лога:\n") + optPath() + QStringLiteral("m1")});
        QCOMPARE(fx.sound.played, QList<int>{3});

        // Filled once per opening.
        f.rbLast->click();
        f.rbSaved->click();
        QCOMPARE(f.cmbSavedLogs->count(), 2);

        f.cbWrap->click();
        QCOMPARE(f.memLogLast->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        f.cbWrap->click();
        QCOMPARE(f.memLogLast->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(fx.sound.played, (QList<int>{3, 1, 3}));
    }

    void logViewerSavesACopy()
    {
        test::FakeServices fx;
        currentLog().beginOperation(LogKind::Rename);
        currentLog().opLog() << QStringLiteral("строка 1") << QStringLiteral("line \u4e2d");
        TLogForm f;
        const QString texts = home->path() + QStringLiteral("/Texts/");
        const QString file = texts + QStringLiteral("Log-2026-12-08_12-00-00.txt");
        fx.ui.yesNo.enqueue(true);
        fx.ui.yesNo.enqueue(true);
        f.butSaveClick();
        QCOMPARE(fx.ui.calls.at(0).text, QStringLiteral("Сохранить текст лога в файл? Имя файла:\n") + file);
        QCOMPARE(fx.ui.calls.at(1).text, QStringLiteral("Открыть сохраненный файл?"));
        QCOMPARE(readWholeFile(file), "\xEF\xBB\xBF" + QStringLiteral("строка 1\r\nline \u4e2d\r\n").toUtf8());
        QCOMPARE(fx.shell.opened, QStringList{file});

        // 100 ".TXT" files (this copy among them) still allow a save...
        QFile::remove(file);
        for (int i = 0; i < 100; ++i)
            test::writeTestFile(texts + QStringLiteral("t%1.txt").arg(i), "x");
        fx.ui.clear();
        fx.ui.yesNo.enqueue(false);
        f.butSaveClick();
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.at(0).kind, QStringLiteral("vopr"));
        // ...the 101st refuses before asking.
        test::writeTestFile(texts + QStringLiteral("t100.TXT"), "x");
        fx.ui.clear();
        fx.ui.stopAnswers.enqueue(false);
        f.butSaveClick();
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls.at(0).title, QStringLiteral("Проверка числа файлов"));
        QVERIFY(!QFile::exists(file));

        // Empty memo: a beep and nothing else.
        currentLog().beginOperation(LogKind::Rename);
        TLogForm empty;
        fx.ui.clear();
        empty.butSaveClick();
        QCOMPARE(fx.ui.beeps, 1);
        QVERIFY(fx.ui.calls.isEmpty());

        setKeyStateForTest(Qt::ShiftModifier);
        empty.butSaveClick();
        QCOMPARE(fx.shell.opened.last(), texts);
    }

    void logViewerExtraButton()
    {
        test::FakeServices fx;
        TLogForm f({LogRows::WithoutHit, 3, 7});
        QCOMPARE(f.butExtra->text(), QStringLiteral("Файлы, где ничего не найдено"));
        fx.ui.yesOk.enqueue(YesOk::Cancel);
        f.butExtraClick(); // Cancel: stays open
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Выберите действие для выделенных строк в таблице,\n"
                                                  "где ничего не найдено (3 из 7)\n"
                                                  "[YES]: снять выделение\n[OK]: удалить из таблицы"));
        QCOMPARE(f.result(), 0);
        fx.ui.yesOk.enqueue(YesOk::Ok);
        f.butExtraClick();
        QCOMPARE(f.result(), 1);

        TLogForm g({LogRows::NotFound, 2, 7});
        QCOMPARE(g.butExtra->text(), QStringLiteral("Ненайденные файлы/папки"));
        fx.ui.yesOk.enqueue(YesOk::Yes);
        g.butExtraClick();
        QVERIFY(fx.ui.lastText().startsWith(QStringLiteral("Выберите действие для ненайденных файлов/папок (2 из 7)\n")));
        QCOMPARE(g.result(), 6);

        // Escape and "Закрыть" never look like Yes or OK to the caller.
        TLogForm h({LogRows::WithoutHit, 1, 0});
        h.show();
        QTest::keyClick(&h, Qt::Key_Escape);
        QCOMPARE(h.result(), 2);
    }
};

VT_TEST_MAIN(ShellWindowsTest)
#include "tst_gui_shellwindows.moc"
