#include "app/mainform.h"
#include "base/appdirs.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "lists/fileassocform.h"
#include "lists/filstrform.h"
#include "lists/openvarform.h"
#include "modalanswer.h"
#include "platform/associations.h"
#include "privatedesktop.h"
#include "search/searchpanel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;

// The favourite-folder window, the string chooser and the association
// dialog, driven by their keys and buttons; the main window opens the first two.
class FavouritesWindowTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString alpha, zeta, fresh, store;
    std::unique_ptr<test::FakeServices> fx;

    static QStringList boxTexts(QListWidget *lb)
    {
        QStringList out;
        for (int i = 0; i < lb->count(); ++i)
            out << lb->item(i)->text();
        return out;
    }
    static void select(QListWidget *lb, const QStringList &texts)
    {
        lb->clearSelection();
        for (int i = 0; i < lb->count(); ++i)
            if (texts.contains(lb->item(i)->text()))
                lb->item(i)->setSelected(true);
    }
    QList<int> sounds() const { return fx->sound.played; }

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
        store = optPath() + QStringLiteral("open");
        alpha = data.path() + QStringLiteral("/alpha/");
        zeta = data.path() + QStringLiteral("/Zeta/");
        fresh = data.path() + QStringLiteral("/Новая/");
        for (const QString &d : {alpha, zeta, fresh})
            QVERIFY(QDir().mkpath(d));
    }
    void init()
    {
        fx = std::make_unique<test::FakeServices>();
        openVarSession().quickChoice = true;
        openVarSession().sorted = true;
        QVERIFY(writeCp1251Lines(store, {zeta, data.path() + QStringLiteral("/gone/"), alpha}));
    }
    void cleanup() { fx.reset(); }

    void folderWindowKeys()
    {
        // The caller's folder without its separator; the favourite is found all the same.
        TOpenVarForm f(alpha.chopped(1), QString(), false);
        f.show();
        test::screenshot(&f, "favourite-folders.png");
        QListWidget *lb = f.lbDir;
        QCOMPARE(boxTexts(lb), (QStringList{alpha, zeta}));
        QVERIFY(lb->selectedItems().isEmpty());
        QCOMPARE(f.result(), alpha.chopped(1));

        QTest::keyClick(lb, Qt::Key_BracketRight);
        QCOMPARE(f.result(), alpha);
        QTest::keyClick(lb, Qt::Key_BracketRight);
        QCOMPARE(f.result(), zeta);
        QTest::keyClick(lb, Qt::Key_BracketRight); // wraps to the start
        QCOMPARE(f.result(), alpha);
        QKeyEvent ha(QEvent::KeyPress, 0x0425, Qt::NoModifier, QStringLiteral("х"));
        QApplication::sendEvent(lb, &ha); // "[" in a Russian layout: back to the end
        QCOMPARE(f.result(), zeta);
        QCOMPARE(sounds(), (QList<int>{1, 1, 1, 1}));

        QTest::keyClick(lb, Qt::Key_Plus);
        QCOMPARE(fx->ui.lastText(),
                 QStringLiteral("Папка имеется в списке избранных под номером 2. Имя папки:\r") + zeta);

        // O browses from the result, Shift+O from nowhere.
        fx->ui.folders << fresh.chopped(1);
        QTest::keyClick(lb, Qt::Key_O);
        QCOMPARE(fx->ui.calls.last().text, zeta);
        QCOMPARE(f.result(), fresh);
        fx->ui.folders << QString();
        QTest::keyClick(lb, Qt::Key_O, Qt::ShiftModifier);
        QCOMPARE(fx->ui.calls.last().text, QString());
        QCOMPARE(f.result(), fresh);

        fx->ui.yesNo << true;
        QTest::keyClick(lb, Qt::Key_Plus);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Добавить папку в избранные? Имя папки:\r") + fresh);
        QCOMPARE(boxTexts(lb), (QStringList{alpha, zeta, fresh}));

        select(lb, {fresh, alpha});
        fx->ui.yesNo << true;
        QTest::keyClick(lb, Qt::Key_Minus);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Удалить из списка выделенные папки (2 шт.)?"));
        QCOMPARE(boxTexts(lb), QStringList{zeta});
        const int beeps = fx->ui.beeps;
        QTest::keyClick(lb, Qt::Key_Minus); // nothing selected
        QCOMPARE(fx->ui.beeps, beeps + 1);

        select(lb, {zeta});
        QTest::keyClick(lb, Qt::Key_F12);
        QTest::keyClick(lb, Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(fx->shell.opened, (QStringList{zeta, fresh}));
        // Each folder opened plays sound 3.
        QCOMPARE(sounds().mid(4), (QList<int>{3, 3, 2, 3, 3}));

        QTest::keyClick(lb, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(f.result(), fresh);
        QCOMPARE(f.result(), f.eDirOpenVar->text());
        QCOMPARE(f.isVisible(), false);
        // Stored order, without the removed entries and the folder that is gone.
        QCOMPARE(readWholeFile(store), toCp1251(zeta + "\r\n"));
    }

    void checkBoxesSourcesAndStartFolder()
    {
        openVarSession().searchStart = [this] { return alpha; };
        {
            TOpenVarForm f(QString(), zeta, false);
            f.show();
            f.cbSortDir->setChecked(false);
            QCOMPARE(boxTexts(f.lbDir), (QStringList{zeta, alpha})); // order of adding
            f.cbQVyb->setChecked(false);
            QTest::keyClick(f.lbDir, Qt::Key_Escape);
            QVERIFY(!f.isVisible());
            QCOMPARE(f.result(), QString());
        }
        QVERIFY(!openVarSession().sorted);
        QVERIFY(!openVarSession().quickChoice);
        // An unchanged list is not written (the vanished folder stays in the file).
        QVERIFY(fromCp1251(readWholeFile(store)).contains(QStringLiteral("/gone/")));

        TOpenVarForm f(QString(), zeta, false);
        f.show();
        QVERIFY(!f.cbSortDir->isChecked() && !f.cbQVyb->isChecked());
        QCOMPARE(f.sbRefr->toolTip(), QStringLiteral("Установить выделенную в таблице папку:\n") + zeta);
        QCOMPARE(f.lab1->toolTip(), QStringLiteral("Установить последнюю папку начала поиска:\n") + alpha);
        QCOMPARE(f.sbOwnDir->toolTip(), QStringLiteral("Установить стартовую папку:"));

        // Without quick choice a double click only fills the result.
        select(f.lbDir, {alpha});
        f.lbDirDblClick();
        QVERIFY(f.isVisible());
        QCOMPARE(f.result(), alpha);
        f.sbRefr->click();
        QCOMPARE(f.result(), zeta);
        QTest::mouseClick(f.lab1, Qt::LeftButton);
        QCOMPARE(f.result(), alpha);
        f.sbOwnDir->click(); // no start-up folder
        QCOMPARE(fx->ui.beeps, 1);

        fx->ui.yesNo << true;
        f.sbStartDirClick(false);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Открывать папку:\n") + alpha + QStringLiteral("\nпри старте программы?"));
        QCOMPARE(GetStartDir(StartDir::Folder), alpha);
        QCOMPARE(f.sbOwnDir->toolTip(), QStringLiteral("Установить стартовую папку:\n") + alpha);
        f.sbStartDirClick(false); // the same folder again
        QCOMPARE(fx->ui.beeps, 2);
        QCOMPARE(sounds(), (QList<int>{3, 3, 3, 2}));
        f.sbOwnDir->click();
        QCOMPARE(f.result(), alpha);
        fx->ui.yesNo << true;
        f.sbStartDirClick(true); // Shift: an empty start folder
        QCOMPARE(GetStartDir(StartDir::Folder), QString());
        f.reject();

        TOpenVarForm hidden(QString(), QString(), true);
        QVERIFY(hidden.sbStartDir->isHidden());
        openVarSession().searchStart = nullptr;
    }

    void stringChooser()
    {
        const QString path = FavouriteStrings::storePath(FavouriteKind::Template);
        const QString sixty = QStringLiteral("*") + QString(58, QChar(u'ж')) + QStringLiteral("*");
        QVERIFY(writeCp1251Lines(path, {QStringLiteral("*.Отчет*"), sixty, QString()}));
        TFilStrForm f(FavouriteKind::Template, path, QStringLiteral("*"), QStringLiteral("Избранные шаблоны"));
        f.show();
        test::screenshot(&f, "favourite-strings.png");
        QCOMPARE(f.windowTitle(), QStringLiteral("Избранные шаблоны"));
        QCOMPARE(f.result(), QStringLiteral("*"));

        select(f.lbFilStr, {sixty});
        QTest::keyClick(f.lbFilStr, Qt::Key_F9);
        QCOMPARE(f.result(), sixty.left(40));
        select(f.lbFilStr, {sixty, QStringLiteral("*.Отчет*")});
        QTest::keyClick(f.lbFilStr, Qt::Key_F9);
        f.lbFilStr->clearSelection();
        f.lbFilStr->item(2)->setSelected(true); // the empty line
        QTest::keyClick(f.lbFilStr, Qt::Key_F9);
        QCOMPARE(fx->ui.beeps, 2);

        f.eFilStr->setText(QStringLiteral("*.оТЧЕТ*"));
        f.sbAdd->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Строка:\r*.оТЧЕТ*\rесть в избранных"));
        f.eFilStr->setText(QStringLiteral("*a/b*"));
        f.sbAdd->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Недопустимые символы в шаблоне  \\ / : \" < > |"));
        QTest::keyClick(f.eFilStr, Qt::Key_S, Qt::ControlModifier); // the same check on OK
        QVERIFY(f.isVisible());
        f.eFilStr->setText(QStringLiteral("*.log"));
        f.sbAdd->click();
        QCOMPARE(f.lbFilStr->count(), 4);

        select(f.lbFilStr, {QString(), QStringLiteral("*.Отчет*")});
        fx->ui.yesNo << true;
        f.sbDelFilStr->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Удалить выделенные (2 шт.) из избранных?"));
        QCOMPARE(boxTexts(f.lbFilStr), (QStringList{sixty, QStringLiteral("*.log")}));
        // Esc: no result, but the list is written all the same.
        QTest::keyClick(f.lbFilStr, Qt::Key_Escape);
        QCOMPARE(f.result(), QStringLiteral("*.log"));
        QCOMPARE(readCp1251Lines(path), (QStringList{sixty, QStringLiteral("*.log")}));
        QCOMPARE(sounds(), (QList<int>{3, 3, 3}));
    }

    void mainWindowOpensBothChoosers()
    {
        const QString path = FavouriteStrings::storePath(FavouriteKind::Template);
        const QString sixty = QStringLiteral("*") + QString(58, QChar(u'ж')) + QStringLiteral("*");
        QVERIFY(writeCp1251Lines(path, {sixty}));
        test::MainWindow main;
        main.start();
        TFileForm &form = *main.form;
        fx->sound.played.clear();
        form.panTop->setFolderText(zeta);
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = qobject_cast<TOpenVarForm *>(w);
                QVERIFY(f);
                QVERIFY(!f->sbStartDir->isHidden());
                QTest::keyClick(f->lbDir, Qt::Key_BracketRight); // alpha, sorted first
                QTest::keyClick(f->lbDir, Qt::Key_S, Qt::ControlModifier);
            });
            form.panTop->sbIzbDir->click();
        }
        QCOMPARE(form.panTop->folderText(), alpha);
        QCOMPARE(sounds(), (QList<int>{1, 3}));

        QVERIFY(form.panTop->miShabFilStr->isEnabled());
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = qobject_cast<TFilStrForm *>(w);
                QVERIFY(f);
                f->lbFilStr->item(0)->setSelected(true);
                QTest::keyClick(f->lbFilStr, Qt::Key_F9);
                f->butOk->click();
            });
            form.panTop->miShabFilStr->trigger();
        }
        QCOMPARE(form.panTop->eShablon->text(), sixty.left(40));

        const Command *assocCmd = form.commands().find(QStringLiteral("app.associations"));
        QVERIFY(assocCmd);
        QCOMPARE(assocCmd->caption, QStringLiteral("Ассоциации..."));
        QVERIFY(TFileForm::programMenuLayout().contains(QStringLiteral("app.associations")));
    }

    void associationDialog()
    {
        test::PrivateDesktop desktop;
        if (!desktop.ready())
            QSKIP(test::PrivateDesktop::missing());
        const QString exe = QCoreApplication::applicationFilePath();
        {
            TFileAssocForm f;
            f.show();
            QCOMPARE(f.windowTitle(), QStringLiteral("Ассоциации..."));
            QVERIFY(!f.cbAssVTL->isChecked() && !f.cbAssVTS->isChecked() && !f.cbAssVTX->isChecked());
            f.cbAssVTX->setChecked(true);
            test::screenshot(&f, "associations.png");
            QTest::keyClick(&f, Qt::Key_Escape);
            QCOMPARE(f.result(), int(QDialog::Rejected));
        }
        QCOMPARE(assoc::ticks(exe), (QList<bool>{false, false, false})); // Esc changed nothing
        {
            TFileAssocForm f;
            f.show();
            f.cbAssVTL->setChecked(true);
            QTest::keyClick(f.cbAssVTL, Qt::Key_Return);
            QCOMPARE(f.result(), int(QDialog::Accepted));
        }
        QCOMPARE(assoc::ticks(exe), (QList<bool>{true, false, false}));
        TFileAssocForm f;
        QVERIFY(f.cbAssVTL->isChecked() && !f.cbAssVTS->isChecked());
        f.cbAssVTL->setChecked(false);
        f.sbOk->click();
        QCOMPARE(assoc::ticks(exe), (QList<bool>{false, false, false}));
        QVERIFY(fx->ui.calls.isEmpty());
    }
};

VT_TEST_MAIN(FavouritesWindowTest)
#include "tst_gui_favourites.moc"
