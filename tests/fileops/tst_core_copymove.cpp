#include "fileops/core/copymove.h"
#include "fileops/core/recenttargets.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "childprocess.h"
#include "fakeservices.h"
#include "lists/core/listcontroller.h"
#include "lists/core/vtlfile.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/regularfile.h"
#include "shortform.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

namespace {

QByteArray readAll(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList names(const QString &dir)
{
    QStringList l = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    return l;
}

// Puts failures around the real engine: something done just before a file
// is copied or moved.
class FaultyEngine : public FileEngine {
public:
    std::function<void(const QByteArray &from, const QByteArray &to)> before;
    std::function<void()> duringBigFile;
    fs::CopyOutcome copy(const QByteArray &from, const fs::DirHandle &d, const QByteArray &name,
                         const fs::CopyOptions &o) override
    {
        if (before)
            before(from, d.path() + name);
        return FileEngine::copy(from, d, name, wrap(o));
    }
    fs::CopyOutcome move(const QByteArray &from, const fs::DirHandle &d, const QByteArray &name,
                         const fs::CopyOptions &o) override
    {
        if (before)
            before(from, d.path() + name);
        return FileEngine::move(from, d, name, wrap(o));
    }

private:
    fs::CopyOptions wrap(fs::CopyOptions o)
    {
        if (duringBigFile) {
            auto inner = o.stop;
            o.stop = [this, inner] {
                duringBigFile();
                return inner();
            };
        }
        return o;
    }
};

} // namespace

class CopyMoveTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root, S, T; // case folder, sources, target
    int caseNo = 0;

