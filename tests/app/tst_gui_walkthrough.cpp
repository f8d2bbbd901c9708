// A user's session through the real main window under X (Linux) or Qt's
// windows plugin (Windows, under Wine): search the last ten minutes, mark,
// copy, copy again (prefixed names), rename by a preset, trash one file, save
// a VTL list, quit, and start again with the list as the parameter. Then the
// disk, the trash, the list and the saved logs are checked. With
// VESTRADA_SCREENSHOT_DIR set, each step's window is saved there.
#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fileops/actform.h"
#include "lists/core/listfolder.h"
#include "modalanswer.h"
#include "platform/dirreader.h"
#include "rename/core/renpresets.h"
#include "rename/renameform.h"
#include "rename/renprevform.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "widgets/keystate.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;

namespace {

QStringList names(const TableModel &m)
{
    QStringList out;
    for (int i = 0; i < m.size(); ++i)
        out << m.at(i).cells[ColName];
    out.sort();
    return out;
}

} // namespace

class WalkthroughTest : public QObject {
    Q_OBJECT

private slots:
    void searchCopyRenameTrashSaveAndReopen()
    {
        const QString platform = QGuiApplication::platformName();
        if (platform != QLatin1String("xcb") && platform != QLatin1String("windows"))
            QSKIP("needs an X server (run through xvfb-run)");
        auto shot = [](QWidget *w, const char *name) { test::screenshot(w, QString::fromLatin1(name) + QStringLiteral(".png")); };
        test::TestHome home;
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", (data.path() + "/share").toUtf8());
        const QString tree = data.path() + "/tree/";
        const QString target = data.path() + "/target/";
        QDir().mkpath(target);
        for (const char *n : {"a.txt", "b.txt", "c.txt"})
            test::writeTestFile(tree + n, QByteArray("text of ") + n);

        test::FakeServices fx;
        fx.clock.t = QDateTime::currentDateTime().addSecs(1); // the files were just written
        setKeyStateForTest(Qt::NoModifier);
        auto form = std::make_unique<TFileForm>();
        form->setHelpForm(new THelpForm(form.get()));
        form->show();
        // No window manager under xvfb-run: the window takes the focus itself.
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_VERIFY(form->activated());
        auto key = [&](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QWidget *w = form->focusWidget() ? form->focusWidget() : form.get();
            QTest::keyClick(w, Qt::Key(k), m);
        };
        TableModel *m = form->ListView->tableModel();

        // Search: the last ten minutes in the tree.
        form->panTop->setFolderText(tree);
        key(Qt::Key_F12, Qt::ShiftModifier);
        fx.ui.yesNo << true;
        key(Qt::Key_F12);
        QTRY_VERIFY(!form->busy());
        QVERIFY2(fx.ui.lastText().startsWith(QStringLiteral("Поиск завершен")), qPrintable(fx.ui.texts().join('|')));
        QCOMPARE(names(*m), (QStringList{"a.txt", "b.txt", "c.txt"}));
        shot(form.get(), "1-search");

        // Mark everything and copy it through the actions window.
        QTest::mouseClick(form->sbSelall, Qt::LeftButton);
        QCOMPARE(m->selectedCount(), 3);
        // The copy target as the favourites window leaves it. The second
        // copy finds the names taken and puts a prefix in front.
        settings().lcm = target;
        for (const char *step : {"2-copy", "3-copy-with-prefixes"}) {
            test::ModalAnswer act([&](QWidget *w) {
                auto *a = qobject_cast<TActfrm *>(w);
                QVERIFY(a);
                QCOMPARE(a->eDirCopyMove->text(), target);
                fx.ui.yesNo << true;
                // The copy ends by showing its log.
                test::ModalAnswer log([&](QWidget *l) {
                    shot(l, step);
                    l->close();
                });
                a->sbCopyFil->click();
                if (a->isVisible())
                    a->reject();
            });
            key(Qt::Key_F6);
        }
        QVERIFY2(QFile::exists(target + "a.txt"), qPrintable(fx.ui.texts().join('|')));
        for (const char *n : {"a.txt", "b.txt", "c.txt"}) {
            QCOMPARE(readWholeFile(target + n), QByteArray("text of ") + n);
            QCOMPARE(readWholeFile(target + "001-" + n), QByteArray("text of ") + n);
        }

        // Rename them by preset 1, saved in an earlier session: "w-" in front.
        TRenRule preset;
        InitRulesDef(preset);
        preset.Descr = QStringLiteral("Префикс w-");
        preset.Pref1 = QStringLiteral("w-");
        preset.ObrFlags = 1;
        RenPresets store;
        QVERIFY(store.InitFileRules() && store.write(1, preset));
        {
            test::ModalAnswer act([&](QWidget *w) {
                auto *a = qobject_cast<TActfrm *>(w);
                QVERIFY(a);
                test::ModalAnswer preview([&](QWidget *p) {
                    auto *prev = qobject_cast<TRenPrevForm *>(p);
                    QVERIFY(prev);
                    {
                        test::ModalAnswer rules([&](QWidget *r) {
                            auto *editor = qobject_cast<TRenameForm *>(r);
                            QVERIFY(editor);
                            fx.ui.yesNo << true; // "Установить пресету номер 1 ...?"
                            QTest::mouseClick(editor->sbPres[0], Qt::LeftButton);
                            QCOMPARE(editor->ePref1->text(), QStringLiteral("w-"));
                            QTest::mouseClick(editor->sbOK, Qt::LeftButton);
                        });
                        QTest::mouseClick(prev->sbRules, Qt::LeftButton);
                    }
                    QTest::mouseClick(prev->sbSelall, Qt::LeftButton);
                    fx.ui.titledAnswers << true;
                    QTest::mouseClick(prev->sbRename, Qt::LeftButton);
                    QCOMPARE(fx.ui.lastText(), QStringLiteral("Результат: 3 из 3"));
                    shot(prev, "4-rule-rename");
                    prev->reject();
                });
                QTest::mouseClick(a->sbRenFil, Qt::LeftButton);
            });
            key(Qt::Key_F6);
        }
        QCOMPARE(names(*m), (QStringList{"w-a.txt", "w-b.txt", "w-c.txt"}));
        for (const char *n : {"a.txt", "b.txt", "c.txt"})
            QCOMPARE(readWholeFile(tree + "w-" + n), QByteArray("text of ") + n);

        // One file to the trash.
        int c = -1;
        for (int i = 0; i < m->size(); ++i)
            if (m->at(i).cells[ColName] == QLatin1String("w-c.txt"))
                c = i;
        m->setAllSelected(false);
        m->setSelected(c, true);
        form->ListView->syncSelectionFromModel();
        fx.ui.titledAnswers << true;
        key(Qt::Key_F9, Qt::ControlModifier);
        QVERIFY(!QFile::exists(tree + "w-c.txt"));
        if (!test::kWindows) { // Windows' recycle bin is the system's, not one of the test
            const QString trash = data.path() + "/share/Trash/";
            QCOMPARE(readWholeFile(trash + "files/w-c.txt"), QByteArray("text of c.txt"));
            QVERIFY(readWholeFile(trash + "info/w-c.txt.trashinfo").contains("Path=" + fs::nativePath(tree) + "w-c.txt"));
        }
        QCOMPARE(names(*m), (QStringList{"w-a.txt", "w-b.txt"}));
        shot(form.get(), "5-delete-to-recycle-bin");

        // Save the rows as a VTL list, then quit.
        QTest::mouseClick(form->sbSelall, Qt::LeftButton);
        fx.ui.yesOk << YesOk::Yes;
        // The list window asks for the name as it opens and closes with it.
        fx.ui.inputs << QStringLiteral("walk");
        key(Qt::Key_F6, Qt::ControlModifier);
        const QString list = listsFolder() + "walk.vtl";
        // Two 264-byte records: length byte at 8, the path from 9.
        const QByteArray bytes = readWholeFile(list);
        QCOMPARE(bytes.size(), 2 * 264);
        QStringList stored;
        for (int r = 0; r < 2; ++r)
            stored << fromCp1251(bytes.mid(r * 264 + 9, quint8(bytes[r * 264 + 8])));
        stored.sort();
        QCOMPARE(stored, (QStringList{tree + "w-a.txt", tree + "w-b.txt"}));
        QVERIFY(form->close());
        form.reset();

        // Start again with the list as the parameter.
        form = std::make_unique<TFileForm>();
        form->setParameters({list});
        form->show();
        QTRY_VERIFY(form->activated());
        QTRY_COMPARE(names(*form->ListView->tableModel()), (QStringList{"w-a.txt", "w-b.txt"}));
        QCOMPARE(form->lists().path(), list);

        // The copy, the rename and the trash left their saved logs.
        const QString copyLog = fromCp1251(readWholeFile(optPath() + "c1"));
        QVERIFY2(copyLog.contains(QStringLiteral("Результат: 3 из 3")), qPrintable(copyLog));
        const QString renLog = fromCp1251(readWholeFile(optPath() + "r1"));
        QVERIFY2(renLog.contains(QStringLiteral("w-a.txt")) && renLog.contains(QStringLiteral("Результат: 3 из 3")),
                 qPrintable(renLog));
        const QString delLog = fromCp1251(readWholeFile(optPath() + "e1"));
        QVERIFY2(delLog.contains(QStringLiteral("w-c.txt")), qPrintable(delLog));
        form.reset();
        setKeyStateForTest(std::nullopt);
    }
};

VT_TEST_MAIN(WalkthroughTest)
#include "tst_gui_walkthrough.moc"
