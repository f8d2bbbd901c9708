#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// `cmake --install` into a temporary prefix, then the installed program run
// from there as a user would: from the menu's entry, with an unwritable-for-
// data bin/ folder, finding its sounds and help in the installed data folder.
class InstallTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    QString prefix, home, userData, dataDir;
    QProcessEnvironment env;

    struct Run {
        int code = -1;
        QStringList out;
        QString err;
    };
    Run run(const QString &program, const QStringList &args, const QProcessEnvironment &e)
    {
        QProcess p;
        p.setProcessEnvironment(e);
        p.start(program, args);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            r.err = QStringLiteral("timed out");
            return r;
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    QString installed(const QString &rel) const { return prefix + '/' + rel; }
    static QStringList binFiles() { return {"vestrada", "vestrada-window"}; }
    QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList desktopLines()
    {
        return QString::fromUtf8(bytes(installed(VT_DATADIR "/applications/" VT_APP_ID ".desktop")))
            .split('\n');
    }
    // "Папка программы: X" and "Папка данных: Y" of `--paths`.
    static QString field(const QStringList &lines, const QString &label)
    {
        for (const QString &l : lines)
            if (l.startsWith(label + QStringLiteral(": ")))
                return l.mid(label.size() + 2);
        return QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        prefix = tmp.path() + QStringLiteral("/prefix");
        home = tmp.path() + QStringLiteral("/home");
        userData = home + QStringLiteral("/data");
        dataDir = installed(VT_DATADIR "/vestrada/");
        QVERIFY(QDir().mkpath(home));
        env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("VESTRADA_HOME"));
        env.remove(QStringLiteral("DESTDIR"));
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_DATA_HOME"), userData);
        // No copy installed elsewhere on this machine may stand in.
        env.insert(QStringLiteral("XDG_DATA_DIRS"), installed(VT_DATADIR));
        env.insert(QStringLiteral("PATH"), installed(VT_BINDIR) + QStringLiteral(":/usr/bin:/bin"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        const Run r = run(QStringLiteral(VT_CMAKE_COMMAND),
                          {"--install", VT_BUILD_DIR, "--prefix", prefix}, env);
        QVERIFY2(r.code == 0, qPrintable(r.err + r.out.join('\n')));
    }

    void programSoundsAndHelpAreInstalled()
    {
        const QFileInfo exe(installed(VT_BINDIR "/vestrada"));
        QVERIFY(exe.isFile());
        QVERIFY(exe.isExecutable());
        for (const char *name : {"snd1.wav", "snd2.wav", "snd3.wav", "snd4.wav", "Help.htm"}) {
            const QByteArray source = bytes(QStringLiteral(VT_SOURCE_DIR "/resources/") + name);
            QVERIFY(!source.isEmpty());
            QCOMPARE(bytes(dataDir + name), source);
        }
        // Only the program goes to bin/: the command and its window half.
        QCOMPARE(QDir(installed(VT_BINDIR)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), binFiles());
    }

    void menuEntryIconsAndMetainfo()
    {
        const QStringList lines = desktopLines();
        QCOMPARE(lines.value(0), QStringLiteral("[Desktop Entry]"));
        // "Open with" hands the files over; the list types name it as a handler.
        for (const char *want : {"Type=Application", "Name=Vestrada", "Exec=vestrada %F", "Icon=vestrada",
                                 "Terminal=false", "Categories=Utility;FileTools;", "StartupWMClass=Vestrada",
                                 "MimeType=application/x-vestrada-vtl;application/x-vestrada-vts;application/x-vestrada-vtx;"})
            QVERIFY2(lines.contains(QString::fromUtf8(want)), want);
        QVERIFY(lines.contains(QStringLiteral("Comment[ru]=Поиск файлов и папок по дате изменения "
                                              "и работа с найденными строками")));
        // The per-user Send-to entry is vestrada.desktop; the menu's own entry
        // must not share its name, or one would hide the other.
        QVERIFY(!QFileInfo::exists(installed(VT_DATADIR "/applications/vestrada.desktop")));

        QVERIFY(bytes(installed(VT_DATADIR "/icons/hicolor/scalable/apps/vestrada.svg")).contains("<svg"));
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QByteArray png = bytes(installed(QStringLiteral(VT_DATADIR "/icons/hicolor/%1x%1/apps/vestrada.png").arg(size)));
            QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n") && png.mid(12, 4) == "IHDR", qPrintable(QString::number(size)));
            const auto be32 = [&](int at) {
                return (uchar(png[at]) << 24) | (uchar(png[at + 1]) << 16) | (uchar(png[at + 2]) << 8) | uchar(png[at + 3]);
            };
            QCOMPARE(be32(16), size);
            QCOMPARE(be32(20), size);
        }

        const QString meta = QString::fromUtf8(bytes(installed(VT_DATADIR "/metainfo/" VT_APP_ID ".metainfo.xml")));
        QVERIFY(meta.contains(QStringLiteral("<id>" VT_APP_ID "</id>")));
        QVERIFY(meta.contains(QStringLiteral("<launchable type=\"desktop-id\">" VT_APP_ID ".desktop</launchable>")));
        QVERIFY(meta.contains(QRegularExpression(QStringLiteral("<release version=\"" VT_VERSION "\" date=\"\\d{4}-\\d\\d-\\d\\d\"/>"))));
        QVERIFY(!meta.contains('@'));
    }

    void manPageAndDocsAreGzippedWithoutTimeStamp()
    {
        for (const QString &rel : {QStringLiteral(VT_MANDIR "/man1/vestrada.1.gz"),
                                   QStringLiteral(VT_DATADIR "/doc/vestrada/changelog.gz")}) {
            const QByteArray gz = bytes(installed(rel));
            QVERIFY2(gz.startsWith("\x1f\x8b"), qPrintable(rel));
            QCOMPARE(gz.mid(4, 4), QByteArray(4, '\0'));
        }
        QVERIFY(bytes(installed(VT_DATADIR "/doc/vestrada/copyright")).startsWith("Vestrada"));
        QVERIFY(bytes(installed(VT_DATADIR "/bash-completion/completions/vestrada"))
                    .contains("complete -o filenames -F _vestrada vestrada"));
    }

    void installedProgramKeepsItsFilesPerUser()
    {
        const Run r = run(installed(VT_BINDIR "/vestrada"), {"--paths"}, env);
        QCOMPARE(r.code, 0);
        // bin/ of the prefix is writable here, yet no data goes there.
        QCOMPARE(field(r.out, "Папка программы"), userData + QStringLiteral("/Vestrada/"));
        QCOMPARE(field(r.out, "Папка данных"), dataDir);
        QVERIFY(QFileInfo(userData + QStringLiteral("/Vestrada")).isDir());

        QProcessEnvironment own = env;
        own.insert(QStringLiteral("VESTRADA_HOME"), tmp.path() + QStringLiteral("/own"));
        const Run o = run(installed(VT_BINDIR "/vestrada"), {"--paths"}, own);
        QCOMPARE(field(o.out, "Папка программы"), tmp.path() + QStringLiteral("/own/"));
        QCOMPARE(field(o.out, "Папка данных"), dataDir);
    }

    void installedProgramFinds()
    {
        const QString root = tmp.path() + QStringLiteral("/tree/");
        QVERIFY(QDir().mkpath(root + QStringLiteral("Папка")));
        QFile f(root + QStringLiteral("Папка/новый.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write("1234"), 4);
        f.close();
        const Run r = run(installed(VT_BINDIR "/vestrada"), {"--find", root, "--kind", "files"}, env);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out.size(), 1 + 3);
        QCOMPARE(r.out[0].split('\t').value(1), QStringLiteral("Папка/"));
        QCOMPARE(r.out[0].split('\t').value(2), QStringLiteral("новый.txt"));
        QCOMPARE(r.out.mid(1), QStringList({"Поиск завершен", "Найдено файлов: 1", "Папок: 0"}));
        QCOMPARE(QDir(installed(VT_BINDIR)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), binFiles());
    }

    void menuEntryCommandOpensTheWindow()
    {
        QString exec;
        for (const QString &l : desktopLines())
            if (l.startsWith(QStringLiteral("Exec=")))
                exec = l.mid(5);
        QStringList words = QProcess::splitCommand(exec);
        QVERIFY(!words.isEmpty());
        // The command is looked up on PATH, as the menu does; the test PATH
        // starts with the prefix's bin/.
        const QString program = QStandardPaths::findExecutable(words.takeFirst(), {installed(VT_BINDIR)});
        QCOMPARE(program, installed(VT_BINDIR "/vestrada"));
        words.removeAll(QStringLiteral("%F"));
        const Run r = run(program, words + QStringList{"--quit-after-show"}, env);
        QVERIFY2(r.code == 0, qPrintable(r.err));
    }

    void builtProgramStaysPortable()
    {
        // The program in the build folder has its sounds beside it and keeps
        // its files there too, as before installation.
        const QString exeDir = QFileInfo(QStringLiteral(VT_BUILD_EXE)).absolutePath() + '/';
        const Run r = run(QStringLiteral(VT_BUILD_EXE), {"--paths"}, env);
        QCOMPARE(r.code, 0);
        QCOMPARE(field(r.out, "Папка программы"), exeDir);
        QCOMPARE(field(r.out, "Папка данных"), exeDir);
    }
};

VT_TEST_GUILESS_MAIN(InstallTest)
#include "tst_core_install.moc"
