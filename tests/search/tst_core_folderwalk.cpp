#include "attributes.h"
#include "testfiles.h"
#include "platform/dirreader.h"
#include "search/core/folderwalk.h"
#include "base/operation.h"
#include "platform/fileentry.h"
#include "search/core/matchrow.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

using namespace vt;

namespace {

const QDateTime kOld(QDate(2020, 5, 1), QTime(10, 0, 0));
const QDateTime kNew(QDate(2026, 12, 8), QTime(11, 55, 0));

struct Tree {
    QTemporaryDir tmp;
    QString root() const { return tmp.path() + QLatin1Char('/'); }
    void file(const QString &rel, qint64 bytes = 0, const QDateTime &t = kOld)
    {
        const QString p = root() + rel;
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(int(bytes), 'x'));
        f.close();
        QVERIFY(fs::setModifiedTime(p, t.toSecsSinceEpoch()));
    }
    void dir(const QString &rel, const QDateTime &t = kOld)
    {
        QVERIFY(QDir().mkpath(root() + rel));
        QVERIFY(fs::setModifiedTime(root() + rel, t.toSecsSinceEpoch()));
    }
};

struct Result {
    std::vector<TableRow> rows;
    std::vector<QByteArray> native;
    int stop = 0;
    QStringList paths() const
    {
        QStringList out;
        for (const TableRow &r : rows)
            out << r.cells[ColFolder] + r.cells[ColName];
        return out;
    }
};

void setMode(WalkSettings &s, SearchMode mode)
{
    s.filter.files = mode >= ModeFilesAndFolders;
    s.filter.folders = mode != ModeFiles;
    s.emptyFoldersOnly = mode == ModeEmptyFolders;
}

// Walks with a context whose stop the callbacks may request: onYield when
// events would be served, onRow after each row.
Result walk(const QString &start, WalkSettings s, std::function<void(Result &, OperationContext &)> onYield = {},
            std::function<void(Result &, OperationContext &)> onRow = {})
{
    Result res;
    OperationContext ops;
    ops.setEventPump([&] {
        if (onYield)
            onYield(res, ops);
    });
    s.start = start;
    FolderWalk w(
        s,
        [&](const WalkItem &m) {
            res.rows.push_back(matchRow(m, int(res.rows.size()) + 1));
            res.native.push_back(m.nativePath);
            if (onRow)
                onRow(res, ops);
            return true;
        },
        &ops);
    res.stop = w.run();
    return res;
}

// A few hundred folders up to six levels deep: mixed-case, Cyrillic and
// hidden names, case twins, linked and empty folders, most files old and
// some new, so that each kind of entry meets each thread count.
void buildMixedTree(Tree &t)
{
    std::mt19937 rnd(28);
    const QStringList words{"alpha", "Beta", "Отчёт", "data", "Фото", ".hid", "Zed", "zed"};
    std::function<void(const QString &, int)> fill = [&](const QString &dir, int level) {
        const int files = int(rnd() % 7);
        for (int i = 0; i < files; ++i) {
            const QString name = words[rnd() % words.size()] + QString::number(i) + (i % 2 ? ".txt" : ".JPG");
            t.file(dir + name, qint64(rnd() % 3000), rnd() % 4 ? kOld : kNew);
        }
        if (level == 0)
            QVERIFY(QFile::link(t.root() + dir, t.root() + dir + "loop"));
        const int subs = level >= 5 ? 0 : int(rnd() % 4) + (level < 2 ? 2 : 0);
        for (int i = 0; i < subs; ++i) {
            const QString sub = dir + words[rnd() % words.size()] + QString::number(i) + '/';
            t.dir(sub);
            fill(sub, level + 1);
        }
    };
    fill(QString(), 0);
}

// Open descriptors of this process; -1 where the system does not tell.
int openDescriptors()
{
#ifdef __linux__
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size());
#else
    return -1;
#endif
}

