#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/savelog.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "shell/core/shellrun.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class LogsTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;

    QString opt(const QString &name) const { return home->path() + QStringLiteral("/Options/") + name; }
    static void write(const QString &path, const QByteArray &bytes) { test::writeTestFile(path, bytes); }
    static QByteArray read(const QString &path) { return readWholeFile(path); }
    static QByteArray record(const QString &text)
    {
        return toCp1251(text) + "\r\n__________\r\n\r\n";
    }

private slots:
    void init()
    {
        home.emplace();
    }
    void cleanup()
    {
        home.reset();
    }

    void currentLogBannerAndBlocks()
    {
        test::FakeServices fx;
        fx.clock.t = QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3));
        CurrentLog log;
        QCOMPARE(log.text(), QStringLiteral("Vestrada v2.34 \r\nСтарт: 05.03.2026 9:07:03\r\n-"));
        QSignalSpy spy(&log, &CurrentLog::appended);
        log.append(logStamp() + QStringLiteral("Поиск с папки: \r\n/tmp/"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(log.text().split(QStringLiteral("\r\n")),
                 (QStringList{QStringLiteral("Vestrada v2.34 "), QStringLiteral("Старт: 05.03.2026 9:07:03"),
                              QStringLiteral("-"), QStringLiteral("05.03.2026 9:07:03 Поиск с папки: "),
                              QStringLiteral("/tmp/")}));
    }

    void lastActionTags()
    {
        QCOMPARE(lastKindTag(LogKind::Copy), QStringLiteral("[копирование файлов]"));
        QCOMPARE(lastKindTag(LogKind::ListOpen), QStringLiteral("[открытие списка VTL / VTX / M3U]"));
        QCOMPARE(lastKindTag(LogKind::CommandLineView), QStringLiteral("[просмотр параметров командной строки]"));
        QCOMPARE(lastKindTag(LogKind::None), QStringLiteral("[НЕТ]"));
        QCOMPARE(lastKindTag(LogKind::SnapshotDiff), QStringLiteral("[сравнение со снимком VTS]"));
        QCOMPARE(lastKindTag(LogKind(13)), QStringLiteral("[НЕТ]"));
        currentLog().opLog() << QStringLiteral("x");
        currentLog().beginOperation(LogKind::DeleteFiles);
        QVERIFY(currentLog().opLog().isEmpty());
        QCOMPARE(currentLog().lastKind(), LogKind::DeleteFiles);
    }

    void recordsKeepEveryName()
    {
        // cp1251 while every line fits...
        QVERIFY(SaveLog(LogKind::Rename, QStringLiteral("Переименован файл: a >> б")));
        QCOMPARE(read(opt(QStringLiteral("r1"))), record(QStringLiteral("Переименован файл: a >> б")));
        // ...then a name cp1251 cannot hold turns the whole file into UTF-8 with a BOM,
        currentLog().beginOperation(LogKind::Rename);
        currentLog().opLog() << QStringLiteral("08.12.2026 12:00:00 Переименование") << QStringLiteral("-")
                             << QStringLiteral("/t/Ωmega.txt >> /t/omega.txt");
        QVERIFY(SaveLog(LogKind::Rename));
        const QByteArray utf8 = "\xEF\xBB\xBF" + QStringLiteral("Переименован файл: a >> б\r\n__________\r\n\r\n"
                                                              "08.12.2026 12:00:00 Переименование\r\n-\r\n"
                                                              "/t/Ωmega.txt >> /t/omega.txt\r\n__________\r\n\r\n")
                                                  .toUtf8();
        QCOMPARE(read(opt(QStringLiteral("r1"))), utf8);
        // ...and later records follow it in UTF-8, appended.
        QVERIFY(SaveLog(LogKind::Rename, QStringLiteral("Переименован файл: в >> г")));
        QCOMPARE(read(opt(QStringLiteral("r1"))),
                 utf8 + QStringLiteral("Переименован файл: в >> г\r\n__________\r\n\r\n").toUtf8());
        // A pure-ASCII log taking a cp1251 record stays cp1251; a fresh one with
        // the odd name starts in UTF-8.
        write(opt(QStringLiteral("m1")), "moved a\r\n__________\r\n\r\n");
        QVERIFY(SaveLog(LogKind::Move, QStringLiteral("перемещен б")));
        QCOMPARE(read(opt(QStringLiteral("m1"))), "moved a\r\n__________\r\n\r\n" + record(QStringLiteral("перемещен б")));
        QVERIFY(SaveLog(LogKind::Copy, QStringLiteral("日本.txt")));
        QCOMPARE(read(opt(QStringLiteral("c1"))), "\xEF\xBB\xBF" + QStringLiteral("日本.txt\r\n__________\r\n\r\n").toUtf8());
    }

    void nothingToWriteOrNoLetter()
    {
        QVERIFY(!SaveLog(LogKind::Copy)); // empty operation log list
        currentLog().opLog() << QStringLiteral("line");
        QVERIFY(!SaveLog(LogKind::TextSearch));
        QVERIFY(!SaveLog(LogKind::ListCheck, QStringLiteral("line")));
        QCOMPARE(QDir(home->path() + QStringLiteral("/Options")).entryList(QDir::Files), QStringList());
        QVERIFY(SaveLog(LogKind::Move));
        QCOMPARE(read(opt(QStringLiteral("m1"))), record(QStringLiteral("line")));
    }

    void rotationBoundary()
    {
        QVERIFY(GetOptPath());
        const QByteArray full(307199, 'a');
        write(opt(QStringLiteral("c1")), full);
        QVERIFY(SaveLog(LogKind::Copy, QStringLiteral("next")));
        QCOMPARE(read(opt(QStringLiteral("c1"))), full + record(QStringLiteral("next")));
        QVERIFY(!QFile::exists(opt(QStringLiteral("c2"))));

        const QByteArray over(307200, 'b');
        write(opt(QStringLiteral("c1")), over);
        QVERIFY(SaveLog(LogKind::Copy, QStringLiteral("fresh")));
        QCOMPARE(read(opt(QStringLiteral("c2"))), over);
        QCOMPARE(read(opt(QStringLiteral("c1"))), record(QStringLiteral("fresh")));
    }

    void twoRotationsKeepTwoGenerations()
    {
        QVERIFY(GetOptPath());
        write(opt(QStringLiteral("f1")), QByteArray(400000, '1'));
        QVERIFY(SaveLog(LogKind::CreateFolders, QStringLiteral("second")));
        write(opt(QStringLiteral("f1")), QByteArray(400000, '2'));
        QVERIFY(SaveLog(LogKind::CreateFolders, QStringLiteral("third")));
        QCOMPARE(QDir(home->path() + QStringLiteral("/Options")).entryList(QDir::Files),
                 (QStringList{QStringLiteral("f1"), QStringLiteral("f2")}));
        QCOMPARE(read(opt(QStringLiteral("f2"))), QByteArray(400000, '2'));
        QCOMPARE(read(opt(QStringLiteral("f1"))), record(QStringLiteral("third")));
    }

    void savedLogListInFixedOrder()
    {
        QVERIFY(GetOptPath());
        write(opt(QStringLiteral("f1")), QByteArray(10, 'x'));
        write(opt(QStringLiteral("e2")), QByteArray(2048, 'x'));
        write(opt(QStringLiteral("c2")), QByteArray(12 * 1024 + 1023, 'x'));
        write(opt(QStringLiteral("d1")), QByteArray(1024, 'x'));
        write(opt(QStringLiteral("m1")), QByteArray(1, 'x'));
        write(opt(QStringLiteral("c1")), QByteArray(5000, 'x'));
        write(opt(QStringLiteral("r3")), QByteArray(1, 'x'));   // not a generation we keep
        QDir().mkpath(opt(QStringLiteral("r1")));                // a folder is not a log
        QStringList labels;
        for (const SavedLogFile &f : savedLogFiles())
            labels << f.label;
        QCOMPARE(labels, (QStringList{QStringLiteral("Копирование-1, KB: 4"),
                                      QStringLiteral("Копирование-2, KB: 12"),
                                      QStringLiteral("Перемещение-1, KB: 0"),
                                      QStringLiteral("Удаление папок-1, KB: 1"),
                                      QStringLiteral("Удаление файлов-2, KB: 2"),
                                      QStringLiteral("Создание папок-1, KB: 0")}));
        QCOMPARE(savedLogFiles().at(1).path, opt(QStringLiteral("c2")));
    }

    void logCopyNameStamp()
    {
        QCOMPARE(logCopyName(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))),
                 QStringLiteral("Log-2026-01-02_03-04-05.txt"));
        // A copy saved in the same second as an earlier one gets the next free stamp.
        QTemporaryDir texts;
        const QString dir = texts.path() + QLatin1Char('/');
        const QDateTime t(QDate(2026, 1, 2), QTime(3, 4, 59));
        QCOMPARE(freeLogCopyPath(dir, t), dir + "Log-2026-01-02_03-04-59.txt");
        QFile(dir + "Log-2026-01-02_03-04-59.txt").open(QIODevice::WriteOnly);
        QCOMPARE(freeLogCopyPath(dir, t), dir + "Log-2026-01-02_03-05-00.txt");
    }

    void fileCountGuard()
    {
        test::FakeServices fx;
        QTemporaryDir texts;
        for (int i = 0; i < 100; ++i)
            write(texts.filePath(QStringLiteral("n%1.%2").arg(i).arg(i % 2 ? "TXT" : "txt")), "x");
        QDir().mkpath(texts.filePath(QStringLiteral("folder.TXT")));
        write(texts.filePath(QStringLiteral("other.TXTX")), "x");
        QCOMPARE(countFilesExt(texts.path(), QStringLiteral(".TXT")), 100);
        QVERIFY(GetCntFilesExt(texts.path(), QStringLiteral(".TXT")));
        QVERIFY(fx.ui.calls.isEmpty());

        write(texts.filePath(QStringLiteral("last.Txt")), "x");
        fx.ui.stopAnswers.enqueue(true);
        QVERIFY(!GetCntFilesExt(texts.path(), QStringLiteral(".txt")));
        QCOMPARE(fx.ui.calls.size(), 1);
        QCOMPARE(fx.ui.calls[0].kind, QStringLiteral("stopYesNo"));
        QCOMPARE(fx.ui.calls[0].title, QStringLiteral("Проверка числа файлов"));
        QCOMPARE(fx.ui.calls[0].text,
                 QStringLiteral("Число файлов с расширением \".TXT\" (101 шт.) превышает 100.\n"
                                "Переместите или удалите эти файлы.\nОткрыть папку в проводнике?"));
        QCOMPARE(fx.shell.opened, QStringList{texts.path()});

        // Answered No: still refused, nothing opened.
        fx.ui.stopAnswers.enqueue(false);
        QVERIFY(!GetCntFilesExt(texts.path(), QStringLiteral(".TXT")));
        QCOMPARE(fx.shell.opened.size(), 1);
    }
};

VT_TEST_GUILESS_MAIN(LogsTest)
#include "tst_core_logs.moc"
