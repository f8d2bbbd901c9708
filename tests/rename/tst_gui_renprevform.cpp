#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "rename/core/renrule.h"
#include "rename/renameform.h"
#include "rename/renprevform.h"
#include "shell/svvform.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "wholetexts.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;
using namespace vt::test;

namespace {

TRenRule numbered()
{
    TRenRule r;
    InitRulesDef(r);
    r.ObrFlags = 1;
    r.NumPos = 1;
    r.NumWidth = 2;
    r.Pref2 = QStringLiteral("_");
    return r;
}

QStringList names(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

// Old name, new name and result of every row, as `--rename` prints them.
QStringList columns(const TRenPrevForm &f)
{
    QStringList out;
    for (int i = 0; i < f.lvRen->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *it = f.lvRen->topLevelItem(i);
        const QString ext = f.folders() ? QString() : QStringLiteral(".");
        out << it->text(2) + ext + it->text(3) + QLatin1Char('\t') + it->text(5) + ext + it->text(6)
                   + QLatin1Char('\t') + it->text(8);
    }
    return out;
}

} // namespace

class TestRenPrevForm : public QObject {
    Q_OBJECT
    test::TestHome home;
    std::unique_ptr<FakeServices> fx;
    OperationContext ops;

    // Runs the preview over every row of t with the current rule.
    void run(TRenPrevForm &f, bool test)
    {
        f.lvRen->selectAll();
        fx->ui.titledAnswers.enqueue(true);
        f.Renamer(test);
    }

private slots:
    void init()
    {
        fx = std::make_unique<FakeServices>();
        currentRule() = numbered();
        QFile::remove(home.path() + "/Options/r1");
    }
    void cleanup() { fx.reset(); }

    // The same rows and rule give the same texts in the window and in `--rename --test`.
    void sameAsHeadless()
    {
        QTemporaryDir data;
        const QString d = data.path() + "/t/";
        for (const char *f : {"a.txt", "b.txt", "c.txt", "02_b.txt"})
            test::writeTestFile(d + f, f);
        TRenRule shortName = numbered();
        // 78 characters around the name: "02_b" gets a length error
        shortName.Pref1 = QString(15, QLatin1Char('z'));
        shortName.Postf1 = QString(30, QLatin1Char('x'));
        shortName.Postf2 = QString(30, QLatin1Char('y'));
        test::writeTestFile(data.filePath("one"), shortName.toBytes());
        QProcess p;
        p.start(QStringLiteral(VESTRADA_EXE),
                {"--find", d, "--mask", "*.txt", "--rename", data.filePath("one"), "--test"});
        QVERIFY(p.waitForFinished(30000));
        QStringList headless = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
        headless = headless.filter(QStringLiteral("\tТЕСТ: "));
        QCOMPARE(headless.size(), 4);
        QVERIFY2(headless.join("\n").contains("ошибка длины"), qPrintable(headless.join("\n")));

        currentRule() = shortName;
        TableModel t;
        AppendState st;
        test::writeTestFile(d + "noext", "x");
        QVERIFY(appendPath(t, st, d + "noext") == AppendResult::Added);
        for (const QString &line : headless)
            QCOMPARE(appendPath(t, st, d + line.section('\t', 0, 0)), AppendResult::Added);
        TRenPrevForm f(t, ops, nullptr, false);
        QCOMPARE(f.fill({0, 1, 2, 3, 4}), 4); // no extension, no row
        QCOMPARE(f.windowTitle(), QStringLiteral("Переименование файлов, в таблице: 4"));
        QCOMPARE(f.lvRen->topLevelItem(0)->text(0), QStringLiteral("2"));
        run(f, true);
        QCOMPARE(columns(f), headless);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Результат: 3 из 4"));
        QCOMPARE(names(d).size(), 5); // a test touches nothing
    }

    void testThenRealRun()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        for (const char *f : {"a.txt", "b.txt", "c.txt", "02_b.txt"})
            test::writeTestFile(d + f, f);
        TableModel t;
        AppendState st;
        for (const char *f : {"a.txt", "b.txt", "c.txt"})
            QCOMPARE(appendPath(t, st, d + f), AppendResult::Added);
        t.setAllSelected(true);
        TRenPrevForm f(t, ops, nullptr, false);
        QCOMPARE(f.fill(t.selectedRows()), 3);

