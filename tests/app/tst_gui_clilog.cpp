#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "app/mainform.h"
#include "base/settings.h"
#include "lists/core/vtsfile.h"
#include "table/resulttable.h"
#include "cliprocess.h"
#include "fakeservices.h"
#include "fileops/actform.h"
#include "modalanswer.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "textsearch/parserform.h"
#include "testhome.h"
#include "testmain.h"

#include <QComboBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace vt;

// The window and the command line run the same code: one copy and one text
// search give the same log, whichever started them.
class CliLogTest : public QObject {
    Q_OBJECT
    test::CliHome cli;
    test::TestHome windowHome;
    QString S, T;

    // A log without its times: the stamp of an entry and the date of a search.
    static QStringList timeless(const QStringList &lines)
    {
        static const QRegularExpression stamp(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d{4} \\d+:\\d\\d:\\d\\d"));
        QStringList out;
        for (const QString &l : lines)
            for (const QString &part : l.split(QStringLiteral("\r\n")))
                out << QString(part).replace(stamp, QStringLiteral("<время>"));
        return out;
    }
    // The window's table: the files in the order --find gives them.
    void fill(TableModel &t)
    {
        AppendState st;
        for (const char *f : {"a.txt", "sub/b.txt"})
            QCOMPARE(appendPath(t, st, S + QLatin1String(f)), AppendResult::Added);
        t.setAllSelected(true);
    }
    QStringList find() const { return {"--find", S, "--min", "01.01.2000", "--kind", "files"}; }

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
        S = cli.dir.path() + "/src/";
        T = cli.dir.path() + "/dst/";
        test::writeTestFile(S + "a.txt", "первая\nищу Текст здесь\n");
        test::writeTestFile(S + "sub/b.txt", "nothing\n");
        QVERIFY(QDir().mkpath(T));
    }

    void copyGivesTheSameLog()
    {
        const test::CliRun r = cli.run(find() + QStringList{"--copy", T});
        QCOMPARE(r.code, 0);
        const QStringList fromCli = cli.savedLog("c1");
        QVERIFY(!fromCli.isEmpty());
        QVERIFY(QDir(T).removeRecursively() && QDir().mkpath(T));

        test::FakeServices fx;
        TableModel t;
        fill(t);
        OperationContext ops;
        ops.setEventPump([] {});
        settings().lcm = T;
        TActfrm f(t, ops, {}, {});
        fx.ui.yesNo << true;
        f.CopyMove(Transfer::Copy, CopyMode::Prefix);
        const QStringList fromWindow = decodeTextLines(test::readBytes(optPath() + "c1"));
        QCOMPARE(timeless(fromWindow), timeless(fromCli));
        QVERIFY(QFileInfo::exists(T + "b.txt"));
    }

    void textSearchGivesTheSameLog()
    {
        const test::CliRun r = cli.run(find() + QStringList{"--text", "текст"});
        QCOMPARE(r.code, 0);
        const qsizetype at = r.out.indexOf(QRegularExpression(QStringLiteral("Поиск по тексту.*")));
        QVERIFY(at > 0);

        test::FakeServices fx;
        TableModel t;
        fill(t);
        OperationContext ops;
        ops.setEventPump([] {});
        TParserForm form(t, ops); // the fake feedback closes the log viewer
        form.cmbstr->setEditText(QStringLiteral("текст"));
        form.sbParser->click();
        QCOMPARE(timeless(currentLog().opLog()), timeless(r.out.mid(at)));
    }

    // The menu's comparison with a snapshot: new and changed rows selected,
    // the three groups in the log.
    void windowComparesWithASnapshot()
    {
        test::FakeServices fx;
        TFileForm form;
        TableModel *m = form.ListView->tableModel();
        fill(*m);
        const QString vts = cli.dir.path() + "/snap.vts";
        QVERIFY(writeVts(vts, *m, VtsHeader{}).ok);
        test::writeTestFile(S + "sub/b.txt", "now longer than it was");
        test::writeTestFile(S + "c.txt", "new");
        m->clear();
        fill(*m);
        AppendState st;
        QCOMPARE(appendPath(*m, st, S + "c.txt"), AppendResult::Added);
        fx.ui.files << vts;
        bool shown = false;
        test::ModalAnswer viewer([&](QWidget *w) {
            shown = true;
            static_cast<QDialog *>(w)->reject();
        });
        form.commands().run(QStringLiteral("lists.diffVts"));
        QVERIFY(shown);
        QCOMPARE(m->selectedRows(), (QList<int>{1, 2}));
        const QStringList log = currentLog().opLog();
        QVERIFY(log.contains("+ " + S + "c.txt"));
        QVERIFY(log.contains("~ " + S + "sub/b.txt"));
        QVERIFY(log.contains("Без изменений: 1"));
    }
};

VT_TEST_MAIN(CliLogTest)
#include "tst_gui_clilog.moc"
