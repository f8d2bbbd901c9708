#include "base/appdirs.h"
#include "base/settings.h"
#include "base/textutil.h"
#include "fakeservices.h"
#include "fifoguard.h"
#include "platform/regularfile.h"
#include "testfiles.h"
#include "testhome.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class SettingsTest : public QObject {
    Q_OBJECT
    std::optional<test::TestHome> home;

    QString ini() const { return test::iniPath(home->path()); }
    void put(const QByteArray &bytes) { test::putIni(home->path(), bytes); }
    QByteArray bytes() const { return ini::load(ini()); }

private slots:
    void init()
    {
        home.emplace();
                settings() = Settings();
    }
    void cleanup()
    {
        home.reset();
    }

    void defaultsWithoutFile()
    {
        test::FakeServices fx;
        settings().dirStart = QStringLiteral("stale");
        settings().clv = true;
        QCOMPARE(GetStartDir(StartDir::LoadAll), QString());
        QCOMPARE(settings().dirStart, QString());
        QCOMPARE(settings().lcm, QString());
        QVERIFY(!settings().clv);
        QCOMPARE(settings().ophs, 0);
        // Nothing changed: closing must not create the file.
        Savini();
        QVERIFY(!QFile::exists(ini()));
    }

    void readsKeysAsWindowsWould()
    {
        test::FakeServices fx;
        put(toCp1251(QStringLiteral("[other]\nDIRSTART=/wrong/\n"
                                    "[ main ]\r\n ; comment\r\n dirstart = \"/home/u/Фото/\" \r\n"
                                    "Lcm=/mnt/копии/\r\nCLV=2\r\nOPHS=abc\r\n")));
        QCOMPARE(GetStartDir(StartDir::LoadAll), QStringLiteral("/home/u/Фото/"));
        QCOMPARE(settings().lcm, QStringLiteral("/mnt/копии/"));
        QVERIFY(settings().clv);          // any non-zero number is true
        QCOMPARE(settings().ophs, 0);     // not a number: default
        QCOMPARE(GetStartDir(StartDir::Folder), QStringLiteral("/home/u/Фото/"));
    }

    void startFolderAnsweredYesIsWritten()
    {
        test::FakeServices fx;
        fx.ui.yesNo.enqueue(true);
        QCOMPARE(GetStartDir(StartDir::OfferFolder, QStringLiteral("/data/Папка/")), QStringLiteral("1"));
        QCOMPARE(fx.ui.lastText(),
                 QStringLiteral("Открывать папку:\n/data/Папка/\nпри старте программы?"));
        QCOMPARE(fx.sound.played, QList<int>{2});
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nDIRSTART=/data/") + toCp1251(QStringLiteral("Папка"))
                              + QByteArray("/\r\n"));
        settings() = Settings();
        QCOMPARE(GetStartDir(StartDir::LoadAll), QStringLiteral("/data/Папка/"));
    }

    void startFolderAnsweredNoWritesNothing()
    {
        test::FakeServices fx;
        fx.ui.yesNo.enqueue(false);
        QCOMPARE(GetStartDir(StartDir::OfferFolder, QStringLiteral("/data/")), QString());
        QVERIFY(!QFile::exists(ini()));
        const QByteArray before("[MAIN]\r\nDIRSTART=/old/\r\n");
        put(before);
        fx.ui.yesNo.enqueue(false);
        QCOMPARE(GetStartDir(StartDir::OfferFolder, QStringLiteral("/data/")), QString());
        QCOMPARE(bytes(), before);
        QVERIFY(fx.sound.played.isEmpty());
    }

    void unsafeStartFolderIsRefused()
    {
        test::FakeServices fx;
        const QByteArray before("[MAIN]\r\nDIRSTART=/old/\r\n");
        put(before);
        // A line break would add a forged key; a character without a cp1251
        // code would come back as another folder.
        for (const QString &bad : {QStringLiteral("/a\nCLV=1/"), QStringLiteral("/a\u4e2d/")}) {
            fx.ui.yesNo.enqueue(true);
            QCOMPARE(GetStartDir(StartDir::OfferFolder, bad), QString());
            QCOMPARE(bytes(), before);
        }
        QCOMPARE(fx.ui.beepKinds, (QList<Beep>{Beep::Error, Beep::Error}));
        QVERIFY(fx.sound.played.isEmpty());
    }

    void closingWithoutChangesKeepsEveryByte()
    {
        test::FakeServices fx;
        const QByteArray before = toCp1251(QStringLiteral(
            "; settings\n[MAIN]\nDIRSTART = /дом/\r\nLCM=\"/mnt/x/\"\nCLV=1\n\n[EXTRA]\nA=b"));
        put(before);
        GetStartDir(StartDir::LoadAll);
        Savini();
        QCOMPARE(bytes(), before);
    }

    void lcmAndClvAreWrittenTogether()
    {
        test::FakeServices fx;
        put(QByteArray("[MAIN]\r\nLCM=/a/\r\nOPHS=2\r\n\r\n[X]\r\nk=v\r\n"));
        GetStartDir(StartDir::LoadAll);
        settings().clv = true;
        Savini();
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nLCM=/a/\r\nOPHS=2\r\nCLV=1\r\n\r\n[X]\r\nk=v\r\n"));

        settings().lcm = QStringLiteral("/b/");
        Savini();
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nLCM=/b/\r\nOPHS=2\r\nCLV=1\r\n\r\n[X]\r\nk=v\r\n"));

        // Both keys appear even when only one of them changed from the default.
        QFile::remove(ini());
        settings().lcm = QStringLiteral("/c/");
        settings().clv = false;
        Savini();
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nLCM=/c/\r\nCLV=0\r\n"));
    }

    void iniEditsKeepForeignLines()
    {
        // Section missing, last line without a line break.
        QCOMPARE(ini::setValue("[X]\nk=v", QStringLiteral("MAIN"), QStringLiteral("CLV"),
                               QStringLiteral("1")),
                 QByteArray("[X]\nk=v\r\n[MAIN]\r\nCLV=1\r\n"));
        // Key replaced in place whatever its spelling; LF lines elsewhere stay LF.
        QCOMPARE(ini::setValue("[main]\n  clv = 0 \nZ=1\n", QStringLiteral("MAIN"),
                               QStringLiteral("CLV"), QStringLiteral("1")),
                 QByteArray("[main]\nCLV=1\r\nZ=1\n"));
        // Only the first [MAIN] counts, as for the reader.
        const QByteArray twice("[MAIN]\r\nA=1\r\n[MAIN]\r\nB=2\r\n");
        QCOMPARE(ini::setValue(twice, QStringLiteral("MAIN"), QStringLiteral("B"), QStringLiteral("3")),
                 QByteArray("[MAIN]\r\nA=1\r\nB=3\r\n[MAIN]\r\nB=2\r\n"));
        bool found = true;
        QCOMPARE(ini::value(twice, QStringLiteral("MAIN"), QStringLiteral("B"), &found), QString());
        QVERIFY(!found);
    }

    void ordPageModeIsSavedWithMessage()
    {
        test::FakeServices fx;
        put(QByteArray("[MAIN]\r\nCLV=1\r\n"));
        settings().ophs = 3;
        GetStartDir(StartDir::SaveOrdPage);
        QCOMPARE(fx.ui.lastText(), QStringLiteral("Настройки для Ord/Page сохранены"));
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nCLV=1\r\nOPHS=3\r\n"));
        settings().ophs = 0;
        GetStartDir(StartDir::LoadAll);
        QCOMPARE(settings().ophs, 3);
    }

    void optionsRemovedDuringTheRunAreMadeAgain()
    {
        test::FakeServices fx;
        QCOMPARE(GetStartDir(StartDir::LoadAll), QString());
        QVERIFY(QDir(home->path() + QStringLiteral("/Options")).removeRecursively());
        settings().clv = true;
        Savini();
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nLCM=\r\nCLV=1\r\n"));
        QVERIFY(QDir(home->path() + QStringLiteral("/Options")).removeRecursively());
        fx.ui.yesNo.enqueue(true);
        QCOMPARE(GetStartDir(StartDir::OfferFolder, QStringLiteral("/srv/")), QStringLiteral("1"));
        QCOMPARE(bytes(), QByteArray("[MAIN]\r\nDIRSTART=/srv/\r\n"));
        QCOMPARE(fx.sound.played, QList<int>{2});
    }

    void noOptionsFolderMeansDefaultsAndSilence()
    {
        test::FakeServices fx;
        // The program folder is a file, so Options/ cannot be made.
        const QString blocker = home->path() + QStringLiteral("/blocker");
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        qputenv("VESTRADA_HOME", blocker.toUtf8());
        resetAppDirs();
        QCOMPARE(iniPath(), QString());
        QCOMPARE(GetStartDir(StartDir::LoadAll), QString());
        settings().clv = true;
        Savini();
        QVERIFY(fx.ui.calls.isEmpty());
        QCOMPARE(fx.ui.beeps, 0);
    }

    void fifoInPlaceOfIniMeansDefaults()
    {
        VT_LINUX_ONLY("FIFOs");
        test::FakeServices fx;
        QVERIFY(QDir().mkpath(home->path() + QStringLiteral("/Options")));
        QVERIFY(fs::makeFifo(ini()));
        settings().dirStart = QStringLiteral("stale");
        QVERIFY(test::returnsAtOnce(ini(), [] { GetStartDir(StartDir::LoadAll); }));
        QCOMPARE(settings().dirStart, QString());
        QVERIFY(fx.ui.calls.isEmpty());
    }
};

VT_TEST_GUILESS_MAIN(SettingsTest)
#include "tst_core_settings.moc"
