#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "rename/renameform.h"
#include "rename/renprevform.h"
#include "rename/renspisfrm.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

QStringList names(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}


} // namespace

class TestRenSpisFrm : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;
    OperationContext ops;

private slots:
    void init() { fx = std::make_unique<FakeServices>(); }
    void cleanup() { fx.reset(); }

    // From the preview in list mode: a real run, the views, and the editor
    // text kept for the next opening.
    void renameFromPreview()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        TableModel t;
        AppendState st;
        for (const char *f : {"alpha.txt", "beta.txt", "gamma.log"})
            writeTestFile(d + f, f);
        for (const char *f : {"alpha.txt", "beta.txt", "gamma.log"})
            QCOMPARE(appendPath(t, st, d + f), AppendResult::Added);
        TRenPrevForm f(t, ops, nullptr, false);
        QCOMPARE(f.fill({0, 1, 2}), 3);
        f.rbRenSpis->setChecked(true);
        f.sbRulesClick();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Выделите строчки для переименования"));
        QVERIFY(!f.spisForm());
        f.lvRen->selectAll();

        {
            ModalAnswer answer([&](QWidget *w) {
                auto *s = qobject_cast<TRenSpisFrm *>(w);
                QVERIFY(s);
                QCOMPARE(s->windowTitle(), QStringLiteral("Переименование Список  <->  Список"));
                QCOMPARE(s->labOldName->text(), QStringLiteral("Список выделенных имен (3 шт.):"));
                QCOMPARE(s->memOldName->toPlainText(), QStringLiteral("alpha\nbeta\ngamma"));
                s->memNewName->setPlainText("first: one\n\nGamma");
                test::screenshot(s, "rename-list-names.png");

                s->cbExtsS->setChecked(true);
                QCOMPARE(s->memOldName->toPlainText(), QStringLiteral("alpha.txt\nbeta.txt\ngamma.log"));
                fx->ui.yesNo.enqueue(true);
                QTest::mouseClick(s->sbRename, Qt::LeftButton);
                QCOMPARE(s->memNewName->toPlainText(), QStringLiteral("first one\n\nGamma"));
                QCOMPARE(s->memOldName->toPlainText(),
                         QStringLiteral("alpha.txt >> first one.txt <OK>\nbeta.txt <Пропуск>\n"
                                        "gamma.log >> Gamma.log <OK>"));
                QVERIFY(s->labResSpis->isVisible());
                QCOMPARE(s->labResSpis->text(), QStringLiteral("Переименование: 2 из 3"));
                QVERIFY(!s->cbExtsS->isVisible());
                test::screenshot(s, "rename-list-result.png");

                fx->sound.played.clear();
                s->rbPlusDir->setChecked(true);
                QVERIFY(s->memOldName->toPlainText().startsWith(d + "alpha.txt >> first one.txt <OK>\n" + d));
                test::screenshot(s, "rename-list-result-path.png");
                QApplication::setActiveWindow(s);
                QTest::keyClick(s->memNewName, Qt::Key_F9);
                QCOMPARE(fx->sound.played, (QList<int>{3, 3}));

                fx->ui.yesNo.enqueue(true);
                s->labResSpisClick();
                QVERIFY(!s->labResSpis->isVisible() && s->cbExtsS->isVisible() && s->rbNameOnly->isChecked());
                QCOMPARE(s->memOldName->toPlainText(), QStringLiteral("first one\nbeta\nGamma"));
                QTest::mouseClick(s->sbClose, Qt::LeftButton);
            });
            f.sbRulesClick();
        }
        QCOMPARE(names(d), (QStringList{"Gamma.log", "beta.txt", "first one.txt"}));
        // preview rows and table rows agree with the disk
        const QTreeWidgetItem *first = f.lvRen->topLevelItem(0);
        QCOMPARE(first->text(2), QStringLiteral("first one"));
        QCOMPARE(first->text(5), QStringLiteral("first one"));
        QCOMPARE(first->text(6), QStringLiteral("txt"));
        QCOMPARE(first->text(8), QStringLiteral("<OK>"));
        QCOMPARE(first->text(4), QStringLiteral("9 / 3 • %1").arg(d.size() + 13));
        QCOMPARE(f.lvRen->topLevelItem(1)->text(8), QStringLiteral("<Пропуск>"));
        QVERIFY(f.lvRen->topLevelItem(1)->text(5).isEmpty());
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("first one.txt"));
        QCOMPARE(t.at(0).entry.shortForm, test::shortForm(d + "first one.txt"));
        QCOMPARE(t.at(2).cells[ColName], QStringLiteral("Gamma.log"));
        QCOMPARE(t.at(1).cells[ColName], QStringLiteral("beta.txt"));

        // Reopened on two rows: the editor text is still there, the left side is rebuilt.
        f.lvRen->topLevelItem(0)->setSelected(false);
        {
            ModalAnswer answer([&](QWidget *w) {
                auto *s = qobject_cast<TRenSpisFrm *>(w);
                QCOMPARE(s->labOldName->text(), QStringLiteral("Список выделенных имен (2 шт.):"));
                QCOMPARE(s->memOldName->toPlainText(), QStringLiteral("beta\nGamma"));
                QCOMPARE(s->memNewName->toPlainText(), QStringLiteral("first one\n\nGamma"));
                QTest::mouseClick(s->sbTest, Qt::LeftButton);
                QVERIFY(fx->ui.lastText().startsWith("Число новых имен в редакторе (строк справа: 3)"));
                QTest::keyClick(s, Qt::Key_Escape);
            });
            f.sbRulesClick();
        }
        QCOMPARE(names(d).size(), 3);
    }

    // Folders: no extension box, and a folder renamed on disk.
    void folderFlavour()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        QVERIFY(QDir(d).mkdir("old"));
        TableModel t;
        AppendState st;
        QCOMPARE(appendPath(t, st, d + "old"), AppendResult::Added);
        TRenPrevForm f(t, ops, nullptr, true);
        QCOMPARE(f.fill({0}), 1);
        f.rbRenSpis->setChecked(true);
        f.lvRen->selectAll();
        {
            ModalAnswer answer([&](QWidget *w) {
                auto *s = qobject_cast<TRenSpisFrm *>(w);
                QVERIFY(!s->cbExtsS->isVisible());
                s->memNewName->setPlainText("new.d");
                fx->ui.yesNo.enqueue(true);
                s->sbFormatClick(2);
                QCOMPARE(s->memOldName->toPlainText(), QStringLiteral("old >> new.d <OK>"));
                // no closing while a run holds the shared busy state
                {
                    OperationContext::Scope batch(ops);
                    s->reject();
                    QVERIFY(s->isVisible());
                }
                s->reject();
            });
            f.sbRulesClick();
        }
        QCOMPARE(names(d), QStringList{"new.d"});
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("new.d"));
        QVERIFY(currentLog().opLog().at(0).endsWith(" Переименование, список (папок: 1)"));
    }
};

VT_TEST_MAIN(TestRenSpisFrm)
#include "tst_gui_renspisfrm.moc"
