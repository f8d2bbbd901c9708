#include "platform/freedesktop/desktopfile.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

class SendToTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        qputenv("HOME", dir.path().toUtf8());
        qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("/data")).toUtf8());
    }

    void installAndRemove()
    {
        QCOMPARE(sendto::entryPath(), dir.path() + QStringLiteral("/data/applications/vestrada.desktop"));
        QVERIFY(!sendto::exists());
        QVERIFY(!sendto::remove());
        QVERIFY(sendto::addFolderType(QStringLiteral("/opt/My Apps/vestrada"), QStringLiteral("/opt/My Apps/")));
        QVERIFY(sendto::exists());
        QFile f(sendto::entryPath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("[Desktop Entry]")));
        QVERIFY(lines.contains(QStringLiteral("Exec=\"/opt/My Apps/vestrada\" %F")));
        QVERIFY(lines.contains(QStringLiteral("Path=/opt/My Apps/")));
        // Offered for folders only, not as a handler of every unknown file.
        QCOMPARE(lines.filter(QStringLiteral("MimeType=")), QStringList{QStringLiteral("MimeType=inode/directory;")});
        f.close();
        QVERIFY(sendto::remove());
        QVERIFY(!sendto::exists());
    }

    void defaultsToHomeWithoutXdg()
    {
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(sendto::folder(), dir.path() + QStringLiteral("/.local/share/applications/"));
        qputenv("XDG_DATA_HOME", (dir.path() + QStringLiteral("/data")).toUtf8());
    }

    void oddCharactersCannotBreakTheCommand()
    {
        const QString text = sendto::entryText(QStringLiteral("/x/a\"b$c`d\\e%f\ng/vt"),
                                               QStringLiteral("/x/a\\b"));
        const QStringList lines = text.split(QLatin1Char('\n'));
        // Quoting escapes ", $, `, \ and doubles %; the string escape then
        // doubles every backslash and turns the line break into \n.
        QVERIFY(lines.contains(QStringLiteral("Exec=\"/x/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f\\ng/vt\" %F")));
        QVERIFY(lines.contains(QStringLiteral("Path=/x/a\\\\b")));
        QCOMPARE(lines.filter(QStringLiteral("Exec=")).size(), 1);
        // A plain path stays unquoted (openers that split at blanks keep it whole);
        // no entry can start a program whose path holds "=".
        const QStringList plain = sendto::entryText(QStringLiteral("/opt/vt%1/vestrada"), QStringLiteral("/w")).split('\n');
        QVERIFY(plain.contains(QStringLiteral("Exec=/opt/vt%%1/vestrada %F")));
        QVERIFY(plain.contains(QStringLiteral("Icon=vestrada")));
        QVERIFY(!sendto::writeEntry(QStringLiteral("/opt/a=b/vestrada"), QStringLiteral("/w"), {"inode/directory"}));
        QVERIFY(!QFile::exists(sendto::entryPath()));
    }
};

VT_TEST_GUILESS_MAIN(SendToTest)
#include "tst_core_sendto.moc"
