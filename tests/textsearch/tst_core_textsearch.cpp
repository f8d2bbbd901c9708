#include "base/appdirs.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "platform/dirreader.h"
#include "platform/regularfile.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"
#include "testfiles.h"
#include "textsearch/core/scankernels.h"
#include "textsearch/core/textsearch.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace vt;

// The 16-byte kernels while it lives (the processor's own set after).
struct PlainKernels {
    explicit PlainKernels(bool on) { scan::usePlainKernels(on); }
    ~PlainKernels() { scan::usePlainKernels(false); }
};

// Up to maxLen pieces: the word about once in every wordEvery, else one
// character of the alphabet.
static QString randomText(QRandomGenerator &rnd, const QString &alphabet, int maxLen, int wordEvery,
                          const QString &word)
{
    QString text;
    const int len = int(rnd.bounded(0, maxLen));
    for (int i = 0; i < len; ++i)
        text += rnd.bounded(wordEvery) == 0 ? word : QString(alphabet[int(rnd.bounded(alphabet.size()))]);
    return text;
}

class TextSearchTest : public QObject {
    Q_OBJECT
    QTemporaryDir data;
    QString root;

    static TextScan scan(const QByteArray &bytes, const QString &needle, bool cs = false,
                         FoundLines f = FoundLines::All)
    {
        return scanText(bytes, TextNeedle(needle, cs), true, f);
    }

private slots:
    void initTestCase() { root = data.path() + "/"; }

    void casesAndEncodings()
    {
        const QString text = QStringLiteral("начало\nПривет, МИР\nничего\nпРиВеТ ещё\nЁлка и ёж\n");
        for (const QByteArray &bytes : {text.toUtf8(), toCp1251(text)}) {
            const TextScan s = scan(bytes, QStringLiteral("привет"));
            QCOMPARE(s.lines, 5);
            QCOMPARE(s.matches, 2);
            QCOMPARE(s.numbers, QByteArray("2; 4; "));
            QCOMPARE(s.found, (QStringList{QStringLiteral("Привет, МИР"), QStringLiteral("пРиВеТ ещё")}));
            QCOMPARE(scan(bytes, QStringLiteral("ЁЖ")).numbers, QByteArray("5; "));
            QCOMPARE(scan(bytes, QStringLiteral("Привет"), true).matches, 1);
            QCOMPARE(scan(bytes, QStringLiteral("мир"), true).matches, 0);
        }
        // Other scripts fold too; a string with no cp1251 form finds nothing in a cp1251 file.
        QCOMPARE(scan(QStringLiteral("Ωμέγα Straße\n").toUtf8(), QStringLiteral("ΩΜΈΓΑ")).matches, 1);
        QCOMPARE(scan(toCp1251(QStringLiteral("привет\n")), QStringLiteral("Ω")).matches, 0);
        QCOMPARE(scan("ABC abc\nxyz", "abc").matches, 1);
        // The lead of one spelling with the tail of another is a third letter: "Ђ" is not "т".
        QCOMPARE(scan(QStringLiteral("пЂ пѢ\nПТ\n").toUtf8(), QStringLiteral("пт")).numbers, QByteArray("2; "));
    }