        run(f, true);
        const QStringList tested{"a.txt\t01_a.txt\tТЕСТ: OK", "b.txt\t02_b.txt\tТЕСТ: OK",
                                 "c.txt\t03_c.txt\tТЕСТ: OK"};
        QCOMPARE(columns(f), tested);
        QCOMPARE(fx->ui.calls.at(0).title, QStringLiteral("Тест"));
        QVERIFY(fx->ui.calls.at(0).text.endsWith("Выделено файлов: 3\rНачать ТЕСТ?"));
        QCOMPARE(f.lvRen->topLevelItem(0)->text(7), QStringLiteral("4 / 3 • %1").arg(d.size() + 8));
        f.show();
        QCOMPARE(test::cutTexts(&f), QStringList()); // column headers too
        f.hide();
        QVERIFY(!QFile::exists(home.path() + "/Options/r1"));

        if (!test::screenshotDir().isEmpty()) {
            f.resize(1100, 260);
            f.show();
            QTest::qWait(50);
            test::screenshot(&f, "rename-preview-test.png");
            f.hide();
        }

        // Real: b meets the existing 02_b.txt and c takes the number b did not use.
        fx->ui.clear();
        run(f, false);
        QCOMPARE(fx->ui.calls.at(0).title, QStringLiteral("Переименование"));
        QCOMPARE(columns(f), (QStringList{"01_a.txt\t01_a.txt\tOK", "b.txt\t02_b.txt\tОШИБКА [файл/папка существует]",
                                          "02_c.txt\t02_c.txt\tOK"}));
        QCOMPARE(names(d), (QStringList{"01_a.txt", "02_b.txt", "02_c.txt", "b.txt"}));
        const QStringList log = currentLog().opLog();
        QCOMPARE(log.size(), 7);
        QVERIFY(log[0].endsWith(" Переименование, правило (файлов: 3)"));
        QCOMPARE(log.mid(1), (QStringList{"-", d + "a.txt >> " + d + "01_a.txt",
                                          d + "b.txt ОШИБКА [файл/папка существует]", d + "c.txt >> " + d + "02_c.txt",
                                          "___\r\n", "Результат: 2 из 3, лог сохранен"}));
        QVERIFY(QFile::exists(home.path() + "/Options/r1"));
        // the result table follows: name, type, 8.3
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("01_a.txt"));
        QCOMPARE(t.at(1).cells[ColName], QStringLiteral("b.txt"));
        QCOMPARE(t.at(2).cells[ColName], QStringLiteral("02_c.txt"));
        QCOMPARE(t.at(2).cells[ColType], QStringLiteral("TXT"));
        QCOMPARE(t.at(2).entry.shortForm, test::shortForm(d + "02_c.txt"));
        QVERIFY(!t.has83(test::shortForm(d + "c.txt")));

        // Only the case: the second run starts from the new names.
        TRenRule &up = currentRule();
        InitRulesDef(up);
        up.ObrFlags = 1;
        up.NameMode = 1;
        up.CaseMode = -3;
        fx->ui.clear();
        f.lvRen->selectAll();
        f.lvRen->topLevelItem(1)->setSelected(false);
        fx->ui.titledAnswers.enqueue(true);
        f.Renamer(false);
        QCOMPARE(f.lvRen->topLevelItem(0)->text(8), QStringLiteral("OK [только регистр]"));
        QCOMPARE(names(d), (QStringList{"01_A.txt", "02_C.txt", "02_b.txt", "b.txt"}));
        QCOMPARE(t.at(0).cells[ColName], QStringLiteral("01_A.txt"));

