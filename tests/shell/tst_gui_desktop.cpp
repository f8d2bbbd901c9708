// The real desktop services: programs started with argument lists, and the
// file manager reached over D-Bus (a stand-in service on a private session
// bus; ctest runs this test under dbus-run-session).
#include "app/qtservices.h"
#include "fakeservices.h"
#include "shell/core/openwith.h"
#include "shell/svvform.h"
#include "testfiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDesktopServices>
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

// Records what the desktop would have been asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
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

    void fileManagerOverDBus()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            QSKIP("no session bus (run through ctest, which starts a private one)");
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

        UrlRecorder opened;
        QDesktopServices::setUrlHandler("file", &opened, "open");
        QVERIFY(realShell.showItem(doc));
        QVERIFY(realShell.properties(doc));
        const QString uri = QUrl::fromLocalFile(doc).toString();
        QCOMPARE(fm->calls(), (QStringList{"ShowItems " + uri + "|", "ShowItemProperties " + uri + "|"}));
        QVERIFY(opened.urls.isEmpty());

        // Without a file manager: the folder opens instead, and the properties
        // button says so.
        QVERIFY(own.unregisterService("org.freedesktop.FileManager1"));
        QVERIFY(realShell.showItem(doc));
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(dir.path())});
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
        QDesktopServices::unsetUrlHandler("file");
        own.unregisterObject("/org/freedesktop/FileManager1");
        QDBusConnection::disconnectFromBus("vt-fake-fm");
        thread.quit();
        thread.wait();
        delete fm;
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_gui_desktop.moc"