    // One broken sequence anywhere makes the whole file cp1251, where the
    // UTF-8 bytes of the string are other letters and do not match.
    void aBrokenSequenceAnywhereMeansCp1251()
    {
        const QByteArray cyr = QStringLiteral("ёлка и ёж, ").toUtf8();
        QByteArray body;
        while (body.size() < 70)
            body += cyr + "ab ";
        const QByteArray tail = QStringLiteral("\nпривет\n").toUtf8();
        QCOMPARE(scan(body + tail, QStringLiteral("привет")).matches, 1);
        const QByteArray breaks[] = {"\xD0", "\x80", "\xD1 ", "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xFF"};
        for (const QByteArray &b : breaks)
            for (int at = 0; at < 40; ++at) {
                QByteArray text = body;
                // Never inside one of the body's own sequences.
                int k = at;
                while (k < text.size() && (uchar(text[k]) & 0xC0) == 0x80)
                    ++k;
                text.insert(k, b);
                QVERIFY2(scan(text + tail, QStringLiteral("привет")).matches == 0,
                         qPrintable(QStringLiteral("%1 at %2").arg(QString::fromLatin1(b.toHex())).arg(k)));
            }
        // A lead or a continuation alone among ASCII, at every place of the
        // 16- and 32-byte blocks, for both kernel sets.
        for (bool plain : {true, false}) {
            const PlainKernels kernels(plain);
            for (const char *b : {"\xD0", "\xD1", "\x80", "\xBF"})
                for (int at = 0; at < 100; ++at) {
                    QByteArray text(100, 'a');
                    text.insert(at, b);
                    QVERIFY2(scan(text + tail, QStringLiteral("привет")).matches == 0,
                             qPrintable(QStringLiteral("%1 at %2").arg(QString::fromLatin1(QByteArray(b).toHex())).arg(at)));
                }
        }
    }

    void agreesWithPlainUpperCase()
    {
        // Random lines of Latin, Cyrillic, Greek and punctuation against the
        // plain rule: the upper-cased line holds the upper-cased string.
        const QString alphabet = QStringLiteral("abcXYZ привЕТёЁжЖщЩъЂѢ ΩωΣσ«»—–,.0123");
        QRandomGenerator rnd(7);
        auto word = [&](int len) {
            QString w;
            for (int i = 0; i < len; ++i)
                w += alphabet[int(rnd.bounded(alphabet.size()))];
            return w;
        };
        for (int round = 0; round < 300; ++round) {
            QStringList lines;
            for (int i = 0; i < 40; ++i)
                lines << word(int(rnd.bounded(1, 60)));
            const QString needle = word(int(rnd.bounded(1, 4)));
            qint64 expected = 0;
            for (const QString &l : lines)
                expected += l.toUpper().contains(needle.toUpper()) ? 1 : 0;
            const QByteArray bytes = lines.join('\n').toUtf8();
            QCOMPARE(scan(bytes, needle).matches, expected);
        }
    }

    // The byte loops run 16 or 32 bytes at a time: on long lines of mixed
    // scripts both give the plain rule's lines, matches and numbers, and a
    // broken sequence at any place across the blocks' edges makes the text
    // cp1251 (where these strings are not found) for both alike.
    void wideAndPlainKernelsAgree()
    {
        const QString alphabet = QStringLiteral("abcXYZ привЕТёЁжЖщЩ ΩωΣ«»—,.0\n\n");
        QRandomGenerator rnd(5);
        for (int round = 0; round < 200; ++round) {
            const QString text = randomText(rnd, alphabet, 1500, 40, QStringLiteral("пРиВет"));
            const QString needle = round % 2 ? QStringLiteral("ПРИВЕТ") : QStringLiteral("жщ");
            QByteArray bytes = text.toUtf8();
            qint64 expected = 0;
            for (const QString &l : text.split('\n'))
                expected += l.toUpper().contains(needle.toUpper()) ? 1 : 0;
            if (round % 3 == 2) {
                bytes.insert(int(rnd.bounded(bytes.size() + 1)), round % 2 ? '\x80' : '\xD1');
                expected = 0;
            }
            TextScan got[2];
            for (bool plain : {true, false}) {
                const PlainKernels kernels(plain);
                got[plain] = scanText(bytes, TextNeedle(needle, false), true, FoundLines::All);
            }
            const QString at = QStringLiteral("round %1").arg(round);
            QVERIFY2(got[0].matches == expected, qPrintable(at));
            QVERIFY2(got[0].lines == got[1].lines && got[0].matches == got[1].matches
                         && got[0].numbers == got[1].numbers && got[0].found == got[1].found,
                     qPrintable(at));
            if (round % 3 != 2)
                QVERIFY2(got[0].lines == text.count('\n') + (text.endsWith('\n') || text.isEmpty() ? 0 : 1),
                         qPrintable(at));
        }
    }

