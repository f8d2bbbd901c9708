#include "app/mainform.h"
#include "base/appdirs.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "lists/core/listcontroller.h"
#include "lists/savevtxform.h"
#include "modalanswer.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

// The VTX save dialog's keys, and a VTX list opened with Ctrl+2 and saved
// back with relative names through it.
class TextListWindowTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;

    // The dialog answered by keys; its answer and the relative choice.
    QPair<int, bool> answerByKeys(const QList<QPair<int, Qt::KeyboardModifiers>> &keys)
    {
        bool relative = true;
        int r = -1;
        {
            test::ModalAnswer answer([&keys](QWidget *w) {
                for (const auto &k : keys)
                    QTest::keyClick(w, Qt::Key(k.first), k.second);
            });
            r = VprVtx(root + "l.vtx", false, &relative, nullptr);
        }
        return {r, relative};
    }

private slots:
    void initTestCase()
    {
        root = data.path() + "/";
        test::writeTestFile(root + "L/a.txt", "x");
        test::writeTestFile(root + "L/sub/b.txt", "x");
    }

    void keysOfTheSaveDialog()
    {
        test::FakeServices fx;
        const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier;
        // Ctrl+S before any choice saves full paths.
        QCOMPARE(answerByKeys({{Qt::Key_S, ctrl}}), qMakePair(6, false));
        QCOMPARE(answerByKeys({{Qt::Key_F2, none}, {Qt::Key_S, ctrl}}), qMakePair(6, true));
        QCOMPARE(answerByKeys({{Qt::Key_F2, none}, {Qt::Key_F1, none}, {Qt::Key_S, ctrl}}), qMakePair(6, false));
        QCOMPARE(answerByKeys({{Qt::Key_F2, none}, {Qt::Key_N, ctrl}}), qMakePair(7, true));
        QCOMPARE(answerByKeys({{Qt::Key_F2, none}, {Qt::Key_Escape, none}}).first, 2);
        QCOMPARE(fx.sound.played, (QList<int>{3, 3, 3, 3, 3}));
    }

    void openWithCtrl2AndSaveRelative()
    {
        test::FakeServices fx;
        test::MainWindow main;
        main.start(QSize(754, 460));
        TFileForm &form = *main.form;
        const QString list = root + "L/list.vtx";
        test::writeTestFile(list, "a.txt\r\n\"sub/b.txt\"\r\n");
        fx.ui.files << list;
        main.press(Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(form.ListView->tableModel()->size(), 2);
        QCOMPARE(form.lists().kind(), ListKind::Vtx);
        QCOMPARE(form.lists().groupCaption(), QStringLiteral("Открыт список VTX / M3U: list.vtx"));

        form.lists().SetlabChanSpis(ChangedState::Changed);
        fx.ui.yesNo << false; // no renumbering
        {
            test::ModalAnswer answer([](QWidget *w) {
                auto *f = static_cast<TSaveVtxFrm *>(w);
                QCOMPARE(f->objectName(), QStringLiteral("TSaveVtxFrm"));
                QVERIFY(!f->sbYes->isEnabled());
                QVERIFY(f->labWrn->isHidden());
                QVERIFY(f->eNm->text().endsWith("L/list.vtx"));
                test::screenshot(f, "savevtx.png");
                QTest::keyClick(f, Qt::Key_F2);
                QVERIFY(f->sbYes->isEnabled() && f->rbOtn->isChecked());
                f->sbYes->click();
            });
            form.lists().saveOpenList();
        }
        QCOMPARE(readWholeFile(list), "a.txt\r\n" + toCp1251(root + "L/sub/b.txt") + "\r\n");
        QVERIFY(!form.lists().changed());
    }
};

VT_TEST_MAIN(TextListWindowTest)
#include "tst_gui_textlists.moc"