struct WalkCase {
    const char *name;
    std::function<void(WalkSettings &)> set;
    int stopAtRow = 0; // the user stops while this row is added
};

} // namespace

class FolderWalkTest : public QObject {
    Q_OBJECT
private slots:
    void preOrderAndDepth()
    {
        Tree t;
        t.file("b.txt");
        t.file("A/x.txt");
        t.file("A/deep/y.txt");
        t.file("c/z.txt");
        t.file("a.txt");
        WalkSettings s;
        setMode(s, ModeFiles);
        s.depth = 0;
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"a.txt", "b.txt"}));
        s.depth = 1;
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"a.txt", "b.txt", "A/x.txt", "c/z.txt"}));
        s.depth = 200;
        setMode(s, ModeFilesAndFolders);
        const Result r = walk(t.root(), s);
        // A folder's own matches come before those of its sub-folders.
        QCOMPARE(r.paths(), QStringList({"A", "a.txt", "b.txt", "c", "A/deep", "A/x.txt",
                                         "A/deep/y.txt", "c/z.txt"}));
        // IDs follow the order of finding.
        QCOMPARE(r.rows.front().cells[ColID], QStringLiteral("1"));
        QCOMPARE(r.rows.back().cells[ColID], QStringLiteral("8"));
        QCOMPARE(r.rows[0].cells[ColType], QStringLiteral("<Dir>"));
    }

    void limitIsReportedOnTheNextEntry()
    {
        Tree t;
        t.file("one.txt");
        t.file("two.txt");
        WalkSettings s;
        s.limit = 1;
        Result r = walk(t.root(), s);
        QCOMPARE(int(r.rows.size()), 1);
        QCOMPARE(r.stop, int(StopLimit));
        // Exactly as many matches as the limit: the walk completes.
        Tree u;
        u.file("one.txt");
        r = walk(u.root(), s);
        QCOMPARE(int(r.rows.size()), 1);
        QCOMPARE(r.stop, int(StopNone));
    }

    void sizeBoundsInWholeKilobytes()
    {
        Tree t;
        t.file("small.bin", 1023);
        t.file("kb.bin", 1024);
        WalkSettings s;
        setMode(s, ModeFiles);
        s.filter.minKb = 0;
        s.filter.maxKb = 0;
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"small.bin"}));
        s.filter.minKb = 1;
        s.filter.maxKb = 1;
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"kb.bin"}));
    }

    void dateBoundsIncludeTheMaximum()
    {
        Tree t;
        t.file("at.txt", 0, kNew);
        t.file("later.txt", 0, kNew.addSecs(2));
        t.file("old.txt", 0, kOld);
        WalkSettings s;
        s.filter.minStamp = fs::fatStamp(kNew.addSecs(-600));
        s.filter.maxStamp = fs::fatStamp(kNew);
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"at.txt"}));
        // Folders are tested for their date too.
        t.dir("fresh", kNew);
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"at.txt", "fresh"}));

        // Times are first sifted raw, and only those near the bounds get
        // their local stamp; the ends must come out as the stamps decide.
        Tree u;
        u.file("first.txt", 0, kNew.addSecs(-600));
        u.file("before.txt", 0, kNew.addSecs(-602));
        u.file("days before.txt", 0, kNew.addDays(-3));
        u.file("days after.txt", 0, kNew.addDays(3));
        u.file("beyond 2107.txt", 0, QDateTime(QDate(2110, 1, 1), QTime(12, 0)));
        QCOMPARE(walk(u.root(), s).paths(), QStringList({"first.txt"}));
        // Without a lower bound a time past the stamp's years (stamp 0) passes.
        s.filter.minStamp = 0;
        QCOMPARE(walk(u.root(), s).paths(),
                 QStringList({"before.txt", "beyond 2107.txt", "days before.txt", "first.txt"}));
    }

    void hiddenAndReadOnlyExclusions()
    {
        Tree t;
        t.file(".secret/inner.txt");
        t.file("ro/inside.txt");
        t.file("plain.txt");
        QVERIFY(test::makeHidden(t.root() + ".secret"));
        QVERIFY(test::makeReadOnly(t.root() + "ro"));
        WalkSettings s;
        setMode(s, ModeFiles);
        s.filter.attrSet = fs::AttrAll & ~fs::AttrHidden;
        // Files inside a hidden folder are not found with H on.
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"plain.txt", "ro/inside.txt"}));
        fs::Entry ro;
        if (!fs::lookup(t.root() + "ro", &ro) || !(ro.attrs & fs::AttrReadOnly))
            QSKIP("this file system keeps no read-only mark on folders (Wine)");
        s.filter.attrSet = fs::AttrAll & ~fs::AttrReadOnly;
        setMode(s, ModeFilesAndFolders);
        // A read-only folder is itself left out but still walked.
        QCOMPARE(walk(t.root(), s).paths(),
                 QStringList({".secret", "plain.txt", ".secret/inner.txt", "ro/inside.txt"}));
        QVERIFY(test::makeReadOnly(t.root() + "ro", false));
    }

    void emptyFolderMode()
    {
        Tree t;
        t.dir("empty");
        t.file("onlyhidden/.h");
        t.file("full/f.txt");
        t.dir("full/emptyinside");
        WalkSettings s;
        setMode(s, ModeEmptyFolders);
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"empty", "full/emptyinside"}));
        setMode(s, ModeAllFolders);
        QCOMPARE(walk(t.root(), s).paths().size(), 4);
    }

    void stopKeepsRowsFound()
    {
        Tree t;
        for (int i = 0; i < 300; ++i)
            t.file(QStringLiteral("d%1/f.txt").arg(i, 3, 10, QLatin1Char('0')));
        WalkSettings s;
        setMode(s, ModeFiles);
        // Stop pressed while the third row is being added: the walk ends
        // before the next entry.
        Result r = walk(t.root(), s, {}, [](Result &res, OperationContext &ops) {
            if (res.rows.size() == 3)
                ops.requestStop();
        });
        QCOMPARE(r.stop, int(StopUser));
        QCOMPARE(r.paths(), QStringList({"d000/f.txt", "d001/f.txt", "d002/f.txt"}));
    }

    void caseTwinsGetDistinctShortForms()
    {
        VT_LINUX_ONLY("case twins, the stand-in short forms");
        Tree t;
        t.file("Sub/Readme.txt");
        t.file("Sub/README.txt");
        t.file("Sub/other.txt");
        WalkSettings s;
        setMode(s, ModeFiles);
        const Result r = walk(t.root(), s);
        QCOMPARE(r.rows.size(), size_t(3));
        const QString prefix = t.root().toUpper() + "SUB/";
        QStringList shorts;
        for (const TableRow &row : r.rows)
            shorts << row.cells[Col83];
        shorts.sort();
        QCOMPARE(shorts, QStringList({prefix + "OTHER.TXT", prefix + "README.TXT~1", prefix + "README.TXT~2"}));
    }

    void unreadableNamesOnlyInTheirOwnSearch()
    {
        VT_LINUX_ONLY("names that are not UTF-8");
        Tree t;
        t.file("good.txt");
        QVERIFY(fs::createFileNative(fs::nativePath(t.root()) + "bad\xff\xfe.txt"));
        WalkSettings s;
        setMode(s, ModeFiles);
        Result r = walk(t.root(), s);
        QCOMPARE(r.rows.size(), size_t(2));
        s.unreadable = true;
        r = walk(t.root(), s);
        QCOMPARE(r.rows.size(), size_t(1));
        QVERIFY(r.rows[0].cells[ColName].startsWith("bad"));
        QVERIFY(r.rows[0].cells[Col83].isEmpty());
        QVERIFY(fs::removeFileNative(fs::nativePath(t.root()) + "bad\xff\xfe.txt"));
    }

    void extensionPassesInListOrder()
    {
        Tree t;
        t.file("a.txt");
        t.file("b.jpg");
        t.file("c.TXT");
        t.file("d.doc");
        WalkSettings s;
        setMode(s, ModeFiles);
        s.masks = {"*.JPG", "*.TXT"};
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"b.jpg", "a.txt", "c.TXT"}));
        s.masks = {"?.t*"};
        QCOMPARE(walk(t.root(), s).paths(), QStringList({"a.txt", "c.TXT"}));
    }

    void linkedFoldersAreListedButNotEntered()
    {
        VT_LINUX_ONLY("symbolic links made by QFile::link");
        Tree t;
        t.file("real/inside.txt");
        QVERIFY(QFile::link(t.root() + "real", t.root() + "link"));
        QVERIFY(QFile::link(t.root() + "nowhere", t.root() + "dangling"));
        WalkSettings s;
        const Result r = walk(t.root(), s);
        QCOMPARE(r.paths(), QStringList({"dangling", "link", "real", "real/inside.txt"}));
        QCOMPARE(r.rows[0].cells[ColType], QString()); // a dangling link is a plain file
        QCOMPARE(r.rows[1].cells[ColType], QStringLiteral("<Dir>"));
    }

    // The workers only read ahead: rows (IDs, short forms included), their
    // order, the limit, the depth and the stop are those of a walk on one
    // thread, whatever the number of workers.
    void sameRowsWhateverTheWorkers()
    {
        Tree t;
        buildMixedTree(t);
        const std::vector<WalkCase> cases{
            {"everything", [](WalkSettings &) {}},
            {"depth 2, files", [](WalkSettings &s) { s.depth = 2; setMode(s, ModeFiles); }},
            {"limit", [](WalkSettings &s) { s.limit = 150; }},
            {"stop", [](WalkSettings &) {}, 77},
            {"new only", [](WalkSettings &s) { s.filter.minStamp = fs::fatStamp(kNew.addSecs(-1)); }},
            {"empty folders", [](WalkSettings &s) { setMode(s, ModeEmptyFolders); }},
            {"masks, hidden left out", [](WalkSettings &s) {
                 s.masks = {"*.JPG", "*.txt"};
                 s.filter.attrSet = fs::AttrAll & ~fs::AttrHidden;
             }},
        };
        const int descriptors = openDescriptors();
        for (const WalkCase &c : cases) {
            Result want;
            for (int workers : {0, 1, 2, 5}) {
                WalkSettings s;
                c.set(s);
                s.workers = workers;
                const int stopAt = c.stopAtRow;
                const Result r = walk(t.root(), s, {}, [stopAt](Result &res, OperationContext &ops) {
                    if (int(res.rows.size()) == stopAt)
                        ops.requestStop();
                });
                // Stopped or not, every folder read is closed, whichever thread read it.
                QCOMPARE(openDescriptors(), descriptors);
                if (workers == 0) {
                    want = r;
                    QVERIFY2(r.rows.size() > 3, c.name);
                    continue;
                }
                QVERIFY2(r.paths() == want.paths(), c.name);
                QCOMPARE(r.stop, want.stop);
                for (size_t i = 0; i < r.rows.size(); ++i)
                    QVERIFY2(r.rows[i].cells == want.rows[i].cells, c.name);
            }
        }
        // The cases reach what they are meant to.
        WalkSettings s;
        s.limit = 150;
        QCOMPARE(walk(t.root(), s).stop, int(StopLimit));
        s.depth = 1;
        s.limit = kRowLimitMax;
        QVERIFY(walk(t.root(), s).paths().size() < walk(t.root(), WalkSettings()).paths().size());
    }

    void vanishedStartFolderFindsNothing()
    {
        WalkSettings s;
        const Result r = walk("/nonexistent-folder-for-test/", s);
        QVERIFY(r.rows.empty());
        QCOMPARE(r.stop, 0);
    }
};

VT_TEST_GUILESS_MAIN(FolderWalkTest)
#include "tst_core_folderwalk.moc"