    void lineEnds()
    {
        // CR LF ends a line without its CR; a lone CR is dropped; Ctrl+Z ends the text.
        const TextScan s = scan("one\r\ntw\ro\r\nthree\x1Atwo\n", "two");
        QCOMPARE(s.lines, 3);
        QCOMPARE(s.found, QStringList{"two"});
        QCOMPARE(s.numbers, QByteArray("2; "));
        QCOMPARE(scan("a\nb", "b").lines, 2);
        QCOMPARE(scan("", "b").lines, 0);
        QCOMPARE(scan("x two\ntwo\n", "two", false, FoundLines::First).found, QStringList{"x two"});
        // A line holds no line end: a string with one is in none.
        QCOMPARE(scan("one\ntwo\n", "one\ntwo").matches, 0);
    }

    // Read in pieces of any size, with long lines searched before they end,
    // a text gives what it gives read whole: matches across piece ends,
    // split sequences, CR LF pairs, a late broken sequence (cp1251 after all).
    void piecesAgreeWithTheWhole()
    {
        const QString alphabet = QStringLiteral("abпрИВЕТёЁ \r\r\n\n\n");
        QRandomGenerator rnd(11);
        for (int round = 0; round < 120; ++round) {
            const QString text = randomText(rnd, alphabet, 300, 9, QStringLiteral("привет"));
            QByteArray bytes = text.toUtf8();
            if (round % 4 == 3)
                bytes.insert(int(rnd.bounded(bytes.size() + 1)), '\xFF');
            const TextNeedle needle(round % 3 ? QStringLiteral("ПРИВЕТ") : QStringLiteral("т п"), round % 5 == 0);
            const ScanLimits whole{bytes.size() + 1, bytes.size() + 1};
            const TextScan want = scanText(bytes, needle, true, FoundLines::All, nullptr, whole);
            for (const ScanLimits lim : {ScanLimits{1, 1 << 20}, ScanLimits{3, 1 << 20}, ScanLimits{7, 4},
                                         ScanLimits{16, 5}, ScanLimits{64, 1}}) {
                const TextScan got = scanText(bytes, needle, true, FoundLines::All, nullptr, lim);
                const QString at = QStringLiteral("round %1 piece %2 line %3").arg(round).arg(lim.chunk).arg(lim.longLine);
                QVERIFY2(got.lines == want.lines && got.matches == want.matches && got.numbers == want.numbers,
                         qPrintable(at));
                QCOMPARE(got.found.size(), want.found.size());
                // A found line longer than the limit is kept up to it.
                for (qsizetype i = 0; i < got.found.size(); ++i)
                    QVERIFY2(lim.longLine > 1000 ? got.found[i] == want.found[i] : want.found[i].startsWith(got.found[i]),
                             qPrintable(at));
            }
        }
    }

    // A file bigger than memory is read piece by piece (a sparse one here:
    // holes read as NUL bytes, one line as long as the file).
    void hugeFilesAreReadInPieces()
    {
        const QString path = root + "sparse.bin";
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            // A line across the end of the first piece, a match at the end of a long line.
            QVERIFY(f.seek((qint64(4) << 20) - 5));
            f.write(QStringLiteral("\nxПРИВЕТ\n").toUtf8());
            QVERIFY(f.seek(qint64(12) << 20));
            f.write(QStringLiteral("привет").toUtf8());
        }
        TextSearchOptions o;
        o.numbersLine = true;
        o.foundLines = FoundLines::All;
        QStringList log;
        QVERIFY(WriteLog(log, o, TextNeedle("Привет", false), "KB: 12288", fs::nativePath(path)));
        QCOMPARE(log.mid(1, 3), (QStringList{"Размер файла: KB: 12288 Общее число строк в файле: 3",
                                             "Число строк, где найдено вхождение: 2", "Номера строк: 2; 3; "}));
        QCOMPARE(log[4].size(), QStringLiteral("xПРИВЕТ\r\n").size() + (1 << 20) + 2);

