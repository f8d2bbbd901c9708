// Files far bigger than anything the program writes: lists are read record
// by record up to the table's limit with a bounded report, stores of
// Options/ count as missing and stay untouched, and headless output never
// passes a control character of a name through.
#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fileops/core/recenttargets.h"
#include "lists/core/favourites.h"
#include "lists/core/listread.h"
#include "lists/core/ordstore.h"
#include "lists/core/vtlfile.h"
#include "lists/core/vtlformat.h"
#include "lists/core/vtsfile.h"
#include "rename/core/renpresets.h"
#include "search/core/extstore.h"
#include "search/core/recentfolders.h"
#include "shell/core/openwith.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

constexpr qint64 k40G = qint64(40) << 30;

// A file of that size that takes no room: all zero bytes.
QString sparse(const QString &path, qint64 size = k40G)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || !f.resize(size))
        qFatal("cannot make %s", qPrintable(path));
    return path;
}

int runExe(const QStringList &args, QByteArray *out)
{
    QProcess p;
    p.start(QStringLiteral(VESTRADA_EXE), args);
    p.waitForFinished(60000);
    *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class HugeInputsTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    int caseNo = 0;

private slots:
    void initTestCase() { QVERIFY(GetOptPath()); }
    void init() { root = test::nextCaseFolder(data.path(), caseNo); }

    void aHugeListIsReadUpToTheTableLimit()
    {
        // 40 GB of nameless records: 9999 read, the first 1000 listed, the rest counted.
        const QString vtl = sparse(root + "x.vtl");
        TableModel t;
        QStringList report;
        ListRead r = readListRows(t, vtl, report, nullptr);
        QCOMPARE(r.kind, ListKind::Vtl);
        QCOMPARE(r.stop, StopLimit);
        QCOMPARE(r.errors, kRowLimitMax);
        QCOMPARE(report.size(), 3 + kReportErrorLines + 1);
        QCOMPARE(report.last(), QStringLiteral("<ЕЩЕ ОШИБОК: 8999>"));

        // Records beyond 9999 are never read, even when every one names a file.
        test::writeTestFile(root + "f.txt", "f");
        QByteArray many;
        for (int i = 0; i <= kRowLimitMax; ++i)
            many += vtlRecord(0, 0, root + "f.txt");
        test::writeTestFile(root + "many.vtl", many);
        TableModel t2;
        report.clear();
        r = readListRows(t2, root + "many.vtl", report, nullptr);
        QCOMPARE(r.stop, StopLimit);
        QCOMPARE(t2.size(), 1);
        QCOMPARE(report.last(), QStringLiteral("<НЕТ ОШИБОК>"));

        // A snapshot as big; its header and the list it is added to are never read whole.
        const QString vts = sparse(root + "x.vts");
        TableModel t3;
        report.clear();
        const VtsRead v = readVtsRows(t3, vts, report, nullptr);
        QVERIFY(v.ok);
        QCOMPARE(v.stop, StopLimit);
        QCOMPARE(report.last(), QStringLiteral("<ЕЩЕ ОШИБОК: %1>").arg(kRowLimitMax + 1 - kReportErrorLines));
        QCOMPARE(rewriteVtsHeader(vts, 1, "d"), HeaderRewrite::Unreadable);
        const VtlAppend a = appendVtl(vtl, t2.selection());
        QVERIFY(a.opened);
        QCOMPARE(a.added, 0);
        QCOMPARE(QFileInfo(vtl).size(), k40G);

        // A text list of empty lines: the report is bounded too.
        test::writeTestFile(root + "empty.vtx", QByteArray(2000, '\n'));
        TableModel t4;
        report.clear();
        QCOMPARE(readListRows(t4, root + "empty.vtx", report, nullptr).errors, 2000);
        QCOMPARE(report.size(), 3 + kReportErrorLines + 1);

        // The command line reads it and ends normally.
        QByteArray out;
        QCOMPARE(runExe({"--read", vtl}, &out), 0);
        QVERIFY(out.count('\n') < 3 + kReportErrorLines + 10);
    }

    void aHugeStoreCountsAsMissingAndIsLeftAlone()
    {
        test::FakeServices fx;
        const QString opt = optPath();
        const QString folder = root;
        struct Store {
            const char *name;
            std::function<bool()> readsEmpty; // what the program reads of it
            std::function<void()> write;      // what would write it back
        };
        const QList<Store> stores = {
            {"oldfd",
             [] { RecentFolders r; r.InitOldFDir(); return r.list().isEmpty(); },
             [&] { RecentFolders r; r.ProvAndAddFDir(folder); }},
            {"oldcm", [] { return RecentTargets::LoadOldCM().isEmpty(); }, [&] { RecentTargets::SaveOldCM(folder); }},
            {"open",
             [&] { FavouriteFolders f; f.load(opt + "open"); return f.stored().isEmpty(); },
             [&] { FavouriteFolders f; f.load(opt + "open"); f.add(folder); f.save(); }},
            {"strext", [] { return ext::loadList().isEmpty(); }, [] { ext::saveList({"TXT"}); }},
            {"strexec", [] { ProgramList p; p.load(); return p.paths().isEmpty(); }, [] { ProgramList p; p.save(); }},
            {"vtl.ini",
             [] { return GetStartDir(StartDir::Folder, QString()).isEmpty(); },
             [&] { fx.ui.yesNo << true; GetStartDir(StartDir::OfferFolder, folder); }},
            {"ren", [] { RenPresets p; return !p.InitFileRules() && !p.read(1); }, [] { RenPresets p; p.write(1, {}); }},
            {"ord2",
             [&] { QStringList n; return loadOrdNames(opt + "ord2", &n) == OrdLoad::Unreadable; },
             [&] { QStringList n; loadOrdNames(opt + "ord2", &n); }},
        };
        for (const Store &s : stores) {
            const QString path = sparse(opt + s.name);
            QVERIFY2(s.readsEmpty(), s.name);
            s.write();
            QCOMPARE(QFileInfo(path).size(), k40G);
            QVERIFY2(currentLog().text().contains("оставлен как есть:\r\n" + path + "\r\n-"), s.name);
            QFile::remove(path);
        }
    }

    void headlessOutputShowsControlCharactersAsCells()
    {
        VT_LINUX_ONLY("Windows names hold no control characters");
        const QString dir = root + "new\x1b[31mred\nline\tx/";
        test::writeTestFile(dir + "f\x1b]0;title\x07.txt", "f");
        QByteArray list = vtlRecord(0, 0, dir + "f\x1b]0;title\x07.txt") + vtlRecord(0, 0, dir + "gone\r\n.txt");
        test::writeTestFile(root + "ctrl.vtl", list);
        QByteArray out;
        QCOMPARE(runExe({"--read", root + "ctrl.vtl"}, &out), 0);
        for (const char c : out) // tabs only between the cells
            QVERIFY2(c == '\n' || c == '\t' || uchar(c) >= 0x20, out.constData());
        QCOMPARE(out.count('\t'), ColCount - 1);
        QVERIFY(out.contains("new?[31mred?line?x/\tf?]0;title?.txt\t"));
        QVERIFY(out.contains("new?[31mred?line?x/gone??.txt\n"));
    }
};

VT_TEST_GUILESS_MAIN(HugeInputsTest)
#include "tst_core_hugeinputs.moc"
