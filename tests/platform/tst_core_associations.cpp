#include "platform/freedesktop/mimeassoc.h"
#include "platform/freedesktop/desktopfile.h"
#include "base/textutil.h"
#include "testfiles.h"
#include "xdgdesktop.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

// The associations against a private XDG tree, checked with the real
// xdg-mime and xdg-open: what they report after registering, and after
// taking it back.
class AssociationsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::XdgDesktop> x;
    QTemporaryDir dir;
    QString data, config;

    static QString filetype(const QString &file) { return test::XdgDesktop::filetype(file); }
    static QString defaultOf(const QString &type) { return test::XdgDesktop::defaultOf(type); }

private slots:
    void initTestCase()
    {
        if (!test::XdgDesktop::toolsThere())
            QSKIP("xdg-utils and shared-mime-info are needed (scripts/install-deps.sh)");
    }
    void init()
    {
        x = std::make_unique<test::XdgDesktop>();
        data = x->data;
        config = x->config;
    }
    void cleanup() { x.reset(); }

    void registerThenTakeBack()
    {
        const QString exe = QStringLiteral("/opt/My Apps/vestrada");
        // "Send to" is in place already and must survive both steps.
        QVERIFY(sendto::addFolderType(exe, QStringLiteral("/opt/My Apps/")));
        // Another program the user chose for VTS, and one that shares a line with us later.
        test::writeTestFile(data + "/applications/other.desktop",
                            "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\n");
        test::writeTestFile(dir.path() + "/list.vtl", QByteArray("VTL\x01\x00\x02\x03", 7));
        test::writeTestFile(dir.path() + "/snap.vts", QByteArray("VTS\x00\x09", 5));
        test::writeTestFile(dir.path() + "/paths.vtx", "/home/a.txt\r\n");

        QCOMPARE(assoc::ticks(exe), (QList<bool>{false, false, false}));
        QCOMPARE(assoc::apply({true, true, true}, exe, "/opt/My Apps/"), QString());

        QCOMPARE(filetype(dir.path() + "/list.vtl"), QStringLiteral("application/x-vestrada-vtl"));
        QCOMPARE(filetype(dir.path() + "/snap.vts"), QStringLiteral("application/x-vestrada-vts"));
        QCOMPARE(filetype(dir.path() + "/paths.vtx"), QStringLiteral("application/x-vestrada-vtx"));
        for (const assoc::ListType &t : assoc::listTypes())
            QCOMPARE(defaultOf(t.mimeType), QStringLiteral("vestrada.desktop"));
        QCOMPARE(assoc::ticks(exe), (QList<bool>{true, true, true}));
        QCOMPARE(sendto::mimeTypes(), (QStringList{"inode/directory", "application/x-vestrada-vtl",
                                                   "application/x-vestrada-vts", "application/x-vestrada-vtx"}));
        QVERIFY(sendto::exists());

        // The user then makes the other program the default for VTS, and both
        // are listed for VTL.
        QFile apps(config + "/mimeapps.list");
        QVERIFY(apps.open(QIODevice::ReadOnly));
        QByteArray text = apps.readAll();
        apps.close();
        text.replace("application/x-vestrada-vts=vestrada.desktop", "application/x-vestrada-vts=other.desktop");
        text += "\n[Added Associations]\napplication/x-vestrada-vtl=other.desktop;vestrada.desktop;\n";
        QVERIFY(writeFileAtomic(config + "/mimeapps.list", text));
        QCOMPARE(assoc::ticks(exe), (QList<bool>{true, false, true}));

        // Unticking VTL and VTS: ours goes, the other program keeps both types.
        QCOMPARE(assoc::apply({false, false, true}, exe, "/opt/My Apps/"), QString());
        QCOMPARE(defaultOf("application/x-vestrada-vtl"), QString());
        QCOMPARE(filetype(dir.path() + "/list.vtl"), QStringLiteral("application/x-vestrada-vtl"));
        QCOMPARE(defaultOf("application/x-vestrada-vts"), QStringLiteral("other.desktop"));
        QCOMPARE(defaultOf("application/x-vestrada-vtx"), QStringLiteral("vestrada.desktop"));
        QCOMPARE(filetype(dir.path() + "/snap.vts"), QStringLiteral("application/x-vestrada-vts"));
        QVERIFY(readWholeFile(config + "/mimeapps.list").contains("application/x-vestrada-vtl=other.desktop;\n"));
        QCOMPARE(sendto::mimeTypes(), (QStringList{"inode/directory", "application/x-vestrada-vtx"}));

        // With the other program gone from VTL, its type goes as well.
        text = readWholeFile(config + "/mimeapps.list");
        text.replace("application/x-vestrada-vtl=other.desktop;\n", "");
        QVERIFY(writeFileAtomic(config + "/mimeapps.list", text));
        QCOMPARE(assoc::apply({false, false, false}, exe, "/opt/My Apps/"), QString());
        QVERIFY(!QFile::exists(assoc::packagePath(assoc::listTypes()[0])));
        QVERIFY(!QFile::exists(assoc::packagePath(assoc::listTypes()[2])));
        QVERIFY(QFile::exists(assoc::packagePath(assoc::listTypes()[1])));
        QVERIFY(filetype(dir.path() + "/list.vtl") != QStringLiteral("application/x-vestrada-vtl"));
        QCOMPARE(defaultOf("application/x-vestrada-vtx"), QString());
        QCOMPARE(assoc::ticks(exe), (QList<bool>{false, false, false}));

        // Only "send to" is left in the entry; removing it removes the file.
        QCOMPARE(sendto::mimeTypes(), QStringList{"inode/directory"});
        QVERIFY(sendto::remove());
        QVERIFY(!QFile::exists(sendto::entryPath()));
    }

    void entryWrittenForAssociationsIsNotSendTo()
    {
        QCOMPARE(assoc::apply({true, false, false}, "/usr/bin/vestrada", "/tmp/"), QString());
        QVERIFY(QFile::exists(sendto::entryPath()));
        QVERIFY(!sendto::exists());
        QVERIFY(!sendto::remove());
        QVERIFY(sendto::addFolderType("/usr/bin/vestrada", "/tmp/"));
        QCOMPARE(sendto::mimeTypes(), (QStringList{"inode/directory", "application/x-vestrada-vtl"}));
        QVERIFY(sendto::remove());
        QCOMPARE(sendto::mimeTypes(), QStringList{"application/x-vestrada-vtl"});
        QCOMPARE(defaultOf("application/x-vestrada-vtl"), QStringLiteral("vestrada.desktop"));
        QCOMPARE(assoc::apply({false, false, false}, "/usr/bin/vestrada", "/tmp/"), QString());
        QVERIFY(!QFile::exists(sendto::entryPath()));
    }

    void tickedListOpensWithXdgOpen()
    {
        // xdg-open without a desktop takes a quoted program path with its quotes.
        QString out;
        const QString exe = x->recorder(QStringLiteral("vestrada"), &out);
        QCOMPARE(assoc::apply({true, false, false}, exe, dir.path()), QString());
        const QString list = dir.path() + "/my list.vtl";
        test::writeTestFile(list, QByteArray("VTL\x01\x00\x02\x03", 7));
        QCOMPARE(test::XdgDesktop::tool("xdg-open", {list}).first, 0);
        QCOMPARE(test::XdgDesktop::recorded(out), QStringList{list});
    }

    void sendToNeverTakesTheFolders()
    {
        QString out;
        const QString exe = x->recorder(QStringLiteral("vestrada"), &out);
        // No other program opens folders: "send to" would make this one the
        // folder opener, so it is not installed.
        QVERIFY(sendto::install(exe, dir.path()).startsWith("Нет программы для папок"));
        QVERIFY(!sendto::exists());
        QCOMPARE(defaultOf("inode/directory"), QString());
        // A file manager whose entry xdg-mime would rank after ours stays the default.
        x->addApp("zfiles.desktop", "/bin/true", {"inode/directory"});
        QCOMPARE(defaultOf("inode/directory"), QStringLiteral("zfiles.desktop"));
        QCOMPARE(sendto::install(exe, dir.path()), QString());
        QVERIFY(sendto::exists());
        QCOMPARE(defaultOf("inode/directory"), QStringLiteral("zfiles.desktop"));
        // Associations written afterwards keep it so.
        QCOMPARE(assoc::apply({false, true, false}, exe, dir.path()), QString());
        QCOMPARE(defaultOf("inode/directory"), QStringLiteral("zfiles.desktop"));
        QVERIFY(sendto::remove());
    }

    void installedEntryNeverDefaultForUnticked()
    {
        // The installed menu entry lists every list type. Unticked, a type
        // another program is set up for goes to that program, not to it.
        x->addApp("org.vestrada.vestrada.desktop", "/bin/true", {"application/x-vestrada-vtl"}, true);
        QCOMPARE(assoc::apply({true, false, false}, "/usr/bin/vestrada", dir.path()), QString());
        test::writeTestFile(config + "/mimeapps.list",
                            readWholeFile(config + "/mimeapps.list")
                                + "\n[Added Associations]\napplication/x-vestrada-vtl=other.desktop;\n");
        x->addApp("other.desktop", "/bin/true", {});
        QCOMPARE(assoc::apply({false, false, false}, "/usr/bin/vestrada", dir.path()), QString());
        QCOMPARE(defaultOf("application/x-vestrada-vtl"), QStringLiteral("other.desktop"));
        QCOMPARE(assoc::ticks("/usr/bin/vestrada"), (QList<bool>{false, false, false}));
        // The program chosen as default through its installed entry is ticked.
        test::writeTestFile(config + "/mimeapps.list",
                            "[Default Applications]\napplication/x-vestrada-vtl=org.vestrada.vestrada.desktop;\n");
        QCOMPARE(assoc::ticks("/usr/bin/vestrada"), (QList<bool>{true, false, false}));
    }
};

VT_TEST_GUILESS_MAIN(AssociationsTest)
#include "tst_core_associations.moc"
