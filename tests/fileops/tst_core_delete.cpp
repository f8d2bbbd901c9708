#include "fileops/core/deletefiles.h"
#include "platform/dirreader.h"
#include "platform/trash.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "platform/fileentry.h"
#include "platform/regularfile.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace vt;

namespace {
QByteArray readAll(const QString &p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

class DeleteTest : public QObject {
    Q_OBJECT
    test::TestHome home;
    QTemporaryDir data;
    QString root;
    int caseNo = 0;
    QByteArray oldXdg;

    QString make(const QString &path, const QByteArray &bytes = "x")
    {
        test::writeTestFile(path, bytes);
        return path;
    }
    QString dir(const QString &path)
    {
        QDir().mkpath(path);
        return path;
    }
    void addRows(TableModel &t, const QStringList &paths, bool selected = true)
    {
        AppendState st;
        for (const QString &p : paths)
            QCOMPARE(appendPath(t, st, p), AppendResult::Added);
        t.setAllSelected(selected);
    }
    static QStringList opLog() { return currentLog().opLog(); }
    static QStringList rowPaths(const TableModel &t)
    {
        QStringList l;
        for (int i = 0; i < t.size(); ++i)
            l << fs::pathText(t.fullPath(i));
        return l;
    }
    static QString question(const test::FakeUi &ui, int i) { return ui.calls[i].title + "|" + ui.calls[i].text; }

private slots:
    void initTestCase()
    {
        QVERIFY(GetOptPath());
        oldXdg = qgetenv("XDG_DATA_HOME");
    }
    void init()
    {
        root = data.path() + QStringLiteral("/c%1/").arg(++caseNo);
        QVERIFY(QDir().mkpath(root));
        currentLog().beginOperation(LogKind::None);
        QFile::remove(optPath() + "e1");
        QFile::remove(optPath() + "d1");
        qputenv("XDG_DATA_HOME", dir(root + "xdg").toUtf8());
    }
    void cleanupTestCase() { qputenv("XDG_DATA_HOME", oldXdg); }

    void hiddenFilesMakeAFolderNotEmpty()
    {
        QVERIFY(folderIsEmpty(fs::nativePath(dir(root + "empty"))));
        make(root + "hid/.hidden");
        dir(root + "sub/.git");
        QVERIFY(!folderIsEmpty(fs::nativePath(root + "hid")));
        QVERIFY(!folderIsEmpty(fs::nativePath(root + "sub")));

        // Ctrl+E selects exactly the empty one; a file row never counts.
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        addRows(t, {root + "empty", root + "hid", root + "sub", make(root + "f.txt")}, false);
        FileDeleter d(t, ops);
        fx.ui.yesNo.enqueue(true);
        d.selectEmptyFolders();
        QCOMPARE(t.selectedRows(), QList<int>{0});
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Найдено в таблице пустых папок: 1\rВсего папок: 3"));

        // Ctrl+D with OK only selects; nothing is removed, nothing logged.
        t.setAllSelected(true);
        fx.ui.clear();
        fx.ui.yesOk.enqueue(YesOk::Ok);
        d.deleteEmptyFolders();
        QCOMPARE(t.selectedRows(), QList<int>{0});
        QVERIFY(QFileInfo(root + "empty").isDir());
        QCOMPARE(currentLog().lastKind(), LogKind::None);

        // Yes removes the empty folder only; the others keep their rows and files.
        fx.ui.yesOk.enqueue(YesOk::Yes);
        t.setAllSelected(true);
        d.deleteEmptyFolders();
        QVERIFY(!QFileInfo::exists(root + "empty"));
        QVERIFY(QFileInfo::exists(root + "hid/.hidden"));
        QCOMPARE(rowPaths(t), QStringList({root + "hid", root + "sub", root + "f.txt"}));
        QVERIFY(t.counters().rowsRemoved);
        QCOMPARE(currentLog().lastKind(), LogKind::DeleteFolders);
        QCOMPARE(opLog().mid(1), QStringList({"-", root + "empty <OK: папка удалена>", "___\r\n",
                                              "Результат: 1 из 1, лог сохранен"}));
        QCOMPARE(fx.ui.calls.last().text, QStringLiteral("Результат: 1 из 1"));
        QVERIFY(fromCp1251(readAll(optPath() + "d1")).contains(root + "empty <OK: папка удалена>"));
    }

    void permanentDeleteAsksTwiceAndNothingGoesWithoutYes()
    {
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        const QStringList files{make(root + "a"), make(root + "b"), make(root + "c"), make(root + "gone")};
        addRows(t, files);
        QFile::remove(root + "gone"); // vanished: not offered, not counted
        FileDeleter d(t, ops);

        // No at the first question, then No at the second: every file stays.
        fx.ui.titledAnswers.enqueue(false);
        QCOMPARE(d.deleteSelected(true).deleted, 0);
        fx.ui.titledAnswers << true << false;
        QCOMPARE(d.deleteSelected(true).deleted, 0);
        QCOMPARE(fx.ui.calls.size(), 3);
        QCOMPARE(question(fx.ui, 1), QStringLiteral("Удалить файлы|Выделено файлов в таблице: 4\rИз них будут "
                                                    "удалены (файлы существуют): 3\rПродолжить?"));
        QCOMPARE(question(fx.ui, 2), QStringLiteral("Удалить файлы: 3 шт.|Файлы будут удалены!"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(QFileInfo::exists(files[i]));
        QCOMPARE(t.size(), 4);

        // One file refuses: it keeps its row and is logged as an error.
        QFile::remove(root + "b");
        dir(root + "b");
        make(root + "b/keep");
        fx.ui.clear();
        fx.ui.titledAnswers << true << true;
        // "b" is a folder now: not offered; two remain.
        const DeleteResult r = d.deleteSelected(true);
        QCOMPARE(r.total, 2);
        QCOMPARE(r.deleted, 2);
        QVERIFY(r.closeWindow);
        QVERIFY(!QFileInfo::exists(root + "a") && !QFileInfo::exists(root + "c"));
        QCOMPARE(rowPaths(t), QStringList({root + "b", root + "gone"}));
        QVERIFY(t.counters().rowsRemoved);
        QCOMPARE(t.counters().files, 2);
        QCOMPARE(opLog().first(), QStringLiteral("08.12.2026 12:00:00 Удалить файлы (2 шт.)"));
        QCOMPARE(opLog().mid(1), QStringList({"-", root + "a <УДАЛЕН>", root + "c <УДАЛЕН>", "___\r\n",
                                              "Результат: 2 из 2, лог сохранен"}));
        QCOMPARE(currentLog().lastKind(), LogKind::DeleteFiles);
        QVERIFY(!ops.busy() && !t.suppress() && !ops.progress().shown());

        // Del asks first, for good and to the trash alike; No keeps the file.
        TableModel one;
        addRows(one, {make(root + "one")});
        FileDeleter d1(one, ops);
        fx.ui.titledAnswers << false << false;
        QVERIFY(!d1.Del(true, 0));
        QVERIFY(!d1.Del(false, 0));
        QVERIFY(QFileInfo::exists(root + "one"));
        QCOMPARE(one.size(), 1);
        fx.ui.titledAnswers << true;
        QVERIFY(d1.Del(true, 0));
        QVERIFY(!QFileInfo::exists(root + "one"));
        QCOMPARE(one.size(), 0);
        QVERIFY(fromCp1251(readAll(optPath() + "e1")).contains("Удален файл: " + root + "one"));
    }

    void sizeReport()
    {
        TableCounters c;
        c.files = 3;
        c.size.add(1000);
        c.size.add(536); // 1536 bytes as kilobytes plus remainders
        c.selFiles = 1;
        c.selSize.add(1048575); // hundredths that round to 100 carry
        QCOMPARE(filesSizeText(c), QStringLiteral("Выделено файлов: 1\r\nБайт: 1048575\r\nКБ: 1024,00"
                                                  "\r\n-----------------\r\n"
                                                  "Всего файлов: 3\r\nБайт: 1536\r\nКБ: 1,50"));
        c.size = {};
        c.size.add(qint64(3) << 30);
        QVERIFY(filesSizeText(c).endsWith("Байт: 3221225472\r\nКБ: 3145728,00\r\nМБ: 3072,00\r\nГБ: 3,00"));
    }

    void trashThatCannotTakeTheFileKeepsIt()
    {
        VT_LINUX_ONLY("the freedesktop trash");
        // A file where the trash folder should be: no trash can be made.
        make(root + "xdg/Trash", "not a folder");
        const QString cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir(root + "cwd")));
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        addRows(t, {make(root + "keep.txt", "data")});
        FileDeleter d(t, ops);
        fx.ui.titledAnswers << true;
        const DeleteResult r = d.deleteSelected(false);
        QDir::setCurrent(cwd);
        QCOMPARE(fx.ui.calls.first().title, QStringLiteral("Удалить файлы в корзину"));
        QCOMPARE(r.deleted, 0);
        QVERIFY(!r.closeWindow);
        QCOMPARE(readAll(root + "keep.txt"), QByteArray("data"));
        QCOMPARE(t.size(), 1);
        QCOMPARE(opLog().mid(1), QStringList({"-", root + "keep.txt <Ошибка>", "___\r\n", "Результат: 0 из 1"}));
        // Nothing left behind in the current folder either.
        QCOMPARE(QDir(root + "cwd").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    void trashedFileCanBeRestored()
    {
        VT_LINUX_ONLY("the freedesktop trash");
        test::FakeServices fx;
        OperationContext ops;
        ops.setEventPump([] {});
        TableModel t;
        addRows(t, {make(root + "doc one.txt", "payload")});
        FileDeleter d(t, ops);
        fx.ui.titledAnswers << true;
        QVERIFY(d.Del(false, 0));
        QVERIFY(!QFileInfo::exists(root + "doc one.txt"));
        const QString trashed = root + "xdg/Trash/files/doc one.txt";
        QCOMPARE(readAll(trashed), QByteArray("payload"));
        const QStringList info =
            QString::fromUtf8(readAll(root + "xdg/Trash/info/doc one.txt.trashinfo")).split('\n');
        QString path;
        for (const QString &l : info)
            if (l.startsWith("Path="))
                path = QUrl::fromPercentEncoding(l.mid(5).toUtf8());
        QCOMPARE(path, root + "doc one.txt");
        QVERIFY(QFile::rename(trashed, path));
        QCOMPARE(readAll(root + "doc one.txt"), QByteArray("payload"));
        QCOMPARE(fx.sound.played, QList<int>{2});
    }

    void anyNameGoesToTheTrashWithItsPath()
    {
        VT_LINUX_ONLY("the freedesktop trash, names that are not UTF-8");
        // Bytes that are not UTF-8, and a name the trash already holds.
        const QByteArray bad = fs::nativePath(root) + "bad\xff";
        const QByteArray trash = fs::nativePath(root) + "xdg/Trash/";
        for (int i = 0; i < 2; ++i) {
            QVERIFY(fs::createFileNative(bad));
            QByteArray where;
            QVERIFY(fs::moveToTrash(bad, &where));
            QVERIFY(!fs::existsNative(bad));
            QCOMPARE(where, trash + (i == 0 ? "files/bad\xff" : "files/bad\xff.2"));
        }
        QByteArray info;
        QCOMPARE(fs::readRegularNative(trash + "info/bad\xff.2.trashinfo", &info), fs::ReadStatus::Ok);
        QVERIFY(info.contains("\nPath=" + QByteArray(bad).toPercentEncoding("/") + "\n"));
    }
};

VT_TEST_GUILESS_MAIN(DeleteTest)
#include "tst_core_delete.moc"