    QString make(const QString &path, const QByteArray &bytes = "x")
    {
        test::writeTestFile(path, bytes);
        return path;
    }
    // Full-path rows, all selected.
    void addRows(TableModel &t, const QStringList &paths)
    {
        AppendState st;
        for (const QString &p : paths)
            QCOMPARE(appendPath(t, st, p), AppendResult::Added);
        t.setAllSelected(true);
    }
    // Rows relative to a search start folder, as a search makes them.
    void addRelative(TableModel &t, const QString &start, const QStringList &rels)
    {
        t.setStartFolder(start);
        for (const QString &rel : rels) {
            fs::Entry e;
            QVERIFY(fs::lookup(start + rel, &e));
            const int slash = rel.lastIndexOf('/');
            TableRow r = makeRow(t.size() + 1, rel.left(slash + 1),
                                 rowEntry(fs::nativePath(start + rel), e, test::shortForm(start + rel)));
            r.selected = true;
            t.appendRow(std::move(r));
        }
    }
    static QStringList opLog() { return currentLog().opLog(); }
    // Lines after the header and its "-".
    static QStringList items()
    {
        const QStringList l = opLog();
        return l.mid(2, l.size() - 3);
    }

#ifndef _WIN32
    QStringList inChild(const std::function<void()> &limit, const std::function<QStringList()> &body)
    {
        return test::inChild(root + "child.out", limit, body);
    }
#endif

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
    }
    void init()
    {
        root = data.path() + QStringLiteral("/c%1/").arg(++caseNo);
        S = root + "s/";
        T = root + "t/";
        QVERIFY(QDir().mkpath(S));
        QVERIFY(QDir().mkpath(T));
        currentLog().beginOperation(LogKind::None);
        QFile::remove(optPath() + "oldcm");
        QFile::remove(optPath() + "c1");
        QFile::remove(optPath() + "m1");
    }

    void prefixNumbersAndTheLogBlock()
    {
        test::FakeServices fx;
        make(T + "a.txt", "old");
        make(T + "001-a.txt", "old1");
        TableModel t;
        addRows(t, {make(S + "a.txt", "new"), make(S + "b.txt"), make(S + "c.txt")});
        QFile::remove(S + "c.txt");
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T.chopped(1); // the separator is added
        CopyMover cm(t, ops, lcm);
        fx.ui.yesNo.enqueue(true);
        const CopyMoveResult r = cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(fx.ui.texts(), QStringList({"Копировать выделенные файлы (3 шт.) в папку:\r\n" + T
                                              + "\r\nПродолжить?"}));
        QVERIFY(r.ran && r.closeWindow);
        QCOMPARE(readAll(T + "002-a.txt"), QByteArray("new"));
        QCOMPARE(readAll(T + "a.txt"), QByteArray("old"));
        QCOMPARE(names(T), QStringList({"001-a.txt", "002-a.txt", "a.txt", "b.txt"}));
        QCOMPARE(opLog().first(), "08.12.2026 12:00:00 Копировать выделенные файлы (3 шт.) в папку:\r\n" + T);
        QCOMPARE(items(), QStringList({S + "a.txt >> " + T + "002-a.txt", S + "b.txt >> " + T + "b.txt",
                                       "<Не найден файл> " + S + "c.txt", "___\r\n"}));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 2 из 3, лог сохранен"));
        QCOMPARE(currentLog().lastKind(), LogKind::Copy);
        QVERIFY(currentLog().text().endsWith("Результат: 2 из 3\r\n-"));
        // The saved log keeps the summary without the note.
        const QString saved = fromCp1251(readAll(optPath() + "c1"));
        QVERIFY(saved.contains("Результат: 2 из 3"));
        QVERIFY(!saved.contains("лог сохранен"));
        QCOMPARE(lcm, T);
        QCOMPARE(readCp1251Lines(optPath() + "oldcm"), QStringList{T});
        QCOMPARE(fx.sound.played, QList<int>{3});
        QVERIFY(!ops.progress().shown());
        QVERIFY(!ops.busy() && !t.suppress());
        QVERIFY(QFileInfo::exists(S + "a.txt")); // a copy keeps its source
    }

    void prefixLimit()
    {
        test::FakeServices fx;
        make(T + "a");
        for (int i = 1; i < 1000; ++i)
            make(T + copyPrefix(i) + "a");
        TableModel t;
        addRows(t, {make(S + "a", "mine")});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        CopyMover cm(t, ops, lcm);
        fx.ui.yesNo.enqueue(true);
        cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(items(), QStringList({"<Error> " + T + "a [ошибка! превышен лимит префиксов]", "___\r\n"}));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 0 из 1")); // nothing saved
        QCOMPARE(names(T).size(), 1000);
    }

    void movesOntoItsOwnFolderAndWithAPrefix()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {make(S + "a.txt", "A")});
        // Moves come from a list here: the open list is marked changed.
        const QString list = root + "l.vtl";
        QVERIFY(writeVtl(list, t, false).ok);
        OperationContext ops;
        ops.setEventPump([] {});
        CurrentLog listLog;
        ListController lc(t, ops, listLog, {});
        QVERIFY(lc.openList(list));
        t.setAllSelected(true);
        const TableRow before = t.at(0);

        QString lcm = S;
        CopyMover cm(t, ops, lcm);
        cm.setLists(&lc);
        fx.ui.yesNo.enqueue(true);
        cm.CopyMove(Transfer::Move);
        QCOMPARE(fx.ui.lastText(), "Переместить выделенные файлы (1 шт.) в папку:\r\n" + S + "\r\nПродолжить?");
        QCOMPARE(items(), QStringList({"<Error> " + S + "a.txt [папка не изменена]", "___\r\n"}));
        QCOMPARE(t.at(0).cells, before.cells);
        QVERIFY(!lc.changed());

        make(T + "a.txt", "theirs");
        lcm = T;
        fx.ui.yesNo.enqueue(true);
        cm.CopyMove(Transfer::Move);
        QCOMPARE(items(), QStringList({S + "a.txt >> " + T + "001-a.txt", "___\r\n"}));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 1 из 1, лог сохранен"));
        QCOMPARE(currentLog().lastKind(), LogKind::Move);
        QVERIFY(!QFileInfo::exists(S + "a.txt"));
        QCOMPARE(readAll(T + "001-a.txt"), QByteArray("A"));
        QCOMPARE(readAll(T + "a.txt"), QByteArray("theirs"));
        const TableRow &r = t.at(0);
        QCOMPARE(r.cells[ColName], QStringLiteral("001-a.txt"));
        QCOMPARE(r.cells[ColFolder], T);
        QCOMPARE(r.cells[Col83], test::shortForm(T + "001-a.txt"));
        QCOMPARE(r.cells[ColModified], before.cells[ColModified]);
        QCOMPARE(t.fullPath(0), fs::nativePath(T + "001-a.txt"));
        QVERIFY(t.has83(test::shortForm(T + "001-a.txt")));
        QVERIFY(lc.changed());
        QCOMPARE(readCp1251Lines(optPath() + "oldcm"), QStringList({T, S}));
    }

    void refusalsBeforeAnythingHappens()
    {
        test::FakeServices fx;
        TableModel t;
        make(S + "a/x.txt");
        addRelative(t, S, {"a/x.txt"});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        int converted = 0;
        CopyMoveHooks h;
        h.preobr = [&] { ++converted; };
        CopyMover cm(t, ops, lcm, h);

        // A move of a relative table only asks to convert it.
        const QString ask = "Для перемещения файлов нужно преобразовать пути\rколонки \"Папка\" из "
                            "относительного в полный формат. Продолжить?";
        fx.ui.yesNo << true << false;
        QVERIFY(!cm.CopyMove(Transfer::Move).ran);
        QVERIFY(!cm.CopyMove(Transfer::Move).ran);
        QCOMPARE(fx.ui.texts(), QStringList({ask, ask}));
        QCOMPARE(converted, 1);
        QVERIFY(QFileInfo::exists(S + "a/x.txt"));

        // Target same as the start folder, target missing, target empty.
        fx.ui.clear();
        lcm = S;
        cm.CopyMove(Transfer::Copy, CopyMode::Backup);
        lcm = root + "gone";
        cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(fx.ui.texts(), QStringList({"Папка назначения совпадает с папкой начала поиска.",
                                             "Не найдена папка:\r" + root + "gone"}));
        lcm.clear();
        cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(fx.ui.beeps, 1);

        // Backup and the folder check need a start folder: a beep, nothing else.
        fx.ui.clear();
        TableModel full;
        addRows(full, {S + "a/x.txt"});
        lcm = T;
        CopyMover cm2(full, ops, lcm);
        QVERIFY(!cm2.CopyMove(Transfer::Copy, CopyMode::Backup).ran);
        QVERIFY(!cm2.CopyMove(Transfer::Copy, CopyMode::CheckFolders).ran);
        QCOMPARE(fx.ui.beeps, 2);
        QVERIFY(fx.ui.calls.isEmpty());
        // No file selected, or busy: nothing at all.
        full.setAllSelected(false);
        cm2.CopyMove(Transfer::Copy, CopyMode::Prefix);
        full.setAllSelected(true);
        {
            OperationContext::Scope busy(ops);
            cm2.CopyMove(Transfer::Copy, CopyMode::Prefix);
        }
        QVERIFY(fx.ui.calls.isEmpty());
        QCOMPARE(names(T), QStringList());
        QVERIFY(!QFileInfo::exists(optPath() + "oldcm"));
    }

    void backupMakesMissingFoldersParentsFirst()
    {
        test::FakeServices fx;
        for (const char *p : {"a/b/x.txt", "a/y.txt", "c/z.txt"})
            make(S + p, p);
        TableModel t;
        addRelative(t, S, {"a/b/x.txt", "a/y.txt", "c/z.txt"});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        QStringList shown;
        CopyMoveHooks h;
        h.showNewDirs = [&](const QString &target, const QStringList &dirs) { shown << target << dirs; };
        CopyMover cm(t, ops, lcm, h);

        QCOMPARE(GetNewDirs({"a/b/", "a/", "c/"}, T), QStringList({"a/", "a/b/", "c/"}));
        QVERIFY(!cm.CopyMove(Transfer::Copy, CopyMode::CheckFolders).ran); // asks nothing, lists, copies nothing
        QCOMPARE(shown, QStringList({T, "a/", "a/b/", "c/"}));
        QVERIFY(fx.ui.calls.isEmpty());

        fx.ui.yesNo << true << true;
        QVERIFY(cm.CopyMove(Transfer::Copy, CopyMode::Backup).ran);
        QCOMPARE(fx.ui.texts(),
                 QStringList({"Копировать [ПЕРЕЗАПИСЬ, РЕЗЕРВНОЕ] выделенные файлы (3 шт.) в папку:\r\n" + T
                                  + "\r\nПродолжить?",
                              "Информация:\rНе найдены совпадающие имена файлов для перезаписи.\r"
                              "Будет создано новых папок: 3\rКопировать файлы?"}));
        QCOMPARE(readAll(T + "a/b/x.txt"), QByteArray("a/b/x.txt"));
        QCOMPARE(readAll(T + "c/z.txt"), QByteArray("c/z.txt"));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 3 из 3\r\nПерезаписано при копировании: 0 из 3, лог сохранен"));

        fx.ui.clear();
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Copy, CopyMode::CheckFolders);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Не найдено несуществующих папок"));
        fx.ui.yesNo.clear(); // mode 3 asks no header question

        QStringList entries{"a/", "n/", "gone/deeper/"};
        MkResDirr(false, T, entries);
        QCOMPARE(entries, QStringList({T + "a/ <существует>", T + "n/ <создана>", T + "gone/deeper/ <ошибка>"}));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Всего папок: 3\rИз них существует: 1\rСоздано новых папок: 1"));
    }

    void reviewTagsTicksAndWhatApplyingDoes()
    {
        test::FakeServices fx;
        const QDateTime old(QDate(2020, 1, 1), QTime(10, 0, 0)), recent(QDate(2024, 1, 1), QTime(10, 0, 0));
        auto put = [&](const QString &p, const QByteArray &b, const QDateTime &when) {
            make(p, b);
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        };
        put(S + "n.txt", "newer", recent);  put(T + "n.txt", "old", old);
        put(S + "e.txt", "same", recent);   put(T + "e.txt", "SAME", recent);
        put(S + "o.txt", "o", old);         put(T + "o.txt", "longer", recent);
        put(S + "f.txt", "fresh", recent);
        TableModel t;
        addRows(t, {S + "n.txt", S + "e.txt", S + "o.txt", S + "f.txt"});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        RewriteScan seen;
        ReviewDecision answer;
        CopyMoveHooks h;
        h.review = [&](const RewriteScan &s) {
            seen = s;
            return std::optional<ReviewDecision>(answer);
        };
        CopyMover cm(t, ops, lcm, h);

        answer.applied = true;
        answer.ticks = {false, false, false};
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Copy, CopyMode::Overwrite);
        QCOMPARE(seen.collisions.size(), 3);
        QCOMPARE(seen.total, 4);
        const Collision &n = seen.collisions[0], &e = seen.collisions[1], &o = seen.collisions[2];
        QCOMPARE(n.dateTag() + n.sizeTag(), QStringLiteral("НОВЕЕ]БОЛЬШЕ]"));
        QCOMPARE(e.dateTag() + e.sizeTag(), QStringLiteral("равно]равно]"));
        QCOMPARE(o.dateTag() + o.sizeTag(), QStringLiteral("старее]меньше]"));
        QCOMPARE(n.caption(), QStringLiteral("n.txt  [01.01.2020 10:00:00;  byte: 3]"));
        QCOMPARE(n.dateCell(), QStringLiteral("01.01.2024 10:00:00 [НОВЕЕ]"));
        QCOMPARE(n.sizeCell(), QStringLiteral("byte: 5 [БОЛЬШЕ]"));
        QCOMPARE(initialDecision(seen).ticks, QList<bool>({true, false, false}));
        QCOMPARE(QList<int>({seen.newer, seen.newerBigger, seen.bigger, seen.equalEqual}), QList<int>({1, 1, 1, 1}));
        QCOMPARE(seen.others, QStringList{S + "f.txt"});
        ReviewDecision removedEq;
        removedEq.removed = {1};
        QCOMPARE(ticksFor(seen, removedEq, ReviewChoice::All), QList<bool>({true, false, true}));
        QCOMPARE(ticksFor(seen, removedEq, ReviewChoice::Bigger), QList<bool>({true, false, false}));

        // Nothing ticked: the colliding rows are deselected and only f.txt is copied.
        QCOMPARE(opLog().first().section(' ', 2), "Копировать [ПЕРЕЗАПИСЬ] выделенные файлы (4 шт.) в папку:\r\n"
                                                     + T + "\r\n<Отмена копирования: 3>");
        QCOMPARE(t.selectedRows(), QList<int>{3});
        QCOMPARE(items(), QStringList({S + "f.txt >> " + T + "f.txt", "___\r\n"}));
        QCOMPARE(opLog().last(), "Результат: 1 из 1\r\nПерезаписано при копировании: 0 из 1, лог сохранен");
        QCOMPARE(readAll(T + "n.txt"), QByteArray("old"));

        // Ticked: replaced, and the line says so.
        t.setAllSelected(false);
        t.setSelected(0, true);
        answer.ticks = {true};
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Copy, CopyMode::Overwrite);
        QCOMPARE(items(), QStringList({"Перезапись: " + S + "n.txt >> " + T + "n.txt", "___\r\n"}));
        QCOMPARE(opLog().last(), "Результат: 1 из 1\r\nПерезаписано при копировании: 1 из 1, лог сохранен");
        QCOMPARE(readAll(T + "n.txt"), QByteArray("newer"));

        // Every selected file collides and none is ticked: nothing runs, the window closes.
        t.setAllSelected(true);
        t.setSelected(3, false);
        answer.ticks = {false, false, false};
        fx.ui.yesNo << true;
        currentLog().beginOperation(LogKind::None);
        const CopyMoveResult r = cm.CopyMove(Transfer::Copy, CopyMode::Overwrite);
        QVERIFY(!r.ran && r.closeWindow);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Копирование отменено для всех файлов"));
        QVERIFY(opLog().isEmpty());
        QCOMPARE(t.counters().selFiles, 0);

        // Cancel keeps the selection, but rows taken out as equal/equal stay deselected.
        t.setAllSelected(true);
        answer = ReviewDecision{};
        answer.removed = {1};
        fx.ui.yesNo << true;
        QVERIFY(!cm.CopyMove(Transfer::Copy, CopyMode::Overwrite).ran);
        QCOMPARE(t.selectedRows(), QList<int>({0, 2, 3}));
    }

    void duplicateNamesRefuseAnOverwriteCopy()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {make(S + "1/a.txt"), make(S + "2/A.TXT")});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        CopyMover cm(t, ops, lcm);
        fx.ui.yesNo << true;
        QVERIFY(!cm.CopyMove(Transfer::Copy, CopyMode::Overwrite).ran);
        QCOMPARE(fx.ui.calls.last().kind, QStringLiteral("errorTitled"));
        QCOMPARE(fx.ui.calls.last().title, QStringLiteral("Копирование с перезаписью"));
        QCOMPARE(fx.ui.lastText(), QStringLiteral("В списке выделенных имен (см. кол. \"Имя\") есть одинаковые.\r"
                                                  "Копирование невозможно."));
        QCOMPARE(names(T), QStringList());
    }

    void aDestinationAppearingDuringTheRunIsNeverReplaced()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {make(S + "a.txt", "ours"), make(S + "b.txt", "ours")});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        FaultyEngine eng;
        // Another program takes the plain names just before each copy.
        eng.before = [&](const QByteArray &, const QByteArray &to) {
            const QString p = fs::pathText(to);
            if ((p == T + "a.txt" || p == T + "b.txt") && !QFileInfo::exists(p))
                make(p, "theirs");
        };
        CopyMover cm(t, ops, lcm);
        cm.setEngine(&eng);
        // Prefix mode: the name taken in between moves on to the next number.
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(readAll(T + "a.txt"), QByteArray("theirs"));
        QCOMPARE(readAll(T + "001-a.txt"), QByteArray("ours"));
        QCOMPARE(items().first(), S + "a.txt >> " + T + "001-a.txt");
        // Overwrite mode: only reviewed collisions may be replaced; this one came later.
        QDir(T).removeRecursively();
        QDir().mkpath(T);
        eng.before = [&](const QByteArray &, const QByteArray &to) { make(fs::pathText(to), "theirs"); };
        fx.ui.yesNo << true << true;
        cm.CopyMove(Transfer::Copy, CopyMode::Overwrite);
        QCOMPARE(items(), QStringList({"<Error> " + T + "a.txt", "<Error> " + T + "b.txt", "___\r\n"}));
        QCOMPARE(readAll(T + "a.txt"), QByteArray("theirs"));
        QCOMPARE(names(T), QStringList({"a.txt", "b.txt"}));
        QCOMPARE(readAll(S + "a.txt"), QByteArray("ours"));
    }

    void aVanishingSourceIsLoggedAndLeavesNothing()
    {
        test::FakeServices fx;
        TableModel t;
        addRows(t, {make(S + "a.txt"), make(S + "b.txt", "B")});
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        FaultyEngine eng;
        eng.before = [&](const QByteArray &from, const QByteArray &) {
            if (from.endsWith("a.txt"))
                QFile::remove(fs::pathText(from));
        };
        CopyMover cm(t, ops, lcm);
        cm.setEngine(&eng);
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Move);
        QCOMPARE(items(), QStringList({"<Error> " + T + "a.txt", S + "b.txt >> " + T + "b.txt", "___\r\n"}));
        QCOMPARE(names(T), QStringList{"b.txt"});
        QCOMPARE(t.at(0).cells[ColFolder], S); // the failed row is untouched
        QCOMPARE(t.at(1).cells[ColFolder], T);
    }

    void stopInTheMiddleOfABatchAndOfABigFile()
    {
        test::FakeServices fx;
        TableModel t;
        QStringList files;
        for (int i = 1; i <= 5; ++i)
            files << make(S + QStringLiteral("f%1").arg(i));
        addRows(t, files);
        OperationContext ops;
        ops.setEventPump([] {});
        QString lcm = T;
        QStringList progress;
        auto shown = connect(&ops, &OperationContext::progressShown, [&] {
            progress << QStringLiteral("show %1 ").arg(ops.progress().maximum()) + ops.progress().label();
        });
        auto changed = connect(&ops, &OperationContext::progressChanged, [&] {
            progress << QStringLiteral("at %1").arg(ops.progress().position());
            if (ops.progress().position() == 3)
                ops.requestStop(); // "Остановить" pressed while the third file is reached
        });
        auto closed = connect(&ops, &OperationContext::progressClosed, [&] { progress << "close"; });
        CopyMover cm(t, ops, lcm);
        fx.ui.yesNo << true;
        cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(progress, QStringList({"show 5 Копирование файлов, подождите...", "at 1", "at 2", "at 3", "close"}));
        QCOMPARE(names(T), QStringList({"f1", "f2"}));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 2 из 5, лог сохранен"));

        // Stop while a big file is on its way: that file is finished, the loop
        // ends before the next, and nothing is logged as an error.
        QDir(T).removeRecursively();
        QDir().mkpath(T);
        make(S + "f1", QByteArray(20 * 1024 * 1024, 'z'));
        disconnect(shown);
        disconnect(changed);
        disconnect(closed);
        CopyMover cm2(t, ops, lcm);
        FaultyEngine eng;
        eng.duringBigFile = [&] { ops.requestStop(); };
        cm2.setEngine(&eng);
        fx.ui.yesNo << true;
        cm2.CopyMove(Transfer::Copy, CopyMode::Prefix);
        QCOMPARE(items(), QStringList({S + "f1 >> " + T + "f1", "___\r\n"}));
        QCOMPARE(opLog().last(), QStringLiteral("Результат: 1 из 5, лог сохранен"));
        QCOMPARE(names(T), QStringList{"f1"});
        QCOMPARE(QFileInfo(T + "f1").size(), 20 * 1024 * 1024);
    }

    // A user without rights and a full disk are made with setuid and
    // setrlimit in a forked child (tests/childprocess.h): Linux only.