        // A rule that changes nothing: no successes, and no log file.
        InitRulesDef(up);
        up.ObrFlags = 1;
        QFile::remove(home.path() + "/Options/r1");
        fx->ui.clear();
        run(f, false);
        QCOMPARE(f.lvRen->topLevelItem(1)->text(8), QStringLiteral("ошибка [имя не изменилось]"));
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Результат: 0 из 3"));
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Результат: 0 из 3"));
        QVERIFY(!QFile::exists(home.path() + "/Options/r1"));
    }

    void orderAndButtons()
    {
        QTemporaryDir data;
        const QString d = data.path() + '/';
        for (const char *f : {"bb.txt", "a.txt", "ccc.txt"})
            test::writeTestFile(d + f, f);
        QVERIFY(QDir(d).mkdir("sub"));
        TableModel t;
        AppendState st;
        for (const char *f : {"bb.txt", "a.txt", "ccc.txt", "sub"})
            QCOMPARE(appendPath(t, st, d + f), AppendResult::Added);
        TRenPrevForm f(t, ops, nullptr, false);
        f.fill({0, 1, 2, 3});
        const auto order = [&f](int col) {
            QStringList s;
            for (int i = 0; i < f.lvRen->topLevelItemCount(); ++i)
                s << f.lvRen->topLevelItem(i)->text(col);
            return s.join(',');
        };
        f.sortRen(2, true);
        QCOMPARE(order(2), QStringLiteral("ccc,bb,a"));
        f.sortRen(4, false); // by the name length
        QCOMPARE(order(2), QStringLiteral("a,bb,ccc"));
        f.sortRen(0, true);
        QCOMPARE(order(0), QStringLiteral("3,2,1"));
        QCOMPARE(fx->sound.played, (QList<int>{2, 3, 2}));

        // Dragging a row to the top gives it the first number.
        f.moveRow(2, 0);
        QCOMPARE(order(2), QStringLiteral("bb,ccc,a"));
        f.moveRow(0, 3);
        QCOMPARE(order(2), QStringLiteral("ccc,a,bb"));
        QCOMPARE(f.lvRen->selectedItems(), QList<QTreeWidgetItem *>{f.lvRen->topLevelItem(2)});
        run(f, true);
        QCOMPARE(order(5), QStringLiteral("01_ccc,02_a,03_bb"));

        // the view button and the help
        f.lvRen->clearSelection();
        fx->ui.clear();
        f.sbProsmRenClick(false);
        QCOMPARE(fx->ui.lastText(), QStringLiteral("Выделите строчки для просмотра"));
        f.lvRen->topLevelItem(0)->setSelected(true);
        QCOMPARE(f.viewLines(false), QStringList{d + "ccc.txt"});
        QCOMPARE(f.viewLines(true), QStringList{d + "01_ccc.txt"});
        fx->ui.yesOk.enqueue(YesOk::Ok);
        {
            QString files;
            ModalAnswer a([&files](QWidget *w) {
                files = w->findChildren<QPlainTextEdit *>().first()->toPlainText();
                static_cast<QDialog *>(w)->reject();
            });
            f.sbProsmRenClick(false);
            QCOMPARE(a.title(), QStringLiteral("Просмотр выделенных в таблице, колонка \"Новое имя\" (всего: 1)"));
            QCOMPARE(files, d + "01_ccc.txt");
        }
        QCOMPARE(fx->ui.lastText(),
                 QStringLiteral("Выберите колонку для просмотра:\r[YES]: Имя (выделено: 1)\r[OK]:  Новое имя (выделено: 1)"));
        fx->ui.yesOk.enqueue(YesOk::Yes);
        f.sbSprClick();
        QCOMPARE(fx->ui.calls.last().title, QStringLiteral("Справка по переименованию"));
        QVERIFY(fx->ui.lastText().startsWith("1) Для переименования создайте правило"));
        f.rbRenSpis->setChecked(true);
        QVERIFY(f.sbTest->isHidden() && f.sbRename->isHidden());
        QCOMPARE(f.sbRules->text(), QStringLiteral("Список/список"));

        // Double click: the properties window, without rename, delete and actions.
        f.openProperties = [&f](const QString &path, bool folder) { viewProperties(path, folder, {}, &f); };
        {
            test::ModalAnswer props([&](QWidget *w) {
                auto *p = qobject_cast<Tsvvfrm *>(w);
                QVERIFY(p);
                QCOMPARE(p->eFName->text(), d + "ccc.txt");
                QVERIFY(p->sbRen->isHidden() && p->sbDelFile->isHidden() && p->sbShowAct->isHidden());
                p->reject();
            });
            f.openRow(f.lvRen->topLevelItem(0));
        }
        // Double click on a row whose file went away.
        QFile::remove(d + "ccc.txt");
        f.openRow(f.lvRen->topLevelItem(0));
        QCOMPARE(fx->ui.lastText(), "Не найден файл/папка:\r" + d + "ccc.txt");

        // folders: their own rows and lengths
        TRenPrevForm g(t, ops, nullptr, true);
        QCOMPARE(g.fill({0, 1, 2, 3}), 1);
        QCOMPARE(g.windowTitle(), QStringLiteral("Переименование папок, в таблице: 1"));
        QCOMPARE(g.lvRen->topLevelItem(0)->text(4), QStringLiteral("3 / 0 • %1").arg(d.size() + 3));
        setFolderRename(false);
    }
};

VT_TEST_MAIN(TestRenPrevForm)
#include "tst_gui_renprevform.moc"
