#include "platform/dirreader.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class RowAppendTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString root;

    void make(const QString &rel, int bytes)
    {
        QDir().mkpath(QFileInfo(root + rel).path());
        QFile f(root + rel);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(bytes, 'z'));
    }

private slots:
    void initTestCase()
    {
        root = tmp.path() + "/";
        make("docs/Отчёт.txt", 1536);
        make("docs/b.bin", 10);
        make("docs/.hidden", 1);
        QDir().mkpath(root + "empty");
    }

    void addsOnceAndCounts()
    {
        TableModel t;
        AppendState st;
        QCOMPARE(appendPath(t, st, root + "docs/Отчёт.txt"), AppendResult::Added);
        QCOMPARE(appendPath(t, st, root + "docs/Отчёт.txt"), AppendResult::Added);
        QCOMPARE(t.size(), 1);
        const TableRow &r = t.at(0);
        QCOMPARE(t.fullPath(0), fs::nativePath(root + "docs/Отчёт.txt"));
        QCOMPARE(r.cells[ColID], QStringLiteral("1"));
        QCOMPARE(r.cells[ColFolder], root + "docs/");
        QCOMPARE(r.cells[ColName], QStringLiteral("Отчёт.txt"));
        QCOMPARE(r.cells[Col83], test::shortForm(root + "docs/Отчёт.txt"));
        QCOMPARE(r.cells[ColByte], QStringLiteral("1536"));
        QCOMPARE(t.counters().files, 1);
        QCOMPARE(t.counters().size.kb, 1ull);
        QCOMPARE(t.counters().size.rem, 512ull);

        // A folder given with a trailing separator is a folder row.
        QCOMPARE(appendPath(t, st, root + "empty/", 3, 7), AppendResult::Added);
        QCOMPARE(t.at(1).cells[ColType], QStringLiteral("<Dir>"));
        QCOMPARE(t.at(1).cells[ColName], QStringLiteral("empty"));
        QCOMPARE(t.at(1).cells[ColOrd], QStringLiteral("3"));
        QCOMPARE(t.at(1).cells[ColPage], QStringLiteral("7"));
        QCOMPARE(t.at(1).cells[ColID], QStringLiteral("2"));
    }

    void refusals()
    {
        TableModel t;
        AppendState st;
        QCOMPARE(appendPath(t, st, root + "docs/missing.txt"), AppendResult::NotAdded);
        // A relative table cannot take full paths: no short form comes out.
        t.setStartFolder(root);
        QCOMPARE(appendPath(t, st, root + "docs/b.bin"), AppendResult::NotAdded);
        t.setStartFolder(QString());
        st.filter.attrSet = fs::AttrAll & ~fs::AttrHidden;
        QCOMPARE(appendPath(t, st, root + "docs/.hidden"), AppendResult::NotAdded);
        st.filter.attrSet = fs::AttrAll;
        st.filter.minKb = 1;
        QCOMPARE(appendPath(t, st, root + "docs/b.bin"), AppendResult::NotAdded);
        QCOMPARE(t.size(), 0);
    }

    void limitStops()
    {
        TableModel t;
        AppendState st;
        st.limit = 1;
        QCOMPARE(appendPath(t, st, root + "docs/b.bin"), AppendResult::Added);
        QCOMPARE(appendPath(t, st, root + "docs/Отчёт.txt"), AppendResult::Stop);
        QVERIFY(st.limitReached);
        // Once stopped, nothing more is looked at.
        QCOMPARE(appendPath(t, st, root + "missing"), AppendResult::Stop);
        QCOMPARE(t.size(), 1);
    }
};

VT_TEST_GUILESS_MAIN(RowAppendTest)
#include "tst_core_rowappend.moc"