#ifndef _WIN32
    void aTargetWithoutWritePermission()
    {
        TableModel t;
        addRows(t, {make(S + "a.txt", "A"), make(S + "b.txt", "B")});
        // The tree must be reachable for the user the child becomes.
        for (const QString &p : {data.path(), root})
            QFile::setPermissions(p, QFileDevice::Permissions(0x7777));
        QFile::setPermissions(S, QFileDevice::Permissions(0x5555)); // a move cannot take the source away either
        QFile::setPermissions(T, QFileDevice::Permissions(0x5555));
        const QStringList lines = inChild(
            test::dropRoot,
            [&] {
                test::FakeServices fx;
                OperationContext ops;
                ops.setEventPump([] {});
                QString lcm = T;
                CopyMover cm(t, ops, lcm);
                fx.ui.yesNo << true << true;
                cm.CopyMove(Transfer::Copy, CopyMode::Prefix);
                QStringList out = items();
                cm.CopyMove(Transfer::Move);
                out << items() << opLog().last();
                return out;
            });
        QFile::setPermissions(S, QFileDevice::Permissions(0x7777));
        QFile::setPermissions(T, QFileDevice::Permissions(0x7777));
        const QStringList failed{"<Error> " + T + "a.txt", "<Error> " + T + "b.txt", "___\r\n"};
        QCOMPARE(lines, failed + failed + QStringList{"Результат: 0 из 2"});
        QCOMPARE(names(T), QStringList());
        QCOMPARE(readAll(S + "a.txt"), QByteArray("A"));
        QCOMPARE(readAll(S + "b.txt"), QByteArray("B"));
    }

    void aFullDisk()
    {
        TableModel t;
        const QByteArray big(3 * 1024 * 1024, 'b');
        addRows(t, {make(S + "big", big), make(S + "small", "s"), make(S + "over", big)});
        make(T + "over", "old");
        const QStringList lines = inChild(
            [] { test::limitFileSize(1024 * 1024); },
            [&] {
                test::FakeServices fx;
                OperationContext ops;
                ops.setEventPump([] {});
                QString lcm = T;
                CopyMoveHooks h;
                h.review = [](const RewriteScan &s) {
                    ReviewDecision d = initialDecision(s);
                    d.applied = true;
                    d.ticks.fill(true);
                    return std::optional<ReviewDecision>(d);
                };
                CopyMover cm(t, ops, lcm, h);
                fx.ui.yesNo << true;
                cm.CopyMove(Transfer::Copy, CopyMode::Overwrite);
                return items();
            });
        QCOMPARE(lines, QStringList({"<Error> " + T + "big", S + "small >> " + T + "small",
                                     "<Error> " + T + "over", "___\r\n"}));
        QCOMPARE(names(T), QStringList({"over", "small"}));
        QCOMPARE(readAll(T + "over"), QByteArray("old"));
        QCOMPARE(readAll(S + "big"), big);
    }

