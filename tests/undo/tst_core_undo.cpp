#include "undo/core/undo.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "fakeservices.h"
#include "fileops/core/copymove.h"
#include "fileops/core/deletefiles.h"
#include "journal/core/journalrecorder.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "rename/core/renapply.h"
#include "rename/core/renbatch.h"
#include "rename/core/renrule.h"
#include "table/core/tablemodel.h"
#include "table/tablerows.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace vt;

namespace {

// The names of a folder as bytes, sorted.
QList<QByteArray> rawNames(const QByteArray &dir)
{
    QList<QByteArray> out;
    fs::Listing l;
    if (auto d = fs::Dir::open(dir); d && d->read(l))
        for (const fs::DirItem &it : l.items)
            out << l.nameBytes(it);
    std::sort(out.begin(), out.end());
    return out;
}

bool sameDevice(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0
        && sa.st_dev == sb.st_dev;
}

JournalBatch batchOf(BatchKind kind, const QList<JournalItem> &items, int count = -1)
{
    JournalBatch b;
    b.kind = kind;
    b.time = QDateTime(QDate(2026, 12, 9), QTime(20, 1, 30), Qt::UTC);
    b.items = items;
    b.count = count < 0 ? int(items.size()) : count;
    return b;
}

// Names of every sort: Cyrillic (cp1251), outside cp1251, not UTF-8, blanks.
QByteArray oddName(int i)
{
    static const QList<QByteArray> stems{"\xd0\xbf\xd1\x80\xd0\xb8\xd0\xbc\xd0\xb5\xd1\x80", // пример
                                         "\xe6\x97\xa5\xe6\x9c\xac",                         // 日本
                                         test::kWindows ? "caf\xc3\xa9" : "caf\xe9",          // not UTF-8 where names may be
                                         "a b %20 \xf0\x9f\x98\x80"};                        // blanks, %, emoji
    return stems[i % stems.size()] + '-' + QByteArray::number(i) + ".txt";
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    int caseNo = 0;
    QByteArray oldXdg;

    QString nextCase() { return test::nextCaseFolder(root, caseNo); }

    // Files of the given names in dir, each holding its own name.
    static void makeFiles(const QByteArray &dir, const QList<QByteArray> &names)
    {
        for (const QByteArray &n : names) {
            QVERIFY(fs::createFileNative(dir + n));
            QFile f(QString::fromUtf8(dir + n));
            if (fs::validUtf8(std::string_view(n.constData(), size_t(n.size())))) {
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(n);
            }
        }
    }

    // The program's answer to --undo as a function: no question.
    static UndoResult undoNow(TableModel *table = nullptr)
    {
        OperationContext ops;
        ops.setEventPump([] {});
        Undoer u(ops);
        u.setTable(table);
        return u.run(false);
    }

    // The program itself, with this test's program folder (and journal).
    void startProgram(QProcess &p, const QStringList &args) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VESTRADA_HOME"), home.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VESTRADA_EXE), args);
    }

