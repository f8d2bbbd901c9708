#include "app/logform.h"
#include "app/mainform.h"
#include "base/appdirs.h"
#include "fakeservices.h"
#include "modalanswer.h"
#include "table/core/rowappend.h"
#include "table/resulttable.h"
#include "testfiles.h"
#include "textsearch/parserform.h"
#include "testhome.h"
#include "testmain.h"
#include "mainwindowfixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>

using namespace vt;

// The text-search window over the main window's table: a search, the log
// viewer's button for the files without a hit, and the two follow-ups.
class TextSearchWindowTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;

    // Runs one search for `text`; answer is the log viewer's choice.
    static bool searchAndAnswer(TFileForm &form, const QString &text, std::optional<YesOk> answer,
                                test::FakeServices &fx)
    {
        bool done = false;
        test::ModalAnswer window([&](QWidget *w) {
            auto *f = static_cast<TParserForm *>(w);
            test::screenshot(f, "text-search.png");
            f->cmbstr->setEditText(text);
            test::ModalAnswer log([&](QWidget *lw) {
                auto *l = static_cast<TLogForm *>(lw);
                if (answer) {
                    fx.ui.yesOk.enqueue(*answer);
                    l->butExtra->click();
                } else {
                    l->reject();
                }
            });
            f->sbParser->click();
            if (!answer)
                f->reject(); // the window stays open after a plain close of the log
        });
        done = form.openTextSearch();
        return done;
    }

private slots:

    void followUps()
    {
        test::FakeServices fx;
        const QString root = data.path() + "/";
        test::writeTestFile(root + "a.txt", "Строка с ПРИВЕТОМ\n");
        test::writeTestFile(root + "b.txt", "ничего\n");
        test::writeTestFile(root + "c.txt", "");
        test::MainWindow main;
        main.start();
        TFileForm &form = *main.form;
        TableModel *m = form.ListView->tableModel();
        AppendState st;
        for (const char *n : {"a.txt", "b.txt", "c.txt"})
            appendPath(*m, st, root + n);
        m->setAllSelected(true);

        QVERIFY(!searchAndAnswer(form, "привет", std::nullopt, fx));
        QCOMPARE(m->selectedCount(), 3);
        QCOMPARE(form.textSearchForm()->cmbstr->itemText(0), QStringLiteral("привет"));

        QVERIFY(searchAndAnswer(form, "привет", YesOk::Yes, fx));
        QCOMPARE(m->selectedCount(), 1);
        QCOMPARE(m->size(), 3);

        m->setAllSelected(true);
        QVERIFY(searchAndAnswer(form, "ПРИВЕТ", YesOk::Ok, fx));
        QCOMPARE(m->size(), 1);
        QCOMPARE(m->at(0).entry.name(), QStringLiteral("a.txt"));
        QCOMPARE(fx.sound.played.mid(fx.sound.played.size() - 2), (QList<int>{1, 2}));
        QCOMPARE(form.textSearchForm()->cmbstr->count(), 2);
    }
};

VT_TEST_MAIN(TextSearchWindowTest)
#include "tst_gui_textsearch.moc"
