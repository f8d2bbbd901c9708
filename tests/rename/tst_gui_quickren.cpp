#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "fakeservices.h"
#include "fileops/actform.h"
#include "fileops/clicklabel.h"
#include "lists/core/vtlfile.h"
#include "lists/listgroup.h"
#include "modalanswer.h"
#include "rename/doprenform.h"
#include "rename/renprevform.h"
#include "search/searchpanel.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/tablerows.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "wholetexts.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;

// The quick renames through the main window: the actions window's chooser,
// the folder commands and the one-file rename of the open list.
class QuickRenWindowTest : public QObject, test::MainWindow {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<test::FakeServices> fx;

    void addRows(const QStringList &paths)
    {
        AppendState st;
        for (const QString &p : paths)
            QCOMPARE(appendPath(*model(), st, p), AppendResult::Added);
        model()->setAllSelected(true);
    }
    static QStringList names(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    static QMenu *subMenu(QMenu *menu, const QString &title)
    {
        for (QAction *a : menu->actions())
            if (a->menu() && a->text() == title)
                return a->menu();
        return nullptr;
    }

private slots:
    void init()
    {
        fx = std::make_unique<test::FakeServices>();
        start(QSize(754, 460));
    }
    void cleanup()
    {
        close();
        fx.reset();
    }

    // F6, "Дополн. переименование", a choice: both windows close and the batch runs.
    void chooserFromTheActionsWindow()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        for (const char *f : {"Ёлка.txt", "б в.txt", "ok.txt"})
            test::writeTestFile(d + QString::fromUtf8(f), "x");
        addRows({d + "Ёлка.txt", d + "б в.txt", d + "ok.txt"});
        model()->setSelected(2, false);

        bool okWasDisabled = false;
        std::unique_ptr<test::ModalAnswer> chooser, logViewer;
        test::ModalAnswer actions([&](QWidget *a) {
            auto *act = qobject_cast<TActfrm *>(a);
            QVERIFY(act);
            chooser = std::make_unique<test::ModalAnswer>([&](QWidget *w) {
                auto *c = qobject_cast<TDopRenForm *>(w);
                QVERIFY(c);
                okWasDisabled = !c->sbOK->isEnabled();
                c->rbItems[1]->click();
                test::screenshot(c, "quick-rename-chooser.png");
                c->sbOK->click();
            });
            emit act->labDopRen->clicked();
            logViewer = std::make_unique<test::ModalAnswer>([](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
        });
        fx->ui.yesOk << YesOk::Yes;
        form->commands().run(QStringLiteral("fileops.actions"));
        QVERIFY(actions.seen());
        QVERIFY(chooser && chooser->seen());
        QVERIFY(okWasDisabled);
        chooser.reset();
        logViewer.reset();
        QCOMPARE(fx->ui.calls.at(0).text,
                 QStringLiteral("Переименование файлов (2 шт.)\r[YES]: Перевод в транслит\r[OK]: Справка"));
        QCOMPARE(names(d), (QStringList{"Jolka.txt", "b v.txt", "ok.txt"}));
        QCOMPARE(test::column(*model(), ColName), (QStringList{"Jolka.txt", "b v.txt", "ok.txt"}));
        QCOMPARE(model()->at(0).entry.shortForm, test::shortForm(d + "Jolka.txt"));
        QCOMPARE(model()->counters().selFiles, 2);
        QVERIFY(currentLog().opLog().first().endsWith(" Перевести имена в транслит (файлов: 2)"));

        // Esc closes the chooser without a choice.
        TDopRenForm c;
        c.show();
        QCOMPARE(test::cutTexts(&c), QStringList());
        QTest::keyClick(&c, Qt::Key_Escape);
        QCOMPARE(c.result(), int(QDialog::Rejected));
        QCOMPARE(c.itemIndex(), -1);
    }

    void folderCommandsAndMenus()
    {
        QMenu *files = subMenu(form->popExp, QStringLiteral("Дополнительное переименование (файлы)"));
        QMenu *dirs = subMenu(form->popExp, QStringLiteral("Переименование папок"));
        QVERIFY(files && dirs);
        QStringList captions;
        for (QAction *a : dirs->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"По правилу или список/список: Ctrl + J",
                                        "Транслит или замена пробелов: Ctrl + Shift + J", "-",
                                        "Справка по переименованию папок"}));
        QCOMPARE(files->actions().size(), 6);

        QTemporaryDir data;
        const QString d = data.path() + '/';
        for (const char *f : {"one", "two", "sub/three"})
            QVERIFY(QDir().mkpath(d + f));
        addRows({d + "one", d + "sub/three"});
        press(Qt::Key_J, Qt::ControlModifier);
        QCOMPARE(fx->ui.lastText(),
                 QStringLiteral("Для переименования папок\r\nколонка \"Папка\" для ВСЕЙ ТАБЛИЦЫ должна быть одинаковой"));

        // One folder for the table: Ctrl+J opens the rule rename for folders.
        model()->clear();
        addRows({d + "one", d + "two"});
        {
            test::ModalAnswer preview([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
            form->commands().run(QStringLiteral("rename.folders"));
            QCOMPARE(preview.title(), QStringLiteral("Переименование папок, в таблице: 2"));
        }
        // Shift+F9 wants one file row; with folders selected nothing happens.
        fx->ui.clear();
        press(Qt::Key_F9, Qt::ShiftModifier);
        QVERIFY(fx->ui.calls.isEmpty());
        // and with one file it renames it
        test::writeTestFile(d + "x.txt", "x");
        model()->clear();
        addRows({d + "x.txt"});
        fx->ui.inputs << QString("y");
        press(Qt::Key_F9, Qt::ShiftModifier);
        QCOMPARE(names(d), (QStringList{"one", "sub", "two", "y.txt"}));
        QCOMPARE(model()->at(0).cells[ColName], QStringLiteral("y.txt"));
    }

    // "Переименовать" of the open list: the file takes the typed name and the list goes on under it.
    void renameTheOpenList()
    {
        QTemporaryDir data;
        test::writeTestFile(data.path() + "/a.txt", "x");
        addRows({data.path() + "/a.txt"});
        const QString list = home.path() + "/VtlVts/old.vtl";
        QVERIFY(QDir().mkpath(home.path() + "/VtlVts"));
        QVERIFY(writeVtl(list, *model(), false).ok);
        QVERIFY(form->lists().openList(list));
        fx->ui.inputs << QString("new");
        form->listGroup()->sbAllSpisRen->click();
        const QString renamed = home.path() + "/VtlVts/new.vtl";
        QVERIFY(QFile::exists(renamed));
        QVERIFY(!QFile::exists(list));
        QCOMPARE(form->lists().path(), renamed);
        QCOMPARE(form->panTop->labAllSpis->text(), QStringLiteral("Открыт список VTL: new.vtl"));
        QVERIFY(currentLog().text().endsWith("Переименован файл: " + list + " >> " + renamed + "\r\n-"));

        // The real input box of the one-file rename.
        QtUi qt;
        test::ModalAnswer box([](QWidget *w) {
            auto *dlg = qobject_cast<QInputDialog *>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->textValue(), QStringLiteral("new"));
            dlg->setTextValue(QStringLiteral("newer"));
            test::screenshot(dlg, "quick-rename-input.png");
            dlg->accept();
        });
        QCOMPARE(qt.input(QStringLiteral("Переименовать"), QStringLiteral("Введите новое имя без расширения"),
                          QStringLiteral("new")),
                 std::optional<QString>(QStringLiteral("newer")));
        QCOMPARE(box.title(), QStringLiteral("Переименовать"));
    }
};

VT_TEST_MAIN(QuickRenWindowTest)
#include "tst_gui_quickren.moc"