    static QStringList trashList()
    {
        QProcess p;
        p.start(QStringLiteral("trash-list"), {});
        if (!p.waitForFinished(20000))
            return {QStringLiteral("<trash-list failed>")};
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid() && data.isValid());
        root = home.path() + QStringLiteral("/files");
        oldXdg = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        QVERIFY(GetOptPath());
    }
    void cleanupTestCase() { qputenv("XDG_DATA_HOME", oldXdg); }
    void init() { QFile::remove(journalPath()); }

    void journalKeepsEveryNameTheNewestTwentyAndIgnoresDamage()
    {
        const QByteArray odd = test::rootedPath("/t/a b\n%25\xff\x01/\xe6\x97\xa5"), xy = test::rootedPath("/x/y");
        QList<JournalBatch> all;
        for (int i = 0; i < 25; ++i)
            all << batchOf(i % 2 ? BatchKind::Move : BatchKind::Copy,
                           i % 2 ? QList<JournalItem>{{JournalItem::Moved, odd + QByteArray::number(i), xy, {}}}
                                 : QList<JournalItem>{},
                           i % 2 ? -1 : 7);
        all << batchOf(BatchKind::Trash, {{JournalItem::Trashed, odd, test::rootedPath("/h/Trash/files/n"),
                                                    test::rootedPath("/h/Trash/info/n.trashinfo")}});
        QVERIFY(saveJournal(all));
        const QList<JournalBatch> back = loadJournal();
        QCOMPARE(back.size(), kJournalBatches);
        QCOMPARE(back, all.mid(all.size() - kJournalBatches));

        // what the encoder never writes is refused as a whole
        QList<JournalBatch> got;
        const QByteArray good = encodeJournal(back);
        QVERIFY(decodeJournal(good, &got));
        for (const QByteArray &bad : {good.left(good.size() - 4), good + "x\n", good + "batch 6 1 2026-12-09T20:01:30Z 1\nend\n",
                                      QByteArray("VTJ 1\nbatch 6 1 2026-12-09T20:01:30Z 1\nm /a%00 /b\nend\n"),
                                      QByteArray("VTJ 1\nbatch 6 1 2026-12-09T20:01:30Z 1\nm a /b\nend\n")}) {
            QVERIFY2(!decodeJournal(bad, &got), bad.right(60).constData());
            QVERIFY(got.isEmpty());
        }

        // a damaged file reads as empty, with a line in the log; the next batch starts it anew
        test::writeTestFile(journalPath(), good.left(good.size() - 4));
        currentLog().start();
        QVERIFY(loadJournal().isEmpty());
        QVERIFY(currentLog().text().contains(QStringLiteral("Журнал отмены поврежден")));
        {
            JournalRecorder r(BatchKind::RenameOne);
            r.moved(test::rootedPath("/a"), test::rootedPath("/b"));
        }
        QCOMPARE(loadJournal().size(), 1);
    }

    void ruleRenameOfAThousandFilesUndoneByteForByte()
    {
        const QByteArray d = QFile::encodeName(nextCase());
        QList<QByteArray> names;
        for (int i = 0; i < 1000; ++i)
            names << oddName(i);
        makeFiles(d, names);
        const QList<QByteArray> before = rawNames(d);
        QCOMPARE(before.size(), 1000);
        TableModel t;
        QList<int> rows;
        for (const QByteArray &n : names) {
            rows << t.size();
            test::appendNativeRow(t, d + n);
        }
        TRenRule rule;
        InitRulesDef(rule);
        rule.NumPos = 1;
        rule.NumWidth = 4;
        rule.Pref2 = QStringLiteral("_");
        QList<RenRow> ren = renRowsFromTable(t, rows, false);
        QCOMPARE(ren.size(), 1000);
        QCOMPARE(renBatch(rule, false, false, {}, {}, ren, nullptr), 1000);
        renUpdateTable(t, ren);
        QVERIFY(rawNames(d) != before);
        QCOMPARE(loadJournal().last().kind, BatchKind::RenameRule);

        const UndoResult r = undoNow(&t);
        QCOMPARE(r.done, 1000);
        QCOMPARE(r.total, 1000);
        QCOMPARE(rawNames(d), before);
        // the rows follow their files back, bytes and all
        for (int i = 0; i < 1000; ++i)
            QCOMPARE(t.at(i).entry.path, d + names[i]);
        // the undo is a batch of its own, and undoing it renames again
        const QList<JournalBatch> j = loadJournal();
        QCOMPARE(j.size(), 1);
        QCOMPARE(j.last().kind, BatchKind::Undo);
        QCOMPARE(j.last().undoOf, BatchKind::RenameRule);
        QCOMPARE(undoNow().done, 1000);
        QCOMPARE(rawNames(d).size(), 1000);
        QVERIFY(rawNames(d).first().startsWith("0001_"));
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Результат: 1000 из 1000, лог сохранен"));
    }

    void moveAcrossFileSystemsUndone()
    {
        QTemporaryDir other(QStringLiteral("/dev/shm/vt-undo-XXXXXX"));
        if (!other.isValid() || sameDevice(other.path(), root))
            QSKIP("no second file system (/dev/shm) to move to");
        const QString src = nextCase();
        test::writeTestFile(src + "a.txt", "alpha");
        test::writeTestFile(src + "b.txt", "beta");
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        test::diskRows(t, QString(), {src + "a.txt", src + "b.txt"});
        t.setAllSelected(true);
        QString target = other.path();
        CopyMover m(t, ops, target);
        fx.ui.yesNo.enqueue(true);
        QCOMPARE(m.CopyMove(Transfer::Move).done, 2);
        QCOMPARE(test::readBytes(other.path() + "/a.txt"), QByteArray("alpha"));
        QVERIFY(!QFile::exists(src + "a.txt"));

        const UndoResult r = undoNow(&t);
        QCOMPARE(r.done, 2);
        QCOMPARE(test::readBytes(src + "a.txt"), QByteArray("alpha"));
        QCOMPARE(test::readBytes(src + "b.txt"), QByteArray("beta"));
        QCOMPARE(test::folderNames(other.path()), QStringList());
        QCOMPARE(QString::fromUtf8(t.fullPath(0)), src + "a.txt");
    }

    void trashUndoneAndTheTrashNoLongerListsIt()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("trash-list")).isEmpty())
            QSKIP("trash-list is not installed (scripts/install-deps.sh installs it)");
        const QString d = nextCase();
        test::writeTestFile(d + "one.txt", "1");
        test::writeTestFile(d + "two.txt", "2");
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        test::diskRows(t, QString(), {d + "one.txt", d + "two.txt"});
        t.setAllSelected(true);
        FileDeleter del(t, ops);
        fx.ui.titledAnswers.enqueue(true);
        QCOMPARE(del.deleteSelected(false).deleted, 2);
        QCOMPARE(trashList().filter(d).size(), 2);

        const UndoResult r = undoNow();
        QCOMPARE(r.done, 2);
        QCOMPARE(test::readBytes(d + "one.txt"), QByteArray("1"));
        QCOMPARE(test::readBytes(d + "two.txt"), QByteArray("2"));
        QCOMPARE(trashList().filter(d), QStringList());
        QCOMPARE(test::folderNames(data.path() + "/Trash/info"), QStringList());
        // undoing the undo trashes them again
        QCOMPARE(undoNow().done, 2);
        QCOMPARE(trashList().filter(d).size(), 2);
        QVERIFY(!QFile::exists(d + "one.txt"));
    }

    void aNameTakenAgainFailsItsLineAndTheRestGoBack()
    {
        const QByteArray d = QFile::encodeName(nextCase());
        makeFiles(d, {"a", "b", "c"});
        {
            JournalRecorder r(BatchKind::RenameQuick);
            for (const char *n : {"a", "b", "c"})
                QCOMPARE(renameEntry(d + n, d + "new-" + n), RenameEntryResult::Ok);
        }
        makeFiles(d, {"b"}); // someone took the old name
        const UndoResult r = undoNow();
        QCOMPARE(r.done, 2);
        QCOMPARE(r.total, 3);
        QCOMPARE(r.lines, QStringList({QString::fromUtf8(d + "new-c >> " + d + "c"),
                                       QString::fromUtf8(d + "b <имя занято>"),
                                       QString::fromUtf8(d + "new-a >> " + d + "a")}));
        QCOMPARE(rawNames(d), (QList<QByteArray>{"a", "b", "c", "new-b"}));
        QCOMPARE(currentLog().opLog().last(), QStringLiteral("Результат: 2 из 3, лог сохранен"));
        // the failed item stays in its batch; the undo of the other two is the newest
        const QList<JournalBatch> j = loadJournal();
        QCOMPARE(j.size(), 2);
        QCOMPARE(j[0].items, (QList<JournalItem>{{JournalItem::Moved, d + "b", d + "new-b", {}}}));
        QCOMPARE(j[1].kind, BatchKind::Undo);
        QCOMPARE(j[1].count, 2);
    }

    void theQuestionNamesTheBatchAndSkipsWhatCannotBeUndone()
    {
        const QByteArray ax = test::rootedPath("/a/x"), bx = test::rootedPath("/b/x");
        QVERIFY(saveJournal({batchOf(BatchKind::Move, {{JournalItem::Moved, ax, bx, {}}}),
                             batchOf(BatchKind::Copy, {}, 4)}));
        test::FakeServices fx;
        OperationContext ops;
        Undoer u(ops);
        fx.ui.yesNo.enqueue(false);
        QVERIFY(!u.undoLast().ran);
        QCOMPARE(fx.ui.lastText(),
                 QStringLiteral("Последнее действие отменить нельзя:\rКопирование, 09.12.2026 23:01:30 (шт.: 4)"
                                "\r\rОтменить более раннее?\rПеремещение, 09.12.2026 23:01:30 (шт.: 1)"
                                "\r")
                     + QString::fromUtf8(bx + " >> " + ax));
        QVERIFY(saveJournal({batchOf(BatchKind::Delete, {}, 2)}));
        u.undoLast();
        QCOMPARE(fx.ui.lastText(),
                 QStringLiteral("Последние действия отменить нельзя:\rУдаление, 09.12.2026 23:01:30 (шт.: 2)"));
    }

    void headlessUndoAndJournal()
    {
        const QByteArray d = QFile::encodeName(nextCase());
        makeFiles(d, {"a"});
        {
            JournalRecorder r(BatchKind::RenameOne);
            QCOMPARE(renameEntry(d + "a", d + "b"), RenameEntryResult::Ok);
        }
        const auto run = [&](const QStringList &args, QStringList *out) {
            QProcess p;
            startProgram(p, args);
            p.waitForFinished(30000);
            *out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            return p.exitCode();
        };
        QStringList out;
        QCOMPARE(run({"--journal"}, &out), 0);
        QCOMPARE(out.size(), 1);
        QVERIFY2(out[0].startsWith(QStringLiteral("1. Переименование файла, "))
                     && out[0].endsWith(QStringLiteral(" (шт.: 1) <будет отменено>")),
                 qPrintable(out[0]));
        const QString line = QString::fromUtf8(d + "b >> " + d + "a");
        QCOMPARE(run({"--undo", "--test"}, &out), 0);
        QCOMPARE(out.mid(1), QStringList({line, QStringLiteral("Результат: 1 из 1")}));
        QVERIFY(out[0].startsWith(QStringLiteral("ТЕСТ. Отмена: Переименование файла")));
        QCOMPARE(rawNames(d), QList<QByteArray>{"b"});
        QCOMPARE(run({"--undo", "--yes"}, &out), 0);
        QCOMPARE(out.mid(1), QStringList({line, QStringLiteral("Результат: 1 из 1")}));
        QCOMPARE(rawNames(d), QList<QByteArray>{"a"});
        QCOMPARE(loadJournal().last().kind, BatchKind::Undo);
        QCOMPARE(run({"--undo", "--now"}, &out), 2);
    }

    void anUndoKilledMidwayLeavesEveryFileUnderOneOfItsNames()
    {
        const QByteArray d = QFile::encodeName(nextCase());
        constexpr int n = 4000;
        QList<QByteArray> names;
        for (int i = 0; i < n; ++i)
            names << "f" + QByteArray::number(i);
        makeFiles(d, names);
        {
            JournalRecorder r(BatchKind::RenameRule);
            for (const QByteArray &f : names)
                QCOMPARE(renameEntry(d + f, d + "x" + f), RenameEntryResult::Ok);
        }
        // the program killed once it has taken back a few hundred, wherever it is then
        QProcess p;
        startProgram(p, {"--undo", "--yes"});
        QVERIFY(p.waitForStarted());
        for (int i = 0; i < 40000 && !fs::existsNative(d + names[n - 300]); ++i)
            QThread::usleep(500);
        p.kill();
        p.waitForFinished();
        QVERIFY2(p.exitStatus() == QProcess::CrashExit, "the undo ended before it was killed: nothing was tested");

        QSet<QByteArray> atNew;
        int back = 0;
        for (const QByteArray &f : names) {
            const bool oldName = fs::existsNative(d + f), newName = fs::existsNative(d + "x" + f);
            QVERIFY2(oldName != newName, f.constData());
            back += oldName;
            if (newName)
                atNew.insert(d + "x" + f);
        }
        QVERIFY(back >= 300 && back < n);
        // the journal still holds every item that is left as the newest batch
        const QList<JournalBatch> j = loadJournal();
        QCOMPARE(j.last().kind, BatchKind::RenameRule);
        QSet<QByteArray> listed;
        for (const JournalItem &it : j.last().items)
            listed.insert(it.to);
        QVERIFY(listed.contains(atNew));
        // and the undo run again finishes the work
        const UndoResult r = undoNow();
        QCOMPARE(r.done, r.total);
        QCOMPARE(rawNames(d).size(), n);
        for (const QByteArray &f : names)
            QVERIFY(fs::existsNative(d + f));
    }
};

VT_TEST_GUILESS_MAIN(UndoTest)
#include "tst_core_undo.moc"
