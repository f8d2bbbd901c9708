#include "base/textutil.h"
#include "rename/core/renapply.h"
#include "rename/core/renpresets.h"
#include "rename/core/renrule.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace vt;

namespace {

TRenRule defaults()
{
    TRenRule r;
    InitRulesDef(r);
    return r;
}

// The name a rule gives "fileName.Exe" without touching the disk.
QString apply(const TRenRule &r, const QString &n = QStringLiteral("fileName"), int num = 20,
              int *code = nullptr)
{
    QString name = n, ext = QStringLiteral("Exe");
    RenJob job;
    job.number = num;
    const int c = ren(r, false, job, name, ext);
    if (code)
        *code = c;
    return name;
}

QString replaced(int mode, int occurrence, const QString &fnd = QStringLiteral("e"),
                 const QString &repl = QStringLiteral("E"))
{
    TRenRule r = defaults();
    r.NameMode = -3;
    r.ZamMode = mode;
    r.ZamNumPos = quint8(occurrence);
    r.ZamFnd = fnd;
    r.ZamNew = repl;
    return apply(r);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A short string field written from the layout alone.
void putShort(QByteArray &rec, int off, const QByteArray &s)
{
    rec[off] = char(s.size());
    rec.replace(off + 1, s.size(), s);
}

} // namespace

class TestRenRule : public QObject {
    Q_OBJECT
private slots:
    void numbering()
    {
        TRenRule r = defaults();
        r.NumPos = 1;
        r.NumWidth = 4;
        r.Pref1 = QStringLiteral("a");
        r.Pref2 = QStringLiteral("_");
        QCOMPARE(apply(r), QStringLiteral("a0020_fileName"));
        QCOMPARE(apply(r, QStringLiteral("fileName"), -5), QStringLiteral("a-0005_fileName"));

        r = defaults();
        r.NumPos = 2;
        r.NumWidth = 4;
        r.Postf1 = QStringLiteral("-");
        r.Postf2 = QStringLiteral("x");
        QCOMPARE(apply(r), QStringLiteral("fileName-0020x"));
        r.NumWidth = 1;
        QCOMPARE(apply(r, QStringLiteral("fileName"), 12345), QStringLiteral("fileName-12345x"));
    }

    void trims()
    {
        TRenRule r = defaults();
        r.NameMode = -2;
        r.ObrFlags = 1;
        r.ObrIndBeg = 1;
        r.ObrCntBeg = 4;
        QCOMPARE(apply(r), QStringLiteral("Name"));
        r.ObrIndBeg = 7; // the count is cut at the end
        QCOMPARE(apply(r), QStringLiteral("fileNa"));
        r.ObrIndBeg = 9; // beyond the end
        QCOMPARE(apply(r), QStringLiteral("fileName"));

        r.ObrFlags = 2;
        r.ObrIndEnd = 1;
        r.ObrCntEnd = 4;
        QCOMPARE(apply(r), QStringLiteral("file"));
        r.ObrIndEnd = 8; // the first character never starts the end trim
        QCOMPARE(apply(r), QStringLiteral("fileName"));
        r.ObrIndEnd = 7;
        r.ObrCntEnd = 250; // runs right to left, down to the first character
        QCOMPARE(apply(r), QStringLiteral("leName"));
        r.ObrIndEnd = 1;
        int code = 0;
        QCOMPARE(apply(r, QStringLiteral("fileName"), 1, &code), QString());
        QCOMPARE(code, int(RenLength));

        r.ObrFlags = 3;
        r.ObrIndBeg = 1;
        r.ObrCntBeg = 2;
        r.ObrIndEnd = 2;
        r.ObrCntEnd = 2;
        QCOMPARE(apply(r), QStringLiteral("leNe")); // "leName" minus "am"
    }

