#include "base/appdirs.h"

#include "testfiles.h"
#include "testmain.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vt;

// The program folder and the data folder for the three layouts: the build
// folder (sounds beside the program), an installed program (bin/ and
// share/vestrada/), a program with no data near it.
class AppDirsTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString root, xdg;

    QString layout(const QString &name, bool soundsBeside, bool installedData)
    {
        const QString base = root + name + '/';
        QDir().mkpath(base + "bin");
        if (soundsBeside)
            test::writeTestFile(base + "bin/snd1.wav", "RIFF");
        if (installedData)
            test::writeTestFile(base + "share/vestrada/snd1.wav", "RIFF");
        return base + "bin";
    }

private slots:
    void init()
    {
        root = tmp.path() + '/';
        xdg = root + "xdg";
        qunsetenv("VESTRADA_HOME");
        qputenv("HOME", (root + "home").toUtf8());
        qputenv("XDG_DATA_HOME", xdg.toUtf8());
        qputenv("XDG_DATA_DIRS", (root + "nowhere").toUtf8());
    }

    void buildFolderKeepsEverythingBesideTheProgram()
    {
        const QString bin = layout("build", true, false);
        QCOMPARE(programDirFor(bin), bin + '/');
        QCOMPARE(dataDirFor(bin), bin + '/');
    }

    void installedProgramUsesTheUserFolder()
    {
        VT_LINUX_ONLY("the install layout bin/ and share/vestrada/, XDG_DATA_HOME");
        QVERIFY(installedDataDirFor(layout("build", true, false)).isEmpty());
        const QString bin = layout("usr", false, true);
        QVERIFY(QFileInfo(bin).isWritable());
        QCOMPARE(programDirFor(bin), xdg + "/Vestrada/");
        QVERIFY(QFileInfo(xdg + "/Vestrada").isDir());
        QCOMPARE(dataDirFor(bin), root + "usr/share/vestrada/");
        QCOMPARE(installedDataDirFor(bin), root + "usr/share/vestrada/");
        // A trailing separator on the program's folder changes nothing.
        QCOMPARE(dataDirFor(bin + '/'), root + "usr/share/vestrada/");
    }

    void soundsBesideWinOverInstalledData()
    {
        const QString bin = layout("both", true, true);
        QCOMPARE(programDirFor(bin), bin + '/');
        QCOMPARE(dataDirFor(bin), bin + '/');
    }

    void homeVariableOverridesEveryLayout()
    {
        const QString own = root + "own/deeper";
        qputenv("VESTRADA_HOME", own.toUtf8());
        QCOMPARE(programDirFor(layout("usr", false, true)), own + '/');
        QCOMPARE(programDirFor(layout("build", true, false)), own + '/');
        QVERIFY(QFileInfo(own).isDir());
        // The data still comes from where the program is (on Windows always beside it).
        if (!test::kWindows)
            QCOMPARE(dataDirFor(layout("usr", false, true)), root + "usr/share/vestrada/");
    }

    void defaultUserFolderAndRelativeXdgIgnored()
    {
        VT_LINUX_ONLY("XDG_DATA_HOME");
        const QString bin = layout("usr", false, true);
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(programDirFor(bin), root + "home/.local/share/Vestrada/");
        qputenv("XDG_DATA_HOME", "relative/data");
        QCOMPARE(programDirFor(bin), root + "home/.local/share/Vestrada/");
    }

    void unwritableFolderWithoutDataFallsBackToTheUserFolder()
    {
        const QString bin = layout("ro", false, false);
        QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(bin).isWritable())
            QSKIP("running as a user who can write anywhere");
        QCOMPARE(programDirFor(bin), xdg + "/Vestrada/");
        QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void dataFoundThroughTheDataFolders()
    {
        VT_LINUX_ONLY("XDG_DATA_DIRS");
        // A program moved away from its data finds an installed copy.
        test::writeTestFile(root + "shared/vestrada/snd1.wav", "RIFF");
        qputenv("XDG_DATA_DIRS", (root + "shared").toUtf8());
        const QString bin = layout("moved", false, false);
        QCOMPARE(dataDirFor(bin), root + "shared/vestrada/");
        // Without any copy it still names its own folder, where the help
        // lookup then reports the file missing.
        qputenv("XDG_DATA_DIRS", (root + "nowhere").toUtf8());
        QCOMPARE(dataDirFor(bin), bin + '/');
    }
};

VT_TEST_GUILESS_MAIN(AppDirsTest)
#include "tst_core_appdirs.moc"
