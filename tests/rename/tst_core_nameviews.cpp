#include "fakeservices.h"
#include "rename/core/colview.h"
#include "rename/core/namesplit.h"
#include "rename/core/rowview.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

QStringList parts(const QStringList &lines, SplitMode m) { return splitLines(lines, m).parts; }
QStringList editor(const QStringList &lines, SplitMode m) { return splitLines(lines, m).editor; }

// A table relative to /data/: two files in "x/", a folder "x/" in the top and one beside them.
void fill(TableModel &t)
{
    t.setStartFolder(QStringLiteral("/data/"));
    t.appendRow(test::fileRow(1, "x/", "b.txt", 10));
    t.appendRow(test::fileRow(2, "x/", "README", 20));
    t.appendRow(test::dirRow(3, "", "x"));
    t.appendRow(test::dirRow(4, "x/", "sub"));
    for (int i = 0; i < t.size(); ++i)
        t.setSelected(i, true);
}

} // namespace

class TestNameViews : public QObject {
    Q_OBJECT

private slots:
    void splitAtTheDot()
    {
        // Repeats ignoring case give one result and one remainder.
        const SplitOutcome o = splitLines({"C:\\a\\b.txt", "C:\\a\\B.TXT"}, SplitMode::Dot);
        QCOMPARE(o.parts, QStringList{"txt"});
        QCOMPARE(o.editor, QStringList{"C:\\a\\b"});
        // A dot left of the last slash of either kind is not an extension.
        QCOMPARE(parts({"C:\\a.b\\c", "/x.y/z"}, SplitMode::Dot), QStringList());
        QCOMPARE(editor({"C:\\a.b\\c"}, SplitMode::Dot), QStringList{"C:\\a.b\\c"});
        // Only the last dot cuts; a trailing dot leaves an empty part, which is dropped.
        QCOMPARE(splitLines({"a.tar.gz", "b."}, SplitMode::Dot).parts, QStringList{"gz"});
        QCOMPARE(editor({"a.tar.gz", "b."}, SplitMode::Dot), (QStringList{"a.tar", "b"}));
    }

    void splitAtSlashes()
    {
        QCOMPARE(parts({"C:\\a\\b"}, SplitMode::LeftSlash), QStringList{"C:"});
        QCOMPARE(editor({"C:\\a\\b"}, SplitMode::LeftSlash), QStringList{"a\\b"});
        QCOMPARE(parts({"a\\b"}, SplitMode::LeftSlash), QStringList{"a"});
        QCOMPARE(editor({"a\\b"}, SplitMode::LeftSlash), QStringList{"b"});
        // An absolute path gives nothing on the first cut, only its remainder.
        QCOMPARE(splitLines({"/home/u"}, SplitMode::LeftSlash).parts, QStringList());
        QCOMPARE(editor({"/home/u"}, SplitMode::LeftSlash), QStringList{"home/u"});
        // Right: both kinds of slash, the last one wins.
        QCOMPARE(parts({"/a/b\\c", "/a/d/"}, SplitMode::RightSlash), QStringList{"c"});
        QCOMPARE(editor({"/a/b\\c", "/a/d/"}, SplitMode::RightSlash), (QStringList{"/a/b", "/a/d"}));
        // No separator: the line stays, and it is still sorted with the others.
        QCOMPARE(editor({"zeta", "/b/Alpha"}, SplitMode::RightSlash), (QStringList{"/b", "zeta"}));
    }

    void sortingDropsRepeatsAndEmptyLines()
    {
        QCOMPARE(sortedUnique({"b", "", "A", "a", "B", "c"}), (QStringList{"A", "b", "c"}));
        QCOMPARE(sortedUnique({"Яблоко", "ананас", "яблоко"}), (QStringList{"ананас", "Яблоко"}));
        QCOMPARE(memoLines(QString()), QStringList());
        QCOMPARE(memoLines("a\r\nb\n"), (QStringList{"a", "b"}));
        QCOMPARE(memoLines("a\n\nb"), (QStringList{"a", "", "b"}));
    }

    void resultsAppendOrReplace()
    {
        const QStringList old{"x"};
        QCOMPARE(withResults(old, {"a", "b"}, true, QString()), (QStringList{"x", "", "a", "b"}));
        QCOMPARE(withResults({}, {"a"}, true, QString()), QStringList{"a"});
        QCOMPARE(withResults(old, {"a"}, false, "<До ТОЧКИ>"), (QStringList{"<До ТОЧКИ>", "a"}));
        QCOMPARE(withResults(old, {"a"}, true, "<До СЛЕША>"), (QStringList{"x", "", "<До СЛЕША>", "a"}));
        // Repeats are dropped only among the new parts, not against the memo.
        QCOMPARE(withResults({"txt"}, parts({"a.TXT"}, SplitMode::Dot), true, QString()),
                 (QStringList{"txt", "", "TXT"}));
    }