    void replaceModes()
    {
        QCOMPARE(replaced(3, 1), QStringLiteral("filENamE"));
        QCOMPARE(replaced(1, 1), QStringLiteral("filEName"));
        QCOMPARE(replaced(1, 2), QStringLiteral("fileNamE"));
        QCOMPARE(replaced(2, 1), QStringLiteral("fileNamE"));
        QCOMPARE(replaced(2, 2), QStringLiteral("filEName"));
        QCOMPARE(replaced(1, 3), QStringLiteral("fileName"));
        // from the end: a longer find text and replacement keep their order
        QCOMPARE(replaced(2, 1, QStringLiteral("Na"), QStringLiteral("XYZ")), QStringLiteral("fileXYZme"));
        // any case: found in any case, the kept text is the name's own
        QCOMPARE(replaced(3, 1, QStringLiteral("n"), QStringLiteral("-")), QStringLiteral("file-ame"));
        QCOMPARE(replaced(-3, 1, QStringLiteral("n"), QStringLiteral("-")), QStringLiteral("fileName"));
        QCOMPARE(replaced(3, 1, QStringLiteral("E"), QStringLiteral("_")), QStringLiteral("fil_Nam_"));
        QCOMPARE(replaced(-3, 1, QStringLiteral("E"), QStringLiteral("_")), QStringLiteral("fileName"));
        // a replacement is never searched again, occurrences never overlap
        QCOMPARE(replaced(3, 1, QStringLiteral("e"), QStringLiteral("ee")), QStringLiteral("fileeNamee"));
        QCOMPARE(replaced(3, 1, QStringLiteral("aa"), QStringLiteral("b")), QStringLiteral("fileName"));
        TRenRule r = defaults();
        r.NameMode = -3;
        r.ZamMode = 3;
        r.ZamFnd = QStringLiteral("aa");
        r.ZamNew = QStringLiteral("b");
        QCOMPARE(apply(r, QStringLiteral("aaa")), QStringLiteral("ba"));
        // at most 250 replacements
        r.ZamFnd = QStringLiteral("a");
        r.ZamNew = QString();
        const QString many = QString(260, QLatin1Char('a')) + QStringLiteral("z");
        QString name = many, ext = QStringLiteral("txt");
        ren(r, false, RenJob(), name, ext);
        QCOMPARE(name, QString(10, QLatin1Char('a')) + QStringLiteral("z"));
    }

    void caseSensitiveNoOpAndCase()
    {
        // find text equal to its replacement, case-sensitive: untouched
        TRenRule r = defaults();
        r.NameMode = 3;
        r.ZamMode = -1;
        r.ZamFnd = r.ZamNew = QStringLiteral("e");
        int code = 0;
        QCOMPARE(apply(r, QStringLiteral("fileName"), 1, &code), QStringLiteral("fileName"));
        QCOMPARE(code, int(RenSame));

        r = defaults();
        r.NameMode = 1;
        r.CaseMode = -3;
        QCOMPARE(apply(r), QStringLiteral("FILENAME"));
        r.CaseMode = 2;
        QCOMPARE(apply(r, QStringLiteral("ПРИВЕТ мир")), QStringLiteral("Привет мир"));
        r.NameMode = -1; // negative: the case setting is not applied
        QCOMPARE(apply(r, QStringLiteral("ПРИВЕТ")), QStringLiteral("ПРИВЕТ"));
        r.NameMode = 1;
        r.CaseMode = 1;
        r.Pref1 = QStringLiteral("x"); // prefixes keep their case
        QCOMPARE(apply(r, QStringLiteral("abc"), 1, &code), QStringLiteral("xAbc"));
        QCOMPARE(code, int(RenOk));
    }