#endif

    void recentTargetsStore()
    {
        const QString store = optPath() + "oldcm";
        QStringList dirs;
        for (int i = 0; i < 21; ++i) {
            dirs << root + QStringLiteral("d%1/").arg(i);
            RecentTargets::SaveOldCM(dirs.last());
        }
        QStringList expect = dirs.mid(1);
        std::reverse(expect.begin(), expect.end());
        QCOMPARE(RecentTargets::LoadOldCM(), expect); // the 21st dropped the oldest
        const QByteArray bytes = readAll(store);
        QVERIFY(bytes.endsWith("d1/\r\n"));
        const QDateTime stamp = QFileInfo(store).lastModified();
        QTest::qWait(20);
        RecentTargets::SaveOldCM(dirs.last().toUpper()); // same folder, other case
        QCOMPARE(readAll(store), bytes);
        QCOMPARE(QFileInfo(store).lastModified(), stamp);
        RecentTargets::SaveOldCM(dirs[5]);
        QCOMPARE(RecentTargets::LoadOldCM().mid(0, 2), QStringList({dirs[5], dirs[20]}));
        QCOMPARE(RecentTargets::LoadOldCM().count(dirs[5]), 1);
        // Something unreadable in the store's place is never replaced (a
        // FIFO; Windows file systems hold none).
        if (!test::kWindows) {
            QFile::remove(store);
            QVERIFY(fs::makeFifo(store));
            RecentTargets::SaveOldCM(dirs[7]);
            QVERIFY(!QFileInfo(store).isFile());
            QCOMPARE(RecentTargets::LoadOldCM(), QStringList());
            QFile::remove(store);
        }
        // Existing folders stay, missing ones are listed.
        QDir().mkpath(dirs[5]);
        const RecentTargets::Check c = RecentTargets::checkFolders({dirs[5], dirs[6]});
        QCOMPARE(c.kept, QStringList{dirs[5]});
        QCOMPARE(c.text(), "Пути папок:\r\n" + dirs[6]);
    }
};

VT_TEST_GUILESS_MAIN(CopyMoveTest)
#include "tst_core_copymove.moc"
