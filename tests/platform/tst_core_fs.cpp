#include "attributes.h"
#include "testfiles.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/regularfile.h"
#include "platform/renamefile.h"
#include "platform/shortpath.h"
#include "platform/wildcard.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;
using namespace vt::fs;

class FsTest : public QObject {
    Q_OBJECT
private slots:
    void masks_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("match");
        QTest::newRow("star") << "*" << ".hidden" << true;
        QTest::newRow("case") << "*.JPG" << "photo.jpg" << true;
        QTest::newRow("cyrillic case") << "*отчёт*" << "Годовой ОТЧЁТ.doc" << true;
        QTest::newRow("question") << "a?c" << "abc" << true;
        QTest::newRow("question needs one") << "a?c" << "ac" << false;
        QTest::newRow("question cyrillic") << "?.txt" << "ж.txt" << true;
        QTest::newRow("exact") << "abc" << "abc" << true;
        QTest::newRow("exact other") << "abc" << "abcd" << false;
        QTest::newRow("star dot star no dot") << "*.*" << "Makefile" << true;
        QTest::newRow("name dot star") << "read.*" << "read" << true;
        QTest::newRow("name dot star other") << "read.*" << "reader" << false;
        QTest::newRow("star dot no extension") << "*." << "Makefile" << true;
        QTest::newRow("star dot extension") << "*." << "notes.txt" << false;
        QTest::newRow("star dot hidden") << "*." << ".profile" << false;
        QTest::newRow("name dot") << "read." << "READ" << true;
        QTest::newRow("middle") << "*a*b*" << "xxaxxbxx" << true;
        QTest::newRow("middle miss") << "*a*b*" << "xxbxxaxx" << false;
    }
    void masks()
    {
        QFETCH(QString, mask);
        QFETCH(QString, name);
        QFETCH(bool, match);
        const Wildcard w(mask);
        const QByteArray raw = name.toUtf8();
        QCOMPARE(w.matches(std::string_view(raw.constData(), size_t(raw.size()))), match);
        QCOMPARE(w.matches(name), match);
    }

    void stampsFollowLocalTime()
    {
        // Moscow changed its offset several times (summer time until 2011,
        // +4 in 2011-2014): the fast conversion must agree with Qt's everywhere.
        for (qint64 secs = QDateTime(QDate(2010, 3, 27), QTime(0, 0)).toSecsSinceEpoch();
             secs < QDateTime(QDate(2010, 3, 29), QTime(0, 0)).toSecsSinceEpoch(); secs += 599)
            QCOMPARE(fatStampFromEpoch(secs), fatStamp(QDateTime::fromSecsSinceEpoch(secs)));
        for (qint64 secs = QDateTime(QDate(2014, 10, 25), QTime(0, 0)).toSecsSinceEpoch();
             secs < QDateTime(QDate(2014, 10, 27), QTime(0, 0)).toSecsSinceEpoch(); secs += 599)
            QCOMPARE(fatStampFromEpoch(secs), fatStamp(QDateTime::fromSecsSinceEpoch(secs)));
        const QDateTime t(QDate(2026, 12, 8), QTime(13, 45, 31));
        const quint32 s = fatStamp(t);
        QCOMPARE(s >> 16, quint32((2026 - 1980) << 9 | 12 << 5 | 8));
        QCOMPARE(s & 0xFFFF, quint32(13 << 11 | 45 << 5 | 15));
        QCOMPARE(fatStamp(QDateTime(QDate(1979, 12, 31), QTime(23, 59))), 0u);
        QCOMPARE(fatStamp(QDateTime(QDate(2108, 1, 1), QTime(0, 0))), 0u);
        QVERIFY(fatStamp(QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58))) > 0x80000000u);
    }

    void modifiedTimeInTwoSecondSteps()
    {
        Entry e;
        e.mtime = QDateTime(QDate(2026, 12, 8), QTime(1, 18, 29)).toSecsSinceEpoch();
        e.stamp = fatStampFromEpoch(e.mtime);
        QCOMPARE(modifiedTime(e), QDateTime(QDate(2026, 12, 8), QTime(1, 18, 28)));
        // Outside the stamp range the real time is shown.
        e.mtime = QDateTime(QDate(1975, 6, 1), QTime(8, 0, 1)).toSecsSinceEpoch();
        e.stamp = 0;
        QCOMPARE(modifiedTime(e), QDateTime(QDate(1975, 6, 1), QTime(8, 0, 1)));
    }

    // The reader ends at a short read that reaches the size the file had
    // when opened (no extra read), takes what was added before that read,
    // reads a file whose size the pieces divide to its end, and reads it
    // again from the start after rewind.
    void readerEndsWithoutOneMoreRead()
    {
        QTemporaryDir tmp;
        const QByteArray path = fs::nativePath(tmp.path() + "/f.txt");
        QFile f(QString::fromUtf8(path));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("abcdefgh");
        f.flush();
        fs::RegularFileReader r;
        QVERIFY(r.open(path));
        char buf[16];
        QCOMPARE(r.read(buf, 4), 4);
        QCOMPARE(r.read(buf, 4), 4);
        QCOMPARE(r.read(buf, 4), 0); // pieces that divide the size: the end is a read of nothing
        QVERIFY(r.rewind());
        f.write("ij"); // grown after the open, before the read: read along
        f.flush();
        QCOMPARE(r.read(buf, 16), 10);
        QCOMPARE(QByteArray(buf, 10), QByteArray("abcdefghij"));
        f.write("kl"); // after the short read that reached the size: the end
        f.flush();
        QCOMPARE(r.read(buf, 16), 0);
        QVERIFY(r.rewind());
        QCOMPARE(r.read(buf, 16), 12);
    }

    void lookupAndAttributes()
    {
        QTemporaryDir tmp;
        const QString root = tmp.path() + "/";
        QFile f(root + ".Hidden.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("12345");
        f.close();
        QVERIFY(test::makeHidden(root + ".Hidden.txt"));
        QVERIFY(test::makeReadOnly(root + ".Hidden.txt"));
        Entry e;
        QVERIFY(lookup(root + ".Hidden.txt", &e));
        QCOMPARE(e.name, QStringLiteral(".Hidden.txt"));
        QCOMPARE(e.size, qint64(5));
        // Windows marks new files for the backup ("Archive").
        QCOMPARE(e.attrs & ~AttrArchive, quint32(AttrHidden | AttrReadOnly));
        QDir().mkdir(root + "sub");
        QVERIFY(lookup(root + "sub/", &e));
        QCOMPARE(e.attrs & ~AttrArchive, quint32(AttrDirectory));
        QCOMPARE(e.size, qint64(0));
        QVERIFY(!lookup(root + "missing", &e));
        QVERIFY(isDir(root + "sub"));
        QVERIFY(!isDir(root + ".Hidden.txt"));
        QVERIFY(test::makeReadOnly(root + ".Hidden.txt", false));
    }

    void shortFormsAreUniqueAndCached()
    {
        VT_LINUX_ONLY("case twins, the stand-in short forms");
        QTemporaryDir tmp;
        const QString root = tmp.path() + "/";
        QDir().mkpath(root + "Папка/b");
        QDir().mkpath(root + "ПАПКА");
        QFile(root + "Папка/b/файл.txt").open(QIODevice::WriteOnly);
        // A plain ASCII name and a ligature that upper-cases to the same letters.
        const QString lig = root + "Папка/lig/";
        QDir().mkpath(lig);
        QFile(lig + "ff.txt").open(QIODevice::WriteOnly);
        QFile(lig + QString(QChar(0xFB00)) + ".txt").open(QIODevice::WriteOnly);
        QFile(lig + "Ff2.txt").open(QIODevice::WriteOnly);
        const QString base = tmp.path().toUpper();
        ShortPathCache cache;
        QCOMPARE(cache.shortPath(lig + "ff.txt"), base + "/ПАПКА~2/LIG/FF.TXT~1");
        QCOMPARE(cache.shortPath(lig + QString(QChar(0xFB00)) + ".txt"), base + "/ПАПКА~2/LIG/FF.TXT~2");
        QCOMPARE(cache.shortPath(lig + "Ff2.txt"), base + "/ПАПКА~2/LIG/FF2.TXT");
        // "ПАПКА" < "Папка" in byte order, so it ranks first.
        QCOMPARE(cache.shortPath(root + "Папка/b/файл.txt"), base + "/ПАПКА~2/B/ФАЙЛ.TXT");
        QCOMPARE(cache.shortPath(root + "ПАПКА"), base + "/ПАПКА~1");
        QCOMPARE(cache.shortPath(root + "Папка/b/"), base + "/ПАПКА~2/B/");
        QCOMPARE(shortPath("/"), QStringLiteral("/"));
        QVERIFY(createFileNative(fs::nativePath(root) + "x\xc3"));
        Listing l;
        QVERIFY(Dir::open(fs::nativePath(root))->read(l));
        QCOMPARE(int(l.items.size()), 3);
        FolderNames names(l, fs::nativePath(root));
        QVERIFY(names.shortName("x\xc3").isNull());
        QVERIFY(removeFileNative(fs::nativePath(root) + "x\xc3"));
    }

    void renameNeverReplaces()
    {
        QTemporaryDir dir;
        const QByteArray a = fs::nativePath(dir.filePath("a")), b = fs::nativePath(dir.filePath("b"));
        QFile fa(dir.filePath("a")), fb(dir.filePath("b"));
        QVERIFY(fa.open(QIODevice::WriteOnly) && fa.write("A") == 1);
        fa.close();
        QVERIFY(fb.open(QIODevice::WriteOnly) && fb.write("B") == 1);
        fb.close();
        QCOMPARE(fs::renameNoReplace(a, b).result, fs::RenameResult::Exists);
        QVERIFY(fb.open(QIODevice::ReadOnly));
        QCOMPARE(fb.readAll(), QByteArray("B"));
        fb.close();
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        QCOMPARE(fs::renameNoReplace(a, fs::nativePath(dir.filePath("sub"))).result,
                 fs::RenameResult::Exists);
        const QByteArray c = fs::nativePath(dir.filePath("c"));
        QCOMPARE(fs::renameNoReplace(a, c).result, fs::RenameResult::Ok);
        QVERIFY(!QFile::exists(dir.filePath("a")) && fs::sameFile(c, c) && !fs::sameFile(c, b));
        QCOMPARE(fs::renameNoReplace(a, c).result, fs::RenameResult::Failed);
        QCOMPARE(fs::renameReplace(c, b).result, fs::RenameResult::Ok);
        QVERIFY(fb.open(QIODevice::ReadOnly));
        QCOMPARE(fb.readAll(), QByteArray("A"));
    }

    void utf8Validity()
    {
        QVERIFY(validUtf8("plain"));
        QVERIFY(validUtf8("\xd0\x9f\xd0\xb0"));      // "Па"
        QVERIFY(!validUtf8("\xc0\xaf"));             // overlong "/"
        QVERIFY(!validUtf8("\xed\xa0\x80"));         // surrogate
        QVERIFY(!validUtf8("\xe2\x82"));             // cut short
        QVERIFY(validUtf8("\xf0\x9f\x98\x80"));      // emoji
    }
};

VT_TEST_GUILESS_MAIN(FsTest)
#include "tst_core_fs.moc"