    void resultCodes()
    {
        int code = 0;
        // the defaults change nothing
        QCOMPARE(apply(defaults(), QStringLiteral("fileName"), 1, &code), QStringLiteral("fileName"));
        QCOMPARE(code, int(RenSame));

        TRenRule r = defaults();
        r.NameMode = 0; // "убрать имя" with nothing around it
        QCOMPARE(apply(r, QStringLiteral("fileName"), 1, &code), QString());
        QCOMPARE(code, int(RenLength));

        r = defaults();
        r.Postf2 = QString(30, QLatin1Char('p'));
        QString name = QString(50, QLatin1Char('n')), ext = QStringLiteral("txt");
        QCOMPARE(ren(r, false, RenJob(), name, ext), int(RenOk)); // exactly 80
        name = QString(51, QLatin1Char('n'));
        QCOMPARE(ren(r, false, RenJob(), name, ext), int(RenLength));

        // the full path: folder + name + extension + 1 at most 255
        RenJob job;
        job.folder = QString(240, QLatin1Char('d')) + QLatin1Char('/');
        name = QStringLiteral("abcdefghi");
        ext = QStringLiteral("txt");
        r = defaults();
        r.Postf1 = QStringLiteral("x"); // 10 characters: 255 exactly, but no such file
        QCOMPARE(ren(r, false, job, name, ext), int(RenError));
        name = QStringLiteral("abcdefghij");
        QCOMPARE(ren(r, false, job, name, ext), int(RenLength));

        // extension replacement to an empty text, a file without extension
        r = defaults();
        r.ExtMode = 3;
        RenJob e;
        e.ext1Upper = QStringLiteral("EXE");
        name = QStringLiteral("a");
        ext = QStringLiteral("exe");
        QCOMPARE(ren(r, false, e, name, ext), int(RenLength));
        e.newExt = QStringLiteral("bin");
        ext = QStringLiteral("eXe");
        QCOMPARE(ren(r, false, e, name, ext), int(RenOk));
        QCOMPARE(ext, QStringLiteral("bin"));
        ext = QString();
        QCOMPARE(ren(r, false, e, name, ext), int(RenError));
        QString empty;
        ext = QStringLiteral("x");
        QCOMPARE(ren(r, false, e, empty, ext), int(RenError));

        // case only; folders have no extension and skip its step
        r = defaults();
        r.ExtMode = 2;
        name = QStringLiteral("a");
        ext = QStringLiteral("txt");
        QCOMPARE(ren(r, false, RenJob(), name, ext), int(RenCaseOnly));
        QCOMPARE(ext, QStringLiteral("TXT"));
        name = QStringLiteral("dir");
        ext = QString();
        QCOMPARE(ren(r, true, RenJob(), name, ext), int(RenSame));
        QCOMPARE(renResultText(RenCaseOnly, false), QStringLiteral("OK [только регистр]"));
        QCOMPARE(renResultText(RenExists, true), QStringLiteral("ТЕСТ: ОШИБКА [файл/папка существует]"));
    }

