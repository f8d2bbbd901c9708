#include "app/helpform.h"
#include "app/mainform.h"
#include "app/qtservices.h"
#include "base/appdirs.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fileops/actform.h"
#include "modalanswer.h"
#include "shell/core/openwith.h"
#include "shell/openwithform.h"
#include "shell/svvform.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "widgets/keystate.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>
#include <QTreeWidget>
#include <optional>

using namespace vt;

class ShellWindowsTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;
    test::FakeServices *fx = nullptr;

    QString file(const QString &rel, const QByteArray &bytes = "x")
    {
        const QString p = home->filePath(rel);
        test::writeTestFile(p, bytes);
        return p;
    }
    QString program(const QString &rel)
    {
        // Windows runs what ends in .exe
        const QString p = file(test::kWindows ? rel + ".exe" : rel, "#!/bin/sh\n");
        QFile(p).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return p;
    }
    void storePrograms(const QStringList &paths)
    {
        QVERIFY(GetOptPath());
        QVERIFY(writeCp1251Lines(ProgramList::storePath(), paths));
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
        setKeyStateForTest(std::nullopt);
        delete fx;
        home.reset();
    }

    void openWithSendsPathsAndParameterAsArguments()
    {
        const QString viewer = program("bin/viewer"), editor = program("bin/editor");
        storePrograms({viewer, home->filePath("bin/gone"), editor});
        const QStringList paths{file("d/one file.txt"), file("d/-rf")};
        TOpenWithForm f(false, paths, "7");
        test::screenshot(&f, "open-with-window.png");
        QCOMPARE(f.windowTitle(), "Открыть с помощью...");
        QCOMPARE(f.eFile->text(), "\"" + paths[0] + "\" \"" + paths[1] + "\"");
        QCOMPARE(f.lvExec->topLevelItemCount(), 2);
        QCOMPARE(f.lvExec->topLevelItem(1)->text(0), QFileInfo(editor).fileName());
        QCOMPARE(f.lvExec->topLevelItem(1)->text(1), editor);
        QVERIFY(f.butDefExec->isHidden());   // more than one path
        QVERIFY(f.labAddPage->isHidden());   // Page only for one path
        QVERIFY(!f.eAddParam->isEnabled());

        // No program chosen: a beep and nothing runs.
        f.butApply->click();
        QCOMPARE(fx->ui.beeps, 1);
        f.cbAddParam->setChecked(true);
        QVERIFY(f.eAddParam->isEnabled() && !f.sbParamMenu->isHidden());
        f.eAddParam->setText("-p");
        f.selectProgram(0);
        fx->ui.yesOk << YesOk::Ok;
        f.butApply->click();
        QCOMPARE(fx->shell.runs.size(), 1);
        QCOMPARE(fx->shell.runs[0].first, viewer);
        QCOMPARE(fx->shell.runs[0].second, (QStringList{"-p", paths[0], paths[1]}));
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(recentParams().list(), QStringList{"-p"});

        // The next window starts with the newest recent parameter.
        TOpenWithForm g(true, {paths[0]}, "7");
        QCOMPARE(g.eAddParam->text(), "-p");
        QCOMPARE(g.miRecent[0]->text(), "-p");
        QVERIFY(!g.miRecent[1]->isEnabled());
        QCOMPARE(g.miRecent[1]->text(), "<нет>");
        QVERIFY(!g.butDefExec->isHidden());
        QCOMPARE(g.eFile->toolTip(), "7");
        g.cbAddParam->setChecked(true);
        g.eAddParam->setCursorPosition(0);
        g.labAddPageClick();
        QCOMPARE(g.eAddParam->text(), "7-p");
    }

    void programListEditing()
    {
        const QString viewer = program("bin/viewer"), other = program("bin/other");
        const QString text = file("notes.txt");
        storePrograms({viewer});
        TOpenWithForm f(true, {text}, QString());
        fx->ui.files << viewer << text << other;
        f.butAddClick();
        QCOMPARE(fx->ui.lastText(), "Программа уже есть в списке:\r" + viewer);
        f.butAddClick();
        QCOMPARE(fx->ui.lastText(), "Файл не является программой:\r" + text);
        f.butAddClick();
        QCOMPARE(f.lvExec->topLevelItemCount(), 2);
        QCOMPARE(readCp1251Lines(ProgramList::storePath()), (QStringList{viewer, other}));
        QCOMPARE(fx->sound.played, QList<int>{2});

        f.butDelClick(); // nothing selected
        QCOMPARE(fx->ui.beeps, 1);
        f.lvExec->selectAll();
        fx->ui.yesNo << false << true;
        f.butDelClick();
        QCOMPARE(f.lvExec->topLevelItemCount(), 2);
        f.selectProgram(0);
        f.butDelClick();
        QCOMPARE(fx->ui.lastText(), "Удалить выделенные строчки (1 шт.) из таблицы?");
        QCOMPARE(readCp1251Lines(ProgramList::storePath()), QStringList{other});

        // The list's popup follows the selection and the parameter.
        f.selectProgram(0);
        f.popExecPopup();
        QVERIFY(f.miRun->isEnabled() && f.miFolder->isEnabled() && !f.miRunParam->isEnabled());
        f.cbAddParam->setChecked(true);
        f.eAddParam->setText("--x");
        f.popExecPopup();
        QVERIFY(f.miRunParam->isEnabled());
    }

    void iconPictureGoesToThisProgramsFolder()
    {
        // The picture of a program's icon is this program's file: never written beside the program shown.
        const QString viewer = program("bin/viewer");
        storePrograms({viewer});
        for (int i = 0; i < 100; ++i)
            file(QString("old%1.%2").arg(i).arg(i % 2 ? "bmp" : "BMP"));
        TOpenWithForm f(true, {viewer}, QString());
        f.labFileClick(); // no program selected
        QCOMPARE(fx->ui.beeps, 1);
        f.selectProgram(0);
        fx->clock.t = QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9));
        fx->ui.yesOk << YesOk::Ok;
        fx->ui.yesNo << true;
        f.labFileClick();
        const QString bmp = home->filePath("2026-05-06_07-08-09.bmp");
        QCOMPARE(fx->ui.calls[0].text, "Сохранить рисунок BMP. Выберите размер:\r[YES]: 32 x 32\r[OK] : 16 x 16");
        QCOMPARE(fx->ui.lastText(),
                 "Рисунок BMP 16 x 16 сохранен в файле:\r" + bmp + "\rОткрыть проводник в папку программы?");
        QImage img;
        QVERIFY(img.load(bmp, "BMP"));
        QCOMPARE(img.size(), QSize(16, 16));
        QCOMPARE(fx->shell.opened, QStringList{programDir()});
        QCOMPARE(QDir(home->filePath("bin")).entryList({"*.bmp"}, QDir::Files), QStringList());

        // Now 101 pictures: asked, nothing written either way.
        fx->ui.clear();
        fx->ui.stopAnswers << false;
        f.labFileClick();
        QCOMPARE(fx->ui.calls.size(), 1);
        QCOMPARE(fx->ui.calls[0].title, "Проверка числа файлов");
        QVERIFY(fx->ui.calls[0].text.contains("\".BMP\" (101 шт.) превышает 100."));
        QCOMPARE(QDir(home->path()).entryList({"*.bmp"}, QDir::Files).size(), 101);
    }

    void propertiesWindow()
    {
        const QString doc = file("d/report.txt");
        QList<bool> deletes;
        SvvHooks h;
        h.del = [&](bool permanent) {
            deletes << permanent;
            return true;
        };
        Tsvvfrm f(h);
        f.InitTxt(doc);
        test::screenshot(&f, "properties-window.png");
        QCOMPARE(f.windowTitle(), "Свойства");
        QCOMPARE(f.labFName->text(), QString("Файл: (%1 симв.)").arg(doc.size()));
        QCOMPARE(f.labNm->text(), "Имя: (10 симв.)");
        QCOMPARE(f.e83->text(), test::shortForm(doc));
        QVERIFY(f.sbSvva->toolTip().startsWith("Если использовать окно свойств для переименования"));

        fx->shell.answer = false;
        f.sbSvvaClick();
        QCOMPARE(fx->shell.propertiesOf, QStringList{doc});
        QCOMPARE(fx->ui.lastText(), "Ошибка открытия");
        f.sbRenClick(); // the quick rename is not wired here: a beep
        QCOMPARE(fx->ui.beeps, 1);
        f.sbSendToClick();
        QCOMPARE(fx->ui.beeps, 2);
        f.sbDelFileClick(true);
        QCOMPARE(deletes, QList<bool>{true});

        // A file already gone closes the window without deleting.
        Tsvvfrm g(h);
        g.InitTxt(home->filePath("d/gone.txt"));
        g.show();
        g.sbDelFileClick(false);
        QCOMPARE(deletes.size(), 1);
        QVERIFY(!g.isVisible());

        // A renamed file shows its new path; an emptied path closes.
        QStringList renamed{home->filePath("d/new name.txt"), QString()};
        h.rename = [&](QString &path) {
            path = renamed.takeFirst();
            return !path.isEmpty();
        };
        Tsvvfrm r(h);
        r.InitTxt(doc);
        r.show();
        r.sbRenClick();
        QCOMPARE(r.eNm->text(), "new name.txt");
        QCOMPARE(r.labNm->text(), "Имя: (12 симв.)");
        r.sbRenClick();
        QVERIFY(!r.isVisible());

        // A folder, and the view-only form of the preview.
        Tsvvfrm d(h);
        d.InitTxt(home->path());
        d.setFolder(true);
        QVERIFY(d.labFName->text().startsWith("Папка: ("));
        QVERIFY(!d.sbRen->isEnabled() && !d.sbDelFile->isEnabled());
        d.setViewOnly(true);
        QVERIFY(d.sbShowAct->isHidden());
        d.sbShowActClick();
        QCOMPARE(d.result(), SvvResult::Closed);
    }

    void mainWindowCommands()
    {
        test::MainWindow main;
        main.start(QSize(), test::MainWindow::WaitForActivation);
        TFileForm *form = main.form.get();
        TableModel *m = form->ListView->tableModel();
        AppendState st;
        QStringList paths;
        for (int i = 0; i < 21; ++i)
            paths << file(QString("rows/f%1.txt").arg(i, 2, 10, QChar('0')));
        for (const QString &p : paths)
            QCOMPARE(appendPath(*m, st, p), AppendResult::Added);
        m->setSelected(3, true);
        form->ListView->syncSelectionFromModel();
        fx->sound.played.clear();

        // F8: Yes opens the file.
        fx->ui.yesOk << YesOk::Yes;
        form->SetF8(false, false);
        QCOMPARE(fx->ui.lastText(), "Файл/папка:\r" + paths[3]
                                        + "\r---\rВыберите действие:\r[Yes]: выполнить файл/папку\r[OK]: открыть с помощью");
        QCOMPARE(fx->shell.opened, QStringList{paths[3]});
        // Shift+F8 whose start fails goes on to the open-with window.
        fx->shell.answer = false;
        {
            test::ModalAnswer w([&](QWidget *d) {
                auto *o = qobject_cast<TOpenWithForm *>(d);
                QVERIFY(o);
                QCOMPARE(o->eFile->text(), "\"" + paths[3] + "\"");
                o->reject();
            });
            form->SetF8(true, false);
        }
        // The desktop answers later: the open-with window follows then, but not
        // while another operation runs (the failure beeps).
        fx->shell.deferred = true;
        form->SetF8(true, false);
        QVERIFY(!QApplication::activeModalWidget());
        {
            test::ModalAnswer w([&](QWidget *d) {
                QVERIFY(qobject_cast<TOpenWithForm *>(d));
                static_cast<QDialog *>(d)->reject();
            });
            fx->shell.answerPending(false);
        }
        form->SetF8(true, false);
        {
            test::NoModal none;
            OperationContext::Scope busy(form->operation());
            const int beeps = fx->ui.beeps;
            fx->shell.answerPending(false);
            QCOMPARE(fx->ui.beeps, beeps + 1);
        }
        fx->shell.deferred = false;
        fx->shell.answer = true;
        // Shift + explorer button: the file shown selected, then the window minimises.
        form->commands().run("shell.findInExplorer");
        QCOMPARE(fx->shell.shown, QStringList{paths[3]});
        QTRY_VERIFY(form->isMinimized());
        form->showNormal();
        form->commands().run("shell.explorer");
        QCOMPARE(QDir::cleanPath(fx->shell.opened.last()), home->filePath("rows"));

        // F9, "Действия": the actions window follows; 21 rows cannot be sent.
        m->setAllSelected(true);
        form->ListView->syncSelectionFromModel();
        fx->ui.calls.clear();
        form->SetF9(false, false); // not exactly one row
        QCOMPARE(fx->ui.lastText(), "Не выделена строчка в таблице");
        m->setAllSelected(false);
        m->setSelected(0, true);
        form->ListView->syncSelectionFromModel();
        {
            // The actions window opens once the properties window has closed.
            std::optional<test::ModalAnswer> act;
            test::ModalAnswer props([&](QWidget *d) {
                auto *s = qobject_cast<Tsvvfrm *>(d);
                QVERIFY(s);
                QCOMPARE(s->eFName->text(), paths[0]);
                act.emplace([](QWidget *w) {
                    auto *a = qobject_cast<TActfrm *>(w);
                    QVERIFY(a);
                    QVERIFY(a->sbOpenWith->isEnabled());
                    a->reject();
                });
                s->sbShowAct->click();
            });
            form->SetF9(false, false);
        }
        m->setAllSelected(true);
        form->ListView->syncSelectionFromModel();
        {
            test::ModalAnswer act([&](QWidget *d) {
                auto *a = qobject_cast<TActfrm *>(d);
                QVERIFY(a);
                QVERIFY(!a->sbOpenWith->isEnabled());
                a->reject();
            });
            form->SetF6(false, false);
        }
        // 20 rows: sent to the program in table order, and done closes the actions window.
        const QString viewer = program("bin/viewer");
        storePrograms({viewer});
        m->setSelected(20, false);
        form->ListView->syncSelectionFromModel();
        {
            test::ModalAnswer act([&](QWidget *d) {
                auto *a = qobject_cast<TActfrm *>(d);
                QVERIFY(a);
                test::ModalAnswer ow([&](QWidget *w) {
                    auto *o = qobject_cast<TOpenWithForm *>(w);
                    QVERIFY(o);
                    QVERIFY(o->butDefExec->isHidden());
                    o->selectProgram(0);
                    o->butApply->click();
                });
                a->sbOpenWith->click();
            });
            form->SetF6(false, false);
        }
        QCOMPARE(fx->shell.runs.last().first, viewer);
        QCOMPARE(fx->shell.runs.last().second, paths.mid(0, 20));
    }
};

VT_TEST_MAIN(ShellWindowsTest)
#include "tst_gui_shell.moc"
