#pragma once
// The program run headless as a whole process, with its own program folder
// (VESTRADA_HOME), home and trash, and no display.
#include "base/textlines.h"
#include "testfiles.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace vt::test {

struct CliRun {
    int code = -1;
    QStringList out; // standard output by lines, the last empty one dropped
    QString err;
};

class CliHome {
public:
    QTemporaryDir dir;
    QString home() const { return dir.path() + QStringLiteral("/home"); }
    // The program folder's saved log of a letter ("c1", "e1" ...), decoded.
    QStringList savedLog(const QString &name) const
    {
        const QByteArray b = readBytes(dir.path() + QStringLiteral("/prog/Options/") + name);
        return b == "<missing>" ? QStringList() : decodeTextLines(b);
    }
    CliRun run(const QStringList &args, const QByteArray &input = QByteArray()) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VESTRADA_HOME"), dir.path() + QStringLiteral("/prog"));
        env.insert(QStringLiteral("HOME"), home());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/.local/share"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VESTRADA_EXE), args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        CliRun r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        if (!r.out.isEmpty() && r.out.last().isEmpty())
            r.out.removeLast();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
};

} // namespace vt::test
