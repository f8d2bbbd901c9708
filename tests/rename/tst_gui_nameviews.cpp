#include "base/appdirs.h"
#include "base/currentlog.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "rename/colviewform.h"
#include "rename/nameform.h"
#include "rename/prosmform.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace vt;
using namespace vt::test;

namespace {

// Relative to /data/: two files in "x/", the folder "x" and its sub-folder, all selected.
void fill(TableModel &t)
{
    t.setStartFolder(QStringLiteral("/data/"));
    t.appendRow(fileRow(1, "x/", "b.txt", 10));
    t.appendRow(fileRow(2, "x/", "README", 20));
    t.appendRow(dirRow(3, "", "x"));
    t.appendRow(dirRow(4, "x/", "sub"));
    t.setAllSelected(true);
}

void bigTable(TableModel &t, int rows)
{
    t.reserve(rows);
    for (int i = 0; i < rows; ++i)
        t.appendRow(fileRow(i + 1, "/d/", QStringLiteral("f%1.txt").arg(i), 1));
    t.setAllSelected(true);
}

QString text(QPlainTextEdit *m) { return m->toPlainText(); }

} // namespace

class TestNameViewWindows : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;

    void shot(QWidget *w, const char *name)
    {
        if (test::screenshotDir().isEmpty())
            return;
        w->show();
        QTest::qWait(20);
        test::screenshot(w, QLatin1String(name));
    }