    void viewOfTableRows()
    {
        TableModel t;
        fill(t);
        t.setSelected(3, false);
        const ViewLists v = viewOfTable(t);
        QCOMPARE(v.files.folders, (QStringList{"/data/x/", "/data/x/"}));
        QCOMPARE(v.files.names, (QStringList{"b", "README"}));
        QCOMPARE(v.files.exts, (QStringList{".txt", ""}));
        QCOMPARE(dirMemoLines(v, true), QStringList{"/data/x"});
        QCOMPARE(dirMemoLines(v, false), QStringList{"x"});
        QCOMPARE(splitterLines(v), (QStringList{"/data/x/b.txt", "/data/x/README", "/data/x"}));
        QCOMPARE(splitterLinesOfTable(t), (QStringList{"/data/x/b.txt", "/data/x/README", "/data/x"}));
        QCOMPARE(viewCaption("таблице", v.total()), QStringLiteral("Просмотр выделенных в таблице (всего: 3)"));
    }

    void viewOfPreparedPaths()
    {
        QTemporaryDir tmp;
        const QString d = tmp.path() + '/';
        QVERIFY(QDir(d).mkdir("sub.d"));
        test::writeTestFile(d + "f.txt", "x");
        const QStringList paths{d + "f.txt", d + "sub.d", d + "sub.d/"};
        // Each path by the disk, then forced to one kind.
        const ViewLists any = viewOfPaths(paths, ViewMode::Any);
        QCOMPARE(SetFMem(any.files, true, true), QStringList{d + "f.txt"});
        QCOMPARE(dirMemoLines(any, true), (QStringList{d + "sub.d", d + "sub.d"}));
        const ViewLists files = viewOfPaths(paths, ViewMode::Files);
        QCOMPARE(files.fileCount(), 3);
        QCOMPARE(files.files.exts, (QStringList{".txt", ".d", ".d"}));
        QCOMPARE(viewOfPaths(paths, ViewMode::Folders).dirNames, (QStringList{"f.txt", "sub.d", "sub.d"}));
    }

    void parentFolderList()
    {
        TableModel t;
        fill(t);
        const ViewLists v = viewOfTable(t);
        // Files in /data/x/ and the folder sub in /data/x/ give it once.
        QCOMPARE(parentFolders(v, false), (QStringList{"/data", "/data/x"}));
        QCOMPARE(parentFolders(v, true), (QStringList{"data", "x"}));
        // Spellings that differ in case count once; the root stays itself.
        const ViewLists p = viewOfPaths({"/A/f", "/a/g", "/top"}, ViewMode::Files);
        QCOMPARE(parentFolders(p, false), (QStringList{"/", "/A"}));
        QCOMPARE(parentFolders(p, true), QStringList{"A"});
    }

    void columnLine()
    {
        TableModel t;
        fill(t);
        ColViewState st;
        // The name checked and the ID grayed: ID, a space, the quoted name.
        st.setBox(BoxName, Qt::Checked, true);
        st.setBox(BoxId, Qt::PartiallyChecked, true);
        QCOMPARE(colViewLine(st, t, 0), QStringLiteral("1 \"b.txt\""));
        // Grayed path boxes write the path plain; the start folder only when asked for.
        st.setBox(BoxFolder, Qt::PartiallyChecked, true);
        QCOMPARE(st.boxes[BoxName], Qt::PartiallyChecked);
        QVERIFY(st.startFolderEnabled);
        QCOMPARE(colViewLine(st, t, 0), QStringLiteral("1 x/b.txt"));
        st.startFolder = true;
        QCOMPARE(colViewLine(st, t, 0), QStringLiteral("1 /data/x/b.txt"));
        // Checking the name again gives the folder the same state.
        st.setBox(BoxName, Qt::Checked, true);
        QCOMPARE(st.boxes[BoxFolder], Qt::Checked);
        QCOMPARE(colViewLine(st, t, 2), QStringLiteral("3 \"/data/x\""));
        // The other columns follow in their order, quoted or plain; an empty cell is left out.
        st.setBox(BoxId, Qt::Checked, true);
        st.setBox(BoxType, Qt::Checked, true);
        st.setBox(BoxByte, Qt::PartiallyChecked, true);
        st.setBox(BoxOrd, Qt::PartiallyChecked, true);
        QCOMPARE(colViewLine(st, t, 1), QStringLiteral("\"2\" \"/data/x/README\" 20 -"));
        QCOMPARE(colViewLine(st, t, 0), QStringLiteral("\"1\" \"/data/x/b.txt\" \"TXT\" 10 -"));
        // Clearing the folder disables the start folder and leaves the name alone.
        st.setBox(BoxFolder, Qt::Unchecked, true);
        QVERIFY(!st.startFolderEnabled);
        QCOMPARE(st.boxes[BoxName], Qt::Checked);
        st.reset();
        QVERIFY(!st.anySet());
        QCOMPARE(colViewLine(st, t, 0), QString());
        // Without a search start folder its box never becomes usable.
        st.setBox(BoxFolder, Qt::Checked, false);
        QVERIFY(!st.startFolderEnabled);
    }
};

VT_TEST_GUILESS_MAIN(TestNameViews)
#include "tst_core_nameviews.moc"
