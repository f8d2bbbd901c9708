#include "base/appdirs.h"
#include "base/textutil.h"
#include "search/core/extstore.h"
#include "testhome.h"
#include "testmain.h"

#include <QFile>
#include <QTest>

using namespace vt;

class TestExtStore : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> m_home;

    QByteArray bytesOf(const char *name) const
    {
        return readWholeFile(m_home->path() + QStringLiteral("/Options/") + QLatin1String(name));
    }

private slots:
    void init()
    {
        m_home.emplace();
    }

    void typedExtensions()
    {
        QStringList list{QStringLiteral("DOC"), QStringLiteral("TXT")};
        ext::AddOutcome r = ext::addTyped(list, QStringLiteral(".jpeg2000x"));
        QCOMPARE(r.kind, ext::AddOutcome::Added);
        QCOMPARE(r.ext, QStringLiteral("JPEG2000X"));
        QCOMPARE(list, (QStringList{"DOC", "JPEG2000X", "TXT"}));
        QCOMPARE(r.index, 1);
        QVERIFY(r.message.isEmpty());

        // trimmed, one dot removed, cut to ten, upper case
        QCOMPARE(ext::normalizeTyped(QStringLiteral("  .abcdefghijkl ")), QStringLiteral("ABCDEFGHIJ"));
        QCOMPARE(ext::normalizeTyped(QStringLiteral("жпг")), QStringLiteral("ЖПГ"));

        const QStringList before = list;
        for (const char *bad : {"a.b", "a b", "a*", "..txt", "a,b", "a?", "a|b", "a\"b", "a\\b", "a/b"}) {
            r = ext::addTyped(list, QString::fromLatin1(bad));
            QCOMPARE(r.kind, ext::AddOutcome::BadChars);
            QCOMPARE(r.message, QStringLiteral("Ошибочные символы, строка: ") + r.ext);
        }
        QCOMPARE(ext::addTyped(list, QStringLiteral("a.b")).message,
                 QStringLiteral("Ошибочные символы, строка: A.B"));
        QCOMPARE(list, before);

        r = ext::addTyped(list, QStringLiteral(" .txt "));
        QCOMPARE(r.kind, ext::AddOutcome::Duplicate);
        QCOMPARE(r.message, QStringLiteral("Расширение TXT имеется в списке под номером 3"));
        QCOMPARE(r.index, 2);

        // Characters the cp1251 store cannot hold are refused like the others.
        r = ext::addTyped(list, QStringLiteral(".文档"));
        QCOMPARE(r.kind, ext::AddOutcome::BadChars);
        QCOMPARE(r.message, QStringLiteral("Ошибочные символы, строка: 文档"));

        QCOMPARE(ext::addTyped(list, QStringLiteral(" . ")).kind, ext::AddOutcome::Empty);
        QCOMPARE(ext::addTyped(list, QStringLiteral("  ")).kind, ext::AddOutcome::Empty);
        QCOMPARE(list, before);
    }

    void choosingKeepsTen()
    {
        QStringList chosen;
        for (int i = 12; i >= 1; --i)
            chosen << QStringLiteral("E%1").arg(i, 2, 10, QLatin1Char('0'));
        QStringList result;
        QCOMPARE(ext::addChosen(result, chosen), 10);
        // the first ten in list order, then sorted
        QStringList expected = chosen.mid(0, 10);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(result, expected);
        QVERIFY(!result.contains(QStringLiteral("E01")));

        // present ones are skipped, and nothing comes in beyond ten
        QStringList r2{QStringLiteral("TXT")};
        QCOMPARE(ext::addChosen(r2, {QStringLiteral("txt"), QStringLiteral("DOC")}), 1);
        QCOMPARE(r2, (QStringList{"DOC", "TXT"}));
        QCOMPARE(ext::addChosen(result, {QStringLiteral("ZZZ")}), 0);
        QCOMPARE(result.size(), 10);
    }

    void linesAndResults()
    {
        QCOMPARE(ext::splitExts(QStringLiteral("DOC, , JPG ,T X T,")), (QStringList{"DOC", "JPG", "TXT"}));
        QCOMPARE(ext::joinExts({QStringLiteral("DOC"), QStringLiteral("JPG")}), QStringLiteral("DOC, JPG"));

        QCOMPARE(ext::acceptedResult(QStringLiteral("txt, doc, TXT")), (QStringList{"DOC", "TXT"}));
        QVERIFY(ext::acceptedResult(QStringLiteral("a*b")).isEmpty());
        QVERIFY(ext::acceptedResult(QStringLiteral("a.b, doc")).isEmpty());
        QVERIFY(ext::acceptedResult(QStringLiteral("ABCDEFGHIJK")).isEmpty());
        QStringList eleven;
        for (int i = 0; i < 11; ++i)
            eleven << QString::number(i);
        QVERIFY(ext::acceptedResult(eleven.join(QLatin1Char(','))).isEmpty());
        QCOMPARE(ext::acceptedResult(eleven.mid(0, 10).join(QLatin1Char(','))).size(), 10);

        const QStringList favs{QStringLiteral("DOC, TXT"), QStringLiteral("JPG")};
        QCOMPARE(ext::favouriteDuplicateMessage(favs, QStringLiteral("JPG")),
                 QStringLiteral("Такой набор расширений имеется в избранных под номером 2"));
        QVERIFY(ext::favouriteDuplicateMessage(favs, QStringLiteral("PNG")).isEmpty());
    }

    void storesRoundTrip()
    {
        QVERIFY(ext::loadList().isEmpty());
        QVERIFY(ext::loadFavourites().isEmpty());

        QVERIFY(ext::saveList({QStringLiteral("TXT"), QStringLiteral("ДОК"), QStringLiteral("AVI")}));
        QCOMPARE(bytesOf("strext"), QByteArray("TXT\r\n\xC4\xCE\xCA\r\nAVI\r\n"));
        // read back sorted, in cp1251 order
        QCOMPARE(ext::loadList(), (QStringList{"AVI", "TXT", QStringLiteral("ДОК")}));

        const QStringList favs{QStringLiteral("JPG, PNG"), QStringLiteral("DOC, TXT")};
        QVERIFY(ext::saveFavourites(favs));
        QCOMPARE(bytesOf("strexts"), QByteArray("JPG, PNG\r\nDOC, TXT\r\n"));
        QCOMPARE(ext::loadFavourites(), favs);

        // A line cp1251 cannot hold is left out rather than saved as "??".
        QVERIFY(ext::saveFavourites({QStringLiteral("JPG"), QStringLiteral("文档, TXT"), QStringLiteral("ЖПГ")}));
        QCOMPARE(bytesOf("strexts"), QByteArray("JPG\r\n\xC6\xCF\xC3\r\n"));

        // hand-edited files: blanks trimmed, empty lines skipped
        QVERIFY(writeFileAtomic(m_home->path() + QStringLiteral("/Options/strext"),
                                QByteArray("  mp3 \r\n\r\nAVI\n")));
        QCOMPARE(ext::loadList(), (QStringList{"AVI", "mp3"}));
    }
};

VT_TEST_GUILESS_MAIN(TestExtStore)
#include "tst_core_extstore.moc"
