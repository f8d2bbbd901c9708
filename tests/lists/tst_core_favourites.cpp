#include "lists/core/favourites.h"
#include "base/appdirs.h"
#include "base/textutil.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

// The favourite stores as the user meets them: what survives a load, what
// the next save writes, and how damaged files are read.
class FavouritesTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;
    QTemporaryDir data;

    QString dir(const QString &name)
    {
        const QString d = data.path() + QLatin1Char('/') + name + QLatin1Char('/');
        QDir().mkpath(d);
        return d;
    }

private slots:
    void init()
    {
        home.emplace();
        QVERIFY(GetOptPath());
    }

    void openDropsMissingFoldersAndWritesThemOut()
    {
        const QString a = dir(QStringLiteral("alpha")), b = dir(QStringLiteral("Zeta"));
        const QString gone = dir(QStringLiteral("gone"));
        QVERIFY(QDir(gone).removeRecursively());
        const QString store = FavouriteFolders::storePath();
        QCOMPARE(store, optPath() + QStringLiteral("open"));
        // Stored order, a vanished folder, a relative line, a missing separator, a repeat.
        test::writeTestFile(store, toCp1251(QStringLiteral("  %1  \r\n%2\r\nrelative/dir\r\n%3\r\n%1\r\n")
                                                .arg(b, gone, a.chopped(1))));
        FavouriteFolders f;
        f.load(store);
        QCOMPARE(f.stored(), (QStringList{b, a}));
        QCOMPARE(f.shown(true), (QStringList{a, b})); // by name ignoring case
        QCOMPARE(f.shown(false), (QStringList{b, a}));
        QVERIFY(!f.changed());

        // "/…/alpha" typed without the separator is the stored "/…/alpha/":
        // its number is that of the shown order.
        QCOMPARE(f.shownIndex(withFinalSeparator(a.chopped(1)), false), 1);
        QCOMPARE(f.shownIndex(withFinalSeparator(a.chopped(1)), true), 0);

        const QString c = dir(QStringLiteral("Новая"));
        f.add(c);
        QVERIFY(f.changed());
        QVERIFY(f.save());
        // Whole file, cp1251 and CR LF, without the folder that is gone.
        QCOMPARE(readWholeFile(store), toCp1251(b + "\r\n" + a + "\r\n" + c + "\r\n"));
        QVERIFY(f.remove(b));
        QVERIFY(!f.remove(b));
        QVERIFY(f.save());
        FavouriteFolders again;
        again.load(store);
        QCOMPARE(again.stored(), (QStringList{a, c}));
    }

    void damagedStoresGiveWhatCanBeRead()
    {
        // A folder in place of the file, binary garbage, a missing file.
        QFile::remove(optPath() + QStringLiteral("open"));
        QDir().mkpath(optPath() + QStringLiteral("open"));
        FavouriteFolders f;
        f.load(FavouriteFolders::storePath());
        QVERIFY(f.stored().isEmpty());
        QVERIFY(!f.save()); // cannot replace a folder; the caller ignores it

        const QString shab = FavouriteStrings::storePath(FavouriteKind::Template);
        test::writeTestFile(shab, QByteArray("*.txt\r\n\0\xff\xfe\x01\r\n*.doc", 18));
        FavouriteStrings s;
        s.load(shab);
        QCOMPARE(s.list().size(), 3);
        QCOMPARE(s.list().first(), QStringLiteral("*.txt"));
        QCOMPARE(s.list().last(), QStringLiteral("*.doc"));

        FavouriteStrings none;
        none.load(FavouriteStrings::storePath(FavouriteKind::Parameter));
        QVERIFY(none.list().isEmpty());
        QVERIFY(none.add(QStringLiteral("-x \"a b\"")));
        QVERIFY(none.save());
        QCOMPARE(readWholeFile(optPath() + QStringLiteral("strparam")), QByteArray("-x \"a b\"\r\n"));
    }

    void templatesIgnoreCaseAndAreCutToForty()
    {
        const QString shab = FavouriteStrings::storePath(FavouriteKind::Template);
        const QString sixty = QStringLiteral("*") + QString(58, QChar(u'ж')) + QStringLiteral("*");
        QVERIFY(writeCp1251Lines(shab, {QStringLiteral("*.Отчет*"), sixty}));
        FavouriteStrings s;
        s.load(shab);
        QCOMPARE(s.find(QStringLiteral("*.оТЧЕТ*")), 0);
        QVERIFY(!s.add(QStringLiteral("*.ОТЧЕТ*")));
        QVERIFY(!s.changed());
        QVERIFY(s.add(QStringLiteral("*.log")));
        s.removeAt({0, 0, 7});
        QCOMPARE(s.list(), (QStringList{sixty, QStringLiteral("*.log")}));

        QCOMPARE(FavouriteStrings::asResult(sixty, FavouriteKind::Template), sixty.left(40));
        QCOMPARE(FavouriteStrings::asResult(sixty, FavouriteKind::Parameter), sixty);
    }
};

VT_TEST_GUILESS_MAIN(FavouritesTest)
#include "tst_core_favourites.moc"
