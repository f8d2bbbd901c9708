#include "app/mainform.h"
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fakewindow.h"
#include "fileops/actform.h"
#include "fileops/clicklabel.h"
#include "fileops/core/deletefiles.h"
#include "fileops/dircreateform.h"
#include "fileops/core/recenttargets.h"
#include "fileops/rewriteform.h"
#include "fileops/showrewrinf.h"
#include "modalanswer.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "wholetexts.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace vt;

class FileopsWindowsTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString S, T;
    int caseNo = 0;

    QString make(const QString &p, const QByteArray &b, const QDateTime &when)
    {
        test::writeTestFile(p, b);
        QFile f(p);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(when, QFileDevice::FileModificationTime);
        return p;
    }
    void addRows(TableModel &t, const QStringList &paths)
    {
        AppendState st;
        for (const QString &p : paths)
            QCOMPARE(appendPath(t, st, p), AppendResult::Added);
    }
    // Three collisions (newer and bigger, equal, older) and one new file.
    void collisions(TableModel &t)
    {
        const QDateTime old(QDate(2020, 1, 1), QTime(10, 0, 0)), recent(QDate(2024, 5, 6), QTime(7, 8, 10));
        make(T + "отчёт.txt", "old", old);
        make(T + "same.txt", "SAME", recent);
        make(T + "photo.jpg", "much longer", recent);
        addRows(t, {make(S + "отчёт.txt", "newer!", recent), make(S + "same.txt", "same", recent),
                    make(S + "photo.jpg", "short", old), make(S + "new.txt", "n", recent)});
        t.setAllSelected(true);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
    }
    void init()
    {
        const QString root = data.path() + QStringLiteral("/c%1/").arg(++caseNo);
        S = root + "s/";
        T = root + "t/";
        QDir().mkpath(S);
        QDir().mkpath(T);
        QFile::remove(optPath() + "oldcm");
        settings().lcm = T;
    }

    void actionsWindowEnablingAndMenus()
    {
        test::FakeServices fx;
        TableModel t;
        const QDateTime when(QDate(2024, 1, 1), QTime(9, 0, 0));
        QStringList files;
        for (int i = 0; i < 22; ++i)
            files << make(S + QStringLiteral("f%1.txt").arg(i), "x", when);
        addRows(t, files);
        OperationContext ops;
        {
            TActfrm f(t, ops, {}, {});
            QCOMPARE(f.labInf->text(), QStringLiteral("Выделено файлов: 0 из 22, папок: 0 из 0\nВсего выделено: 0 из 22"));
            QVERIFY(!f.sbCopyFil->isEnabled() && !f.sbMoveFil->isEnabled() && !f.eDirCopyMove->isEnabled());
            QVERIFY(f.eDirCopyMove->text().isEmpty());
            QVERIFY(f.sbOpenWith->isEnabled() && f.sbSaveSpis->isEnabled());
        }
        t.setAllSelected(true);
        RecentTargets::SaveOldCM(S + "gone/");
        RecentTargets::SaveOldCM(T);
        TActfrm f(t, ops, {}, {});
        QVERIFY(f.sbCopyFil->isEnabled());
        QVERIFY(!f.sbOpenWith->isEnabled()); // more than 20 rows
        QCOMPARE(f.eDirCopyMove->text(), T);
        QCOMPARE(f.windowTitle(), QStringLiteral("Действия с файлами/папками"));
        QCOMPARE(f.sbRenFil->toolTip(), QStringLiteral("Множественное переименование файлов\nпо заданному правилу "
                                                       "или по списку.\nТолько для файлов, имеющих расширение."));
        // The recent folders fill once; the check drops the missing one.
        f.LoadOldCM();
        QCOMPARE(f.miOldCM[0]->text(), T);
        QCOMPARE(f.miOldCM[1]->text(), S + "gone/");
        QVERIFY(f.miProvOldCM->isVisible() && !f.miOldCM[2]->isVisible());
        fx.ui.yesNo << true;
        f.miProvOldCMClick();
        QCOMPARE(fx.ui.lastText(), "Удалить несуществующие папки (1 шт.)?\r\nПути папок:\r\n" + S + "gone/");
        QCOMPARE(readCp1251Lines(optPath() + "oldcm"), QStringList{T});
        QVERIFY(!f.miOldCM[1]->isVisible());
        f.miProvOldCMClick();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Не найдены несуществующие папки"));
        // Backup modes need a start folder.
        f.popCopyPopup();
        QVERIFY(f.miCopyModes[0]->isEnabled() && !f.miCopyModes[2]->isEnabled() && !f.miCopyModes[3]->isEnabled());
        f.sbCopyFilClick(true);
        QCOMPARE(fx.ui.lastText(), TActfrm::copyHelpText());
        QVERIFY(fx.ui.lastText().startsWith("Кнопка \"Копировать\" или п. \"Копировать с добавлением префиксов:\r"));
        // Operations of later parts only beep.
        const int beeps = fx.ui.beeps;
        f.sbDelFiles->click();
        f.sbRenFil->click();
        QCOMPARE(fx.ui.beeps, beeps + 2);
        // A text list in VTX has neither quotes nor the replacement string.
        f.cbKav->setChecked(true);
        f.rbSaveVTX->setChecked(true);
        QVERIFY(!f.cbKav->isChecked() && !f.cbKav->isEnabled() && !f.cbAls->isEnabled());
        f.rbSaveTXT->setChecked(true);
        f.show();
        QCOMPARE(test::cutTexts(&f), QStringList());
        test::screenshot(&f, "actions-window.png");
    }

    void copyFromTheWindowThroughTheReview()
    {
        test::FakeServices fx;
        TableModel t;
        collisions(t);
        OperationContext ops;
        ops.setEventPump([] {});
        TActfrm f(t, ops, {}, {});
        fx.ui.yesNo << true;
        bool checked = false;
        test::ModalAnswer review([&](QWidget *w) {
            auto *r = qobject_cast<TReWriteFrm *>(w);
            QVERIFY(r);
            QCOMPARE(r->windowTitle(), QStringLiteral("Перезапись, совпадающие имена: 3, всего копируется: 4"));
            QCOMPARE(r->lvRewr->topLevelItemCount(), 3);
            const QTreeWidgetItem *a = r->lvRewr->topLevelItem(0);
            QCOMPARE(a->text(0), QStringLiteral("отчёт.txt  [01.01.2020 10:00:00;  byte: 3]"));
            QVERIFY(a->text(4).endsWith("[НОВЕЕ]") && a->text(6).endsWith("[БОЛЬШЕ]"));
            QCOMPARE(a->checkState(0), Qt::Checked);
            QCOMPARE(r->lvRewr->topLevelItem(1)->checkState(0), Qt::Unchecked);
            QCOMPARE(r->rbRewrAll->text(), QStringLiteral("Пометить все (3)"));
            QVERIFY(r->labRewrEQ->isVisible() && !r->labRewrEQ->isEnabled());
            QVERIFY(!r->labRewrDirSrc->isVisible()); // mode 1
            // "Размер" stays in view; the long paths give up room.
            QCOMPARE(test::cutTexts(r, true), QStringList());
            // Taking out the equal pair, then ticking by hand.
            r->chooseRadio(r->rbRewrUser);
            QVERIFY(r->labRewrEQ->isEnabled());
            fx.ui.yesNo << true;
            r->labRewrEQClick();
            // The equal pair leaves the main table's selection at once.
            QCOMPARE(t.selectedRows(), QList<int>({0, 2, 3}));
            QCOMPARE(r->windowTitle(), QStringLiteral("Перезапись, файлов: 2, всего копируется: 3"));
            QCOMPARE(r->rbRewrAll->text(), QStringLiteral("Пометить все (2)"));
            r->chooseRadio(r->rbRewrAll);
            QCOMPARE(r->lvRewr->topLevelItem(1)->checkState(0), Qt::Checked);
            r->chooseRadio(r->rbRewrNewMain);
            QCOMPARE(r->lvRewr->topLevelItem(1)->checkState(0), Qt::Unchecked);
            int n = 0;
            const QStringList view = r->viewLines(1, &n);
            QCOMPARE(n, 1);
            QCOMPARE(view.mid(0, 3), QStringList({"--- 1 ---", "Файл-получатель (перезапишется):",
                                                  T + "отчёт.txt  [01.01.2020 10:00:00;  byte: 3]"}));
            r->sortBy(6, true); // by source size, descending
            QCOMPARE(r->lvRewr->topLevelItem(0)->text(2), S + "отчёт.txt");
            r->resize(900, r->height());
            test::screenshot(r, "review-window.png");
            checked = true;
            r->sbRewrApply->click();
        });
        f.CopyMove(Transfer::Copy, CopyMode::Overwrite);
        QVERIFY(checked);
        // The ticked one is replaced, the equal one and the older one are not copied.
        QCOMPARE(readCp1251Lines(optPath() + "oldcm"), QStringList{T});
        QFile a(T + "отчёт.txt");
        QVERIFY(a.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), QByteArray("newer!"));
        QVERIFY(QFileInfo::exists(T + "new.txt"));
        QCOMPARE(t.selectedRows(), QList<int>({0, 3}));
        QVERIFY(currentLog().opLog().first().endsWith("\r\n<Отмена копирования: 2>"));
    }

    void listWindowCreatesTheFoldersOnce()
    {
        test::FakeServices fx;
        TShowRewrInfFrm f(InfKind::NewDirs, T, {"a/", "a/b/", "c/"});
        QCOMPARE(f.windowTitle(), QStringLiteral("Показать несуществующие папки / создать"));
        QVERIFY(f.sbMkDir->isEnabled());
        f.show();
        test::screenshot(&f, "list-window-before.png");
        f.sbMkDir->click();
        QVERIFY(!f.sbMkDir->isEnabled());
        QVERIFY(QFileInfo(T + "a/b").isDir());
        QCOMPARE(f.memInf->toPlainText(),
                 T + "a/ <создана>\n" + T + "a/b/ <создана>\n" + T + "c/ <создана>");
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Всего папок: 3\rИз них существует: 0\rСоздано новых папок: 3"));
        test::screenshot(&f, "list-window.png");
        TShowRewrInfFrm other(InfKind::OtherFiles, QString(), {S + "x"});
        QCOMPARE(other.windowTitle(), QStringLiteral("Показать список остальных файлов для копирования"));
        QVERIFY(!other.sbMkDir->isVisibleTo(&other));
    }

    void deleteButtonClosesOrReopensTheWindow()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {make(S + "a.txt", "a", QDateTime(QDate(2024, 1, 1), QTime(1, 0)))});
        t.setAllSelected(true);
        OperationContext ops;
        QList<bool> asked;
        bool deleteSome = false;
        ActHooks a;
        TActfrm *form = nullptr;
        a.deleteFiles = [&](bool permanent) {
            asked << permanent;
            form->hide();
            return deleteSome;
        };
        TActfrm f(t, ops, {}, a);
        form = &f;
        {
            test::ModalAnswer first([&](QWidget *) { QTest::mouseClick(f.sbDelFiles, Qt::LeftButton); });
            f.exec();
        }
        QVERIFY(f.takeReopen());
        QVERIFY(!f.takeReopen());
        deleteSome = true;
        int code = -1;
        {
            test::ModalAnswer second([&](QWidget *) { QTest::mouseClick(f.sbDelFiles, Qt::LeftButton); });
            code = f.exec();
        }
        QCOMPARE(code, int(QDialog::Accepted));
        QVERIFY(!f.takeReopen());
        QCOMPARE(asked, QList<bool>({false, false}));
    }

    void folderCreationWindowAndSizeReport()
    {
        test::FakeServices fx;
        test::FakeContext fc;
        fc.window.favourite = T;
        // The focused row's folder is what the favourite window is offered.
        addRows(fc.table(), {make(S + "focused.txt", "f", QDateTime::currentDateTime())});
        QFile::remove(S + "focused.txt");
        fc.window.row = 0;
        TDirCreateFrm w(fc.ctx);
        w.showWindow();
        QCOMPARE(w.windowTitle(), QStringLiteral("Создать папки по списку"));
        // Shift without a created folder beeps; plain takes a favourite.
        w.sbIzbDirClick(true, false);
        QCOMPARE(fx.ui.beeps, 1);
        QTest::mouseClick(w.sbIzbDir, Qt::LeftButton);
        QCOMPARE(fc.window.favouriteCalls, QStringList{"|" + S});
        QCOMPARE(w.eDirForDirs->text(), T);
        w.memDirList->setPlainText("  Отчёты 2024 \nотчёты 2024\nфото: лето\n");
        fx.ui.yesNo << true;
        QTest::mouseClick(w.sbCreateDir, Qt::LeftButton);
        QVERIFY(QFileInfo(T + "Отчёты 2024").isDir() && QFileInfo(T + "фото лето").isDir());
        QCOMPARE(w.memDirList->toPlainText(), QStringLiteral("Отчёты 2024\nфото лето"));
        QCOMPARE(w.labDirRes->text(), QStringLiteral("Создать папки: результат 2 из 2"));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Создать папки: результат 2 из 2"));
        // The texts stay for the next opening; Shift now gives the folder back.
        w.close();
        w.eDirForDirs->clear();
        w.state().folder.clear();
        w.sbIzbDirClick(true, false);
        QCOMPARE(w.eDirForDirs->text(), T);
        w.showWindow();
        QCOMPARE(w.memDirList->toPlainText(), QStringLiteral("Отчёты 2024\nфото лето"));
        QVERIFY(w.memDirRes->toPlainText().contains(T + "фото лето <Папка создана>"));
        test::screenshot(&w, "folder-creation.png");

        TableModel t;
        addRows(t, {make(S + "big.bin", QByteArray(1536, 'b'), QDateTime(QDate(2024, 1, 1), QTime(1, 0))),
                    make(S + "small.txt", QByteArray(100, 's'), QDateTime(QDate(2024, 1, 1), QTime(1, 0)))});
        t.setSelected(0, true);
        OperationContext ops;
        FileDeleter(t, ops).reportSizes();
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Выделено файлов: 1\r\nБайт: 1536\r\nКБ: 1,50\r\n-----------------"
                                                  "\r\nВсего файлов: 2\r\nБайт: 1636\r\nКБ: 1,60"));
        QMessageBox box(QMessageBox::Information, QStringLiteral("Vestrada"),
                        fx.ui.lastText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")), QMessageBox::Ok);
        box.show();
        test::screenshot(&box, "size-report.png");
    }

    void commandsOfDeletingAndFolders()
    {
        test::FakeServices fx;
        TFileForm form;
        addRows(*form.ListView->tableModel(), {make(S + "a.txt", "a", QDateTime(QDate(2024, 1, 1), QTime(1, 0)))});
        form.commands().run(QStringLiteral("fileops.selectEmpty"));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("В таблице нет папок"));
        form.commands().run(QStringLiteral("fileops.emptyFolders"));
        QVERIFY(fx.ui.lastText().startsWith("Для удаления выделите в таблице от 1 до 1000 папок."));
        fx.ui.inputs.enqueue(QString("   "));
        form.commands().run(QStringLiteral("fileops.checkPath"));
        QCOMPARE(fx.ui.beeps, 0);
    }

    void f6OpensTheActionsWindow()
    {
        test::FakeServices fx;
        TFileForm form;
        form.show();
        addRows(*form.ListView->tableModel(), {make(S + "a.txt", "a", QDateTime(QDate(2024, 1, 1), QTime(1, 0)))});
        bool seen = false;
        test::ModalAnswer act([&](QWidget *w) {
            seen = qobject_cast<TActfrm *>(w) != nullptr;
            static_cast<QDialog *>(w)->reject();
        });
        form.commands().run(QStringLiteral("fileops.actions"));
        QVERIFY(seen);
    }
};

VT_TEST_MAIN(FileopsWindowsTest)
#include "tst_gui_fileops.moc"