private slots:
    void init() { fx = std::make_unique<FakeServices>(); }
    void cleanup() { fx.reset(); }

    void splitterWindow()
    {
        splitterOptions() = {};
        TNameForm f;
        QVERIFY(f.cbAdd->isChecked() && !f.cbServInf->isChecked());
        f.sbDot->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Поле редактора не содержит текста"));
        f.setEditorLines(QStringList(5001, QStringLiteral("a.b")));
        f.sbDot->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Число строк в редакторе больше 5000"));
        QCOMPARE(memoLines(text(f.memEdit)).size(), 5001);

        f.setEditorLines({"C:\\a\\b.txt", "C:\\a\\B.TXT", "C:\\a.b\\c"});
        fx->ui.clear();
        f.sbDot->click();
        QCOMPARE(text(f.memRig), QStringLiteral("txt"));
        QCOMPARE(text(f.memEdit), QStringLiteral("C:\\a.b\\c\nC:\\a\\b"));
        QCOMPARE(fx->sound.played, QList<int>{2});
        QVERIFY(fx->ui.calls.isEmpty());
        // Nothing left to cut at a dot: the editor stays, the result too.
        f.sbDot->click();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Нет результата"));
        QCOMPARE(text(f.memRig), QStringLiteral("txt"));
        shot(&f, "name-splitter.png");

        // Service text, then appending after an empty line.
        f.cbServInf->setChecked(true);
        f.sbSleshLeft->click();
        QCOMPARE(text(f.memLef), QStringLiteral("<До СЛЕША>\nC:"));
        QCOMPARE(text(f.memEdit), QStringLiteral("a.b\\c\na\\b"));
        f.sbSleshLeft->click();
        QCOMPARE(text(f.memLef), QStringLiteral("<До СЛЕША>\nC:\n\n<До СЛЕША>\na\na.b"));
        // Without "Добавлять" the target is replaced.
        f.cbAdd->setChecked(false);
        f.cbServInf->setChecked(false);
        f.setEditorLines({"/p/q", "/p/r"});
        f.sbSleshRig->click();
        QCOMPARE(text(f.memRig), QStringLiteral("q\nr"));
        QCOMPARE(text(f.memEdit), QStringLiteral("/p"));

        // Clipboard, clearing, help.
        fx->sound.played.clear();
        f.sbCopyLef->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), text(f.memLef));
        f.sbClearLeft->click();
        QVERIFY(text(f.memLef).isEmpty());
        const int beeps = fx->ui.beeps;
        f.sbClearLeft->click();
        f.sbCopyLef->click();
        QCOMPARE(fx->ui.beeps, beeps + 2);
        QGuiApplication::clipboard()->setText(QStringLiteral("u/v\nw"));
        f.sbPaste->click();
        QCOMPARE(text(f.memEdit), QStringLiteral("u/v\nw"));
        QCOMPARE(fx->sound.played, (QList<int>{2, 2, 3}));
        f.sbHelpClick(true);
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Информация"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Число строк в редакторе: 2\r\n\r\nВ результате слева: 0"
                                                   "\r\n\r\nВ результате справа: 2"));
        f.sbHelpClick(false);
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Справка по разделителю имен"));
        QVERIFY(fx->ui.lastText().endsWith("имена сортируются по алфавиту."));

        // The options outlive the window for the run.
        f.reject();
        TNameForm g;
        QVERIFY(!g.cbAdd->isChecked() && !g.cbServInf->isChecked());
        splitterOptions() = {};
    }

    void textView()
    {
        TableModel t;
        fill(t);
        TProsmForm f(viewOfTable(t), QStringLiteral("таблице"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Просмотр выделенных в таблице (всего: 4)"));
        QCOMPARE(f.labFiles->text(), QStringLiteral("Файлов: 2"));
        QCOMPARE(f.labDirs->text(), QStringLiteral("Папок: 2"));
        QCOMPARE(text(f.memPrFiles), QStringLiteral("/data/x/b.txt\n/data/x/README"));
        QCOMPARE(text(f.memPrDirs), QStringLiteral("/data/x\n/data/x/sub"));
        shot(&f, "text-view.png");
        f.rbName->click();
        QCOMPARE(text(f.memPrFiles), QStringLiteral("b.txt\nREADME"));
        QCOMPARE(text(f.memPrDirs), QStringLiteral("x\nsub"));
        f.cbPrFileExts->click();
        QCOMPARE(text(f.memPrFiles), QStringLiteral("b\nREADME"));
        f.cbPrWWrap->click();
        QCOMPARE(f.memPrFiles->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        f.cbPrWWrap->click();
        QCOMPARE(fx->sound.played, (QList<int>{3, 3, 2, 3}));

        // The parent-folder list and the way back.
        fx->ui.yesOk.enqueue(YesOk::Cancel);
        f.sbParDirClick();
        QCOMPARE(f.sbParDir->text(), QStringLiteral("Список родит. папок"));
        fx->ui.yesOk.enqueue(YesOk::Yes);
        f.sbParDirClick();
        QVERIFY(fx->ui.lastText().endsWith("[Yes]: полные пути к папкам\r[OK]: только имена папок"));
        QCOMPARE(text(f.memPrDirs), QStringLiteral("/data\n/data/x"));
        QVERIFY(text(f.memPrFiles).isEmpty());
        QCOMPARE(f.labDirs->text(), QStringLiteral("Список родительских папок: 2"));
        QCOMPARE(f.sbParDir->text(), QStringLiteral("Вернуться к просмотру"));
        QVERIFY(f.rgPrVid->isHidden() && f.cbPrFileExts->isHidden());
        shot(&f, "text-view-parents.png");
        f.sbParDirClick();
        QCOMPARE(f.labDirs->text(), QStringLiteral("Папок: 2"));
        QVERIFY(!f.rgPrVid->isHidden() && !f.cbPrFileExts->isHidden());
        QCOMPARE(text(f.memPrDirs), QStringLiteral("x\nsub"));

        // The names go to the splitter, files first.
        {
            QStringList editor;
            ModalAnswer a([&](QWidget *w) {
                auto *n = qobject_cast<TNameForm *>(w);
                QVERIFY(n);
                editor = memoLines(text(n->memEdit));
                n->reject();
            });
            f.labNameFrmSendClick();
            QCOMPARE(editor, (QStringList{"/data/x/b.txt", "/data/x/README", "/data/x", "/data/x/sub"}));
        }
        // Folders only: no extension box.
        t.setSelected(0, false);
        t.setSelected(1, false);
        TProsmForm dirs(viewOfTable(t), QStringLiteral("таблице"));
        QVERIFY(dirs.cbPrFileExts->isHidden());
    }

    void entryPoints()
    {
        TableModel t;
        fill(t);
        t.setAllSelected(false);
        ProsmAndNameFrm(false, t, nullptr);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Не выделены строчки в таблице"));
        {
            // The splitter opens empty without a selection.
            ModalAnswer a([](QWidget *w) {
                QVERIFY(qobject_cast<TNameForm *>(w)->memEdit->toPlainText().isEmpty());
                static_cast<QDialog *>(w)->reject();
            });
            ProsmAndNameFrm(true, t, nullptr);
        }
        t.setSelected(2, true);
        {
            ModalAnswer a([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
            ProsmAndNameFrm(false, t, nullptr);
            QCOMPARE(a.title(), QStringLiteral("Просмотр выделенных в таблице (всего: 1)"));
        }
        {
            // Drops and the rename preview hand over prepared paths.
            ModalAnswer a([](QWidget *w) {
                auto *f = qobject_cast<TProsmForm *>(w);
                QCOMPARE(f->labFiles->text(), QStringLiteral("Файлов: 2"));
                f->reject();
            });
            Prosmotr(ViewMode::Files, {"/a/b.txt", "/a/c"}, QStringLiteral("проводнике"), nullptr);
            QCOMPARE(a.title(), QStringLiteral("Просмотр выделенных в проводнике (всего: 2)"));
        }

        // More than 5000 rows are not split.
        TableModel big;
        bigTable(big, 5001);
        fx->ui.clear();
        ProsmAndNameFrm(true, big, nullptr);
        QCOMPARE(fx->ui.lastText(),
                 QStringLiteral("Разделение имен возможно для не более 5000 строк.\rВ таблице выделено: 5001"));
        TProsmForm f(viewOfTable(big), QStringLiteral("таблице"));
        f.labNameFrmSendClick();
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Разделение имен возможно для не более 5000 строк."));
        QVERIFY(fx->sound.played.isEmpty());
        // 5000 still go.
        big.setSelected(0, false);
        ModalAnswer a([](QWidget *w) {
            QCOMPARE(memoLines(qobject_cast<TNameForm *>(w)->memEdit->toPlainText()).size(), 5000);
            static_cast<QDialog *>(w)->reject();
        });
        ProsmAndNameFrm(true, big, nullptr);
    }

    void columnView()
    {
        TableModel t;
        fill(t);
        miProsmColsClick(t, -1, nullptr);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Для просмотра колонок выделите от 1 до 5000 строк"));
        TableModel big;
        bigTable(big, 5001);
        miProsmColsClick(big, 0, nullptr);
        QCOMPARE(fx->ui.calls.size(), 2);

        TColViewForm f(t, 1);
        QCOMPARE(f.labInf->text(), QStringLiteral("Результат (для одной строки), всего выделено: 4"));
        QVERIFY(!f.cbDirPh->isEnabled());
        f.sbOk->click();
        QCOMPARE(fx->ui.beeps, 1);
        QCOMPARE(fx->feedback.logs.size(), 0);

        f.box(BoxName)->click();
        QCOMPARE(f.box(BoxName)->checkState(), Qt::Checked);
        QCOMPARE(f.eInf->text(), QStringLiteral("\"README\""));
        f.box(BoxId)->click();
        f.box(BoxId)->click();
        QCOMPARE(f.box(BoxId)->checkState(), Qt::PartiallyChecked);
        QCOMPARE(f.eInf->text(), QStringLiteral("2 \"README\""));
        // The folder takes the name along; the start-folder box opens.
        f.box(BoxFolder)->click();
        f.box(BoxFolder)->click();
        QCOMPARE(f.box(BoxName)->checkState(), Qt::PartiallyChecked);
        QVERIFY(f.cbDirPh->isEnabled());
        f.cbDirPh->click();
        QCOMPARE(f.eInf->text(), QStringLiteral("2 /data/x/README"));
        shot(&f, "column-view.png");

        f.sbOk->click();
        QCOMPARE(fx->feedback.logs.size(), 1);
        QCOMPARE(currentLog().lastKind(), LogKind::ColumnView);
        QCOMPARE(currentLog().opLog(),
                 (QStringList{"1 /data/x/b.txt", "2 /data/x/README", "3 /data/x", "4 /data/x/sub"}));

        f.sbcbrosClick();
        QVERIFY(!f.state().anySet() && !f.cbDirPh->isEnabled() && !f.cbDirPh->isChecked());
        QVERIFY(f.eInf->text().isEmpty());
        QCOMPARE(fx->sound.played.count(3), 7);
    }
};

VT_TEST_MAIN(TestNameViewWindows)
#include "tst_gui_nameviews.moc"
