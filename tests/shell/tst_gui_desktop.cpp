// The real desktop services: programs started with argument lists, and the
// file manager reached over D-Bus (a stand-in service on a private session
// bus; ctest runs this test under dbus-run-session).
#include "app/qtservices.h"
#include "fakeservices.h"
#include "shell/core/openwith.h"
#include "shell/svvform.h"
#include "testfiles.h"
#include "xdgdesktop.h"
#include "testmain.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

using namespace vt;

class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList calls() const
    {
        QMutexLocker l(&m_mutex);
        return m_calls;
    }
public slots:
    void ShowItems(const QStringList &uris, const QString &startupId) { record("ShowItems", uris, startupId); }
    void ShowItemProperties(const QStringList &uris, const QString &startupId)
    {
        record("ShowItemProperties", uris, startupId);
    }

private:
    void record(const char *method, const QStringList &uris, const QString &startupId)
    {
        QMutexLocker l(&m_mutex);
        m_calls << QLatin1String(method) + QLatin1Char(' ') + uris.join(QLatin1Char(',')) + QLatin1Char('|')
                       + startupId;
    }
    mutable QMutex m_mutex;
    QStringList m_calls;
};

class DesktopTest : public QObject {
    Q_OBJECT
    QtShell realShell;

private slots:
    void programsGetEachPathAsOneArgument()
    {
        test::FakeServices fx;
        setShell(&realShell);
        QTemporaryDir dir;
        const QString out = dir.filePath("argv.out");
        const QString rec = dir.filePath("rec");
        test::writeTestFile(rec, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + out.toUtf8() + ".part\" && mv \""
                                     + out.toUtf8() + ".part\" \"" + out.toUtf8() + "\"\n");
        QFile(rec).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QStringList files{dir.filePath("a\"; touch pwned; \".txt"), dir.filePath("-rf $(touch pwned2) 'x`id`'")};
        for (const QString &f : files)
            test::writeTestFile(f, "x");
        // Anything a shell would run lands in the current folder.
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));

        RunRequest r;
        r.program = rec;
        r.files = files;
        r.paramOn = true;
        r.param = "-p";
        fx.ui.yesOk << YesOk::Ok;
        QCOMPARE(runProgram(r), RunResult::Started);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
        QDir::setCurrent(before);
        setShell(&fx.shell);

        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray bytes = f.readAll();
        QVERIFY(bytes.endsWith('\0'));
        bytes.chop(1);
        QStringList argv;
        for (const QByteArray &a : bytes.split('\0'))
            argv << QString::fromUtf8(a);
        QCOMPARE(argv, (QStringList{"-p", files[0], files[1]}));
        QVERIFY(!QFile::exists(dir.filePath("pwned")));
        QVERIFY(!QFile::exists(dir.filePath("pwned2")));
        QCOMPARE(fx.sound.played, QList<int>{3});
    }

    void openingTellsWhatTheOpenerSaid()
    {
        if (!test::XdgDesktop::toolsThere())
            QSKIP("xdg-utils are needed (scripts/install-deps.sh)");
        test::XdgDesktop xdg;
        QTemporaryDir dir;
        QList<bool> outcomes;
        auto record = [&](bool ok) { outcomes << ok; };
        // No program for the file: xdg-open fails, and the answer comes from
        // the event loop, never while the caller waits.
        const QString odd = dir.filePath("data.vt-unknown");
        test::writeTestFile(odd, QByteArray("\x00\x01\xfe\xff", 4));
        realShell.setVerdictMs(60000);
        realShell.open(odd, record);
        QVERIFY(outcomes.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(outcomes, QList<bool>{false}, 60000);
        // A program that took it.
        QString out;
        xdg.addApp("files.desktop", xdg.recorder("files", &out), {"inode/directory"});
        realShell.open(dir.path(), record);
        QTRY_COMPARE_WITH_TIMEOUT(outcomes, (QList<bool>{false, true}), 60000);
        QCOMPARE(test::XdgDesktop::recorded(out), QStringList{dir.path()});
        // Without a desktop xdg-open waits for the program: one still running
        // after the time limit has opened the file, whatever it ends with.
        const QString slow = dir.filePath("slow");
        test::writeTestFile(slow, "#!/bin/sh\nsleep 3\nexit 1\n");
        QFile(slow).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        xdg.addApp("files.desktop", slow, {"inode/directory"});
        realShell.setVerdictMs(300);
        realShell.open(dir.path(), record);
        QTRY_COMPARE_WITH_TIMEOUT(outcomes, (QList<bool>{false, true, true}), 2500);
    }

    void fileManagerOverDBus()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus (run through ctest, which starts a private one)");
        if (!test::XdgDesktop::toolsThere())
            QSKIP("xdg-utils are needed (scripts/install-deps.sh)");
        QTemporaryDir dir;
        const QString doc = dir.filePath("my report.txt");
        test::writeTestFile(doc, "x");

        // The stand-in answers from its own thread while the call waits.
        QThread thread;
        auto *fm = new FakeFileManager;
        fm->moveToThread(&thread);
        thread.start();
        QDBusConnection own = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "vt-fake-fm");
        QVERIFY(own.registerObject("/org/freedesktop/FileManager1", fm, QDBusConnection::ExportAllSlots));
        QVERIFY(own.registerService("org.freedesktop.FileManager1"));

        test::XdgDesktop xdg;
        QString out;
        xdg.addApp("files.desktop", xdg.recorder("files", &out), {"inode/directory"});
        QList<bool> shown;
        realShell.showItem(doc, [&](bool ok) { shown << ok; });
        QCOMPARE(shown, QList<bool>{true});
        QVERIFY(realShell.properties(doc));
        const QString uri = QUrl::fromLocalFile(doc).toString();
        QCOMPARE(fm->calls(), (QStringList{"ShowItems " + uri + "|", "ShowItemProperties " + uri + "|"}));
        QVERIFY(!QFile::exists(out));

        // Without a file manager: the folder opens instead, and the properties
        // button says so.
        QVERIFY(own.unregisterService("org.freedesktop.FileManager1"));
        realShell.showItem(doc, [&](bool ok) { shown << ok; });
        QTRY_COMPARE_WITH_TIMEOUT(shown, (QList<bool>{true, true}), 20000);
        QCOMPARE(test::XdgDesktop::recorded(out), QStringList{dir.path()});
        QVERIFY(!realShell.properties(doc));
        {
            test::FakeServices fx;
            setShell(&realShell);
            Tsvvfrm w(SvvHooks{});
            w.InitTxt(doc);
            w.sbSvvaClick();
            QCOMPARE(fx.ui.lastText(), "Ошибка открытия");
            setShell(&fx.shell);
        }
        QCOMPARE(fm->calls().size(), 2);
        own.unregisterObject("/org/freedesktop/FileManager1");
        QDBusConnection::disconnectFromBus("vt-fake-fm");
        thread.quit();
        thread.wait();
        delete fm;
    }
};

VT_TEST_MAIN(DesktopTest)
#include "tst_gui_desktop.moc"