    void cleaning()
    {
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral("a..")), QStringLiteral("a"));
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral("a  b ")), QStringLiteral("a b"));
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral(" .a")), QStringLiteral("a"));
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral("a<b")), QStringLiteral("ab"));
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral("a. . ")), QStringLiteral("a"));
        QCOMPARE(provv(CleanPart::NewName, QStringLiteral(". x\t\"*/:<>?\\|\x7f.y")), QStringLiteral("x.y"));
        QCOMPARE(provv(CleanPart::NewExt, QStringLiteral("j. p,g")), QStringLiteral("jpg"));
        QCOMPARE(provv(CleanPart::OldExt, QStringLiteral(" .j p.?")), QStringLiteral(" .j p."));
        // the rule application cleans the finished name
        TRenRule r = defaults();
        r.Pref1 = QStringLiteral("  . ");
        r.Postf2 = QStringLiteral("  ..");
        QCOMPARE(apply(r, QStringLiteral("a   b")), QStringLiteral("a b"));
    }

    void recordLayout()
    {
        TRenRule r = defaults();
        r.Descr = QStringLiteral("Фото отпуска");
        r.NumStep = 5;
        r.Pref1 = QStringLiteral("п1");
        r.Pref2 = QStringLiteral("p2");
        r.Postf1 = QStringLiteral("s1");
        r.Postf2 = QString(40, QLatin1Char('z')); // cut to its field
        r.NumPos = 2;
        r.NumStart = -10000;
        r.NumWidth = 8;
        r.NameMode = -3;
        r.CaseMode = 2;
        r.ObrFlags = 3;
        r.ObrIndBeg = 2;
        r.ObrCntBeg = 3;
        r.ObrIndEnd = 4;
        r.ObrCntEnd = 250;
        r.ZamMode = -2;
        r.ZamNumPos = 3;
        r.ZamFnd = QStringLiteral("Ё");
        r.ZamNew = QStringLiteral("е");
        r.ExtMode = 3;
        r.Ext1 = QStringLiteral("jpeg");
        r.Ext2 = QStringLiteral("jpg");

        QByteArray want(544, '\0');
        putShort(want, 0, toCp1251(r.Descr));
        qToLittleEndian<qint32>(5, want.data() + 256);
        putShort(want, 260, "\xef" "1");
        putShort(want, 291, "p2");
        putShort(want, 322, "s1");
        putShort(want, 353, QByteArray(30, 'z'));
        want[384] = 2;
        qToLittleEndian<qint32>(-10000, want.data() + 388);
        want[392] = 8;
        qToLittleEndian<qint32>(-3, want.data() + 396);
        qToLittleEndian<qint32>(2, want.data() + 400);
        want[404] = 3;
        want[405] = 2;
        want[406] = 3;
        want[407] = 4;
        want[408] = char(250);
        qToLittleEndian<qint32>(-2, want.data() + 412);
        want[416] = 3;
        putShort(want, 417, "\xa8");
        putShort(want, 468, "\xe5");
        want[519] = 3;
        putShort(want, 520, "jpeg");
        putShort(want, 531, "jpg");

        // the preset file as the program writes it
        QTemporaryDir tmp;
        RenPresets p(tmp.filePath("ren"));
        QVERIFY(p.InitFileRules());
        QVERIFY(p.write(2, r));
        const QByteArray file = fileBytes(p.path());
        QCOMPARE(file.size(), 9 * 544);
        QCOMPARE(file.mid(544, 544), want);
        QCOMPARE(file.left(544), QByteArray(544, '\0'));
        QCOMPARE(file.mid(2 * 544), QByteArray(7 * 544, '\0'));

        TRenRule back = *p.read(2);
        r.Postf2 = QString(30, QLatin1Char('z'));
        QCOMPARE(back, r);
        QVERIFY(p.read(1)->isEmpty());
    }

    void damagedPresets()
    {
        QTemporaryDir tmp;
        const QString path = tmp.filePath("ren");
        // wrong size: nine empty slots
        writeFile(path, QByteArray(544 * 9 - 1, 'x'));
        RenPresets p(path);
        QVERIFY(p.InitFileRules());
        QCOMPARE(fileBytes(path), QByteArray(544 * 9, '\0'));
        QString text;
        QCOMPARE(p.list(&text), RenPresets::ListState::Ok);
        QVERIFY(text.startsWith(QStringLiteral("1: <нет пресеты>\r\n\r\n2: <нет пресеты>")));
        QVERIFY(text.endsWith(QStringLiteral("9: <нет пресеты>")));

        // garbage of the right size reads without harm; flags above 3 mean empty
        QByteArray junk(544 * 9, char(0xff));
        junk[544 + 404] = 1;
        writeFile(path, junk);
        QVERIFY(p.InitFileRules());
        QVERIFY(p.read(1)->isEmpty());
        const TRenRule slot2 = *p.read(2);
        QCOMPARE(slot2.ObrFlags, quint8(1));
        QCOMPARE(slot2.Descr.size(), 255);
        QCOMPARE(slot2.Ext1.size(), 10);
        QString name = QStringLiteral("abc"), ext = QStringLiteral("txt");
        ren(slot2, false, RenJob(), name, ext); // any values: no crash, no hang
        TRenRule fixed = slot2;
        renNormalize(fixed); // what the editor's controls can hold
        QCOMPARE(fixed.NumWidth, quint8(8));
        QCOMPARE(fixed.NumStep, 1);    // -1 read
        QCOMPARE(fixed.NumPos, quint8(1));
        QCOMPARE(fixed.NameMode, -1);
        QCOMPARE(fixed.ObrCntEnd, quint8(250));
        QCOMPARE(fixed.ZamNumPos, quint8(1));
        QCOMPARE(fixed.ExtMode, quint8(0));
        QVERIFY(!p.read(0) && !p.read(10));
        // a slot with a description but flags 0 is empty
        QByteArray described(544 * 9, '\0');
        putShort(described, 0, "old");
        writeFile(path, described);
        QVERIFY(p.read(1)->isEmpty());
        QVERIFY(p.list(&text) == RenPresets::ListState::Ok && text.startsWith(QStringLiteral("1: <нет пресеты>")));

        // a file cut short after the start: read fails, nothing is written
        writeFile(path, QByteArray(100, '\0'));
        QVERIFY(!p.read(1));
        QVERIFY(!p.write(1, defaults()));
        QCOMPARE(fileBytes(path).size(), 100);
        QCOMPARE(p.list(&text), RenPresets::ListState::Unreadable);
        QFile::remove(path);
        QCOMPARE(p.list(&text), RenPresets::ListState::NoFile);
        QVERIFY(TRenRule::fromBytes(QByteArray(10, 'x')) == TRenRule());
    }
};

VT_TEST_GUILESS_MAIN(TestRenRule)
#include "tst_core_renrule.moc"
