#include "platform/dirreader.h"
#include "rename/core/renapply.h"
#include "rename/core/renrule.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace vt;

namespace {

void put(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TRenRule rule()
{
    TRenRule r;
    InitRulesDef(r);
    return r;
}

} // namespace

class TestRenFs : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString folder() const { return tmp.path() + QLatin1Char('/'); }

    int run(const TRenRule &r, bool dirs, QString name, QString ext, QStringList *log = nullptr)
    {
        RenJob job;
        job.folder = folder();
        job.opLog = log;
        return ren(r, dirs, job, name, ext);
    }

private slots:
    void renamesAndLogs()
    {
        put(tmp.filePath("a.txt"), "A");
        TRenRule r = rule();
        r.Pref1 = QStringLiteral("x");
        QStringList log;
        QCOMPARE(run(r, false, "a", "txt", &log), int(RenOk));
        QCOMPARE(entries(tmp.path()), QStringList{"xa.txt"});
        QCOMPARE(get(tmp.filePath("xa.txt")), QByteArray("A"));
        QCOMPARE(log, QStringList{folder() + "a.txt >> " + folder() + "xa.txt"});

        // nothing changes: 4, with or without the file
        QCOMPARE(run(rule(), false, "xa", "txt", &log), int(RenSame));
        QCOMPARE(run(r, false, "missing", "txt", &log), int(RenError));
        QCOMPARE(log.size(), 1);
    }

    void neverReplaces()
    {
        put(tmp.filePath("b.txt"), "B");
        put(tmp.filePath("xb.txt"), "XB");
        TRenRule r = rule();
        r.Pref1 = QStringLiteral("x");
        QCOMPARE(run(r, false, "b", "txt"), int(RenExists));
        QCOMPARE(get(tmp.filePath("b.txt")), QByteArray("B"));
        QCOMPARE(get(tmp.filePath("xb.txt")), QByteArray("XB"));

        // a folder of the new name counts as existing too
        QVERIFY(QDir(tmp.path()).mkdir("xc.txt"));
        put(tmp.filePath("c.txt"), "C");
        QCOMPARE(run(r, false, "c", "txt"), int(RenExists));
        QCOMPARE(get(tmp.filePath("c.txt")), QByteArray("C"));

        // the primitive on its own refuses the same way
        QCOMPARE(renameEntry(fs::nativePath(tmp.filePath("b.txt")), fs::nativePath(tmp.filePath("xb.txt"))),
                 RenameEntryResult::Exists);
        QCOMPARE(get(tmp.filePath("xb.txt")), QByteArray("XB"));
    }

    void caseOnly()
    {
        put(tmp.filePath("d.txt"), "D");
        TRenRule r = rule();
        r.ExtMode = 2;
        QCOMPARE(run(r, false, "d", "txt"), int(RenCaseOnly));
        QVERIFY(entries(tmp.path()).contains("d.TXT"));
        QVERIFY(!entries(tmp.path()).contains("d.txt"));

        // here the other spelling can be a file of its own: it stays (case
        // twins: Windows file systems hold none)
        if (!test::kWindows) {
            put(tmp.filePath("e.txt"), "e");
            put(tmp.filePath("e.TXT"), "E");
            QCOMPARE(run(r, false, "e", "txt"), int(RenExists));
            QCOMPARE(get(tmp.filePath("e.txt")), QByteArray("e"));
            QCOMPARE(get(tmp.filePath("e.TXT")), QByteArray("E"));
        }

        // folders
        QVERIFY(QDir(tmp.path()).mkdir("dir"));
        TRenRule up = rule();
        up.NameMode = 1;
        up.CaseMode = -3;
        QCOMPARE(run(up, true, "dir", QString()), int(RenCaseOnly));
        QVERIFY(QFileInfo(tmp.filePath("DIR")).isDir());
    }

    void sameFileGoesThroughATemporaryName()
    {
        VT_LINUX_ONLY("hard links stand in for a case-folding file system (caseOnly meets the real one)");
        // Two names of one file stand in for a case-folding file system: the
        // target "exists" but is the file itself.
        QTemporaryDir d;
        put(d.filePath("f.txt"), "F");
        std::filesystem::create_hard_link(fs::nativePath(d.filePath("f.txt")).toStdString(),
                                          fs::nativePath(d.filePath("f.TXT")).toStdString());
        TRenRule r = rule();
        r.ExtMode = 2;
        RenJob job;
        job.folder = d.path() + QLatin1Char('/');
        QString name = QStringLiteral("f"), ext = QStringLiteral("txt");
        // The second name does not go away here, so the second step is refused
        // and the file gets its old name back: nothing is replaced or left over.
        QCOMPARE(ren(r, false, job, name, ext), int(RenExists));
        QCOMPARE(entries(d.path()), (QStringList{"f.TXT", "f.txt"}));
        QCOMPARE(get(d.filePath("f.txt")), QByteArray("F"));

        // the two steps themselves, with two distinct names
        QCOMPARE(renameViaTemp(fs::nativePath(d.filePath("f.txt")), fs::nativePath(d.filePath("g.txt"))),
                 RenameEntryResult::Ok);
        QCOMPARE(entries(d.path()), (QStringList{"f.TXT", "g.txt"}));
        QCOMPARE(get(d.filePath("g.txt")), QByteArray("F"));
        // and a folder
        QVERIFY(QDir(d.path()).mkdir("sub"));
        put(d.filePath("sub/in"), "I");
        QCOMPARE(renameViaTemp(fs::nativePath(d.filePath("sub")), fs::nativePath(d.filePath("Sub"))),
                 RenameEntryResult::Ok);
        QCOMPARE(get(d.filePath("Sub/in")), QByteArray("I"));
        QCOMPARE(entries(d.path()).size(), 3);
    }
};

VT_TEST_GUILESS_MAIN(TestRenFs)
#include "tst_core_renfs.moc"