        // 40 GB: the search goes on in bounded memory and stops when asked.
        QVERIFY(QFile::resize(path, qint64(40) << 30));
        TableModel t;
        AppendState st;
        appendPath(t, st, path);
        t.setAllSelected(true);
        OperationContext ops;
        OperationContext::Scope busy(ops);
        QElapsedTimer clock;
        clock.start();
        ops.setEventPump([&] {
            if (clock.elapsed() > 300)
                ops.requestStop();
        });
        const TextSearchResult r = Parser(t, "привет", o, log, &ops);
        QVERIFY(r.found.isEmpty());
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QFile::remove(path);
    }

    void logBlocksAndTheRun()
    {
        test::FakeServices fx;
        test::writeTestFile(root + "hit.txt", "alpha\nBeta gamma\nbeta\n");
        test::writeTestFile(root + "miss.txt", "nothing here\n");
        test::writeTestFile(root + "empty.txt", "");
        QVERIFY(QDir().mkpath(root + "sub"));
        TableModel t;
        AppendState st;
        for (const QString &n : {"hit.txt", "miss.txt", "empty.txt", "sub", "gone.txt"}) {
            test::writeTestFile(root + "gone.txt", "beta");
            appendPath(t, st, root + n);
        }
        QFile::remove(root + "gone.txt");
        t.setAllSelected(true);

        TextSearchOptions o;
        o.names = 2;
        o.numbersLine = true;
        o.foundLines = FoundLines::All;
        QStringList log;
        const TextSearchResult r = Parser(t, "BETA", o, log, nullptr);
        QCOMPARE(r.found, QList<int>{0});
        QCOMPARE(r.selected, 5);
        QVERIFY(log.first().startsWith("Поиск по тексту, строка \"BETA\" Дата поиска: "));
        QCOMPARE(log.mid(1), (QStringList{
            root + "hit.txt", "Размер файла: " + t.at(0).cells[ColSize] + " Общее число строк в файле: 3",
            "Число строк, где найдено вхождение: 2", "Номера строк: 2; 3; ", "Beta gamma\r\nbeta\r\n", "___\r\n",
            root + "miss.txt", "Размер файла: " + t.at(1).cells[ColSize] + " Общее число строк в файле: 1", "___\r\n",
            root + "gone.txt", "<Файл не найден>", "Результат: 1 из 5"}));

        // Nothing but separators when no line is asked for.
        TextSearchOptions bare;
        bare.names = 0;
        bare.countLine = false;
        bare.foundLines = FoundLines::None;
        QStringList quiet;
        QVERIFY(WriteLog(quiet, bare, TextNeedle("beta", false), "", fs::nativePath(root + "hit.txt")));
        QCOMPARE(quiet, QStringList{"___\r\n"});
        // Something that is not a regular file is reported, never waited on
        // (a FIFO; Windows file systems hold none).
        if (!test::kWindows) {
            QVERIFY(fs::makeFifo(root + "pipe"));
            quiet.clear();
            QVERIFY(!WriteLog(quiet, o, TextNeedle("beta", false), "", fs::nativePath(root + "pipe")));
            QCOMPARE(quiet, (QStringList{root + "pipe\r\n<Ошибка доступа к файлу>", "___\r\n"}));
        }

        // The follow-up: deselect, then remove what holds nothing.
        QCOMPARE(applyNotFound(t, r.found, false), 4);
        QCOMPARE(t.selectedCount(), 1);
        t.setAllSelected(true);
        QCOMPARE(applyNotFound(t, r.found, true), 4);
        QCOMPARE(t.size(), 1);
        QVERIFY(t.counters().rowsRemoved);
    }
};

VT_TEST_GUILESS_MAIN(TextSearchTest)
#include "tst_core_textsearch.moc"
