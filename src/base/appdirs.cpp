#include "base/appdirs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vt {
namespace {
QString g_programDir;
QString g_optPath;
bool g_optTried = false;

QString withSlash(QString p)
{
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}
} // namespace

QString programDir()
{
    if (!g_programDir.isEmpty())
        return g_programDir;
    const QString env = qEnvironmentVariable("VESTRADA_HOME");
    if (!env.isEmpty()) {
        QDir().mkpath(env);
        g_programDir = withSlash(QDir(env).absolutePath());
        return g_programDir;
    }
    const QString exeDir = QCoreApplication::applicationDirPath();
    QFileInfo fi(exeDir);
    if (!exeDir.isEmpty() && fi.isDir() && fi.isWritable()) {
        g_programDir = withSlash(exeDir);
        return g_programDir;
    }
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty())
        xdg = QDir::homePath() + QStringLiteral("/.local/share");
    const QString dir = xdg + QStringLiteral("/Vestrada");
    QDir().mkpath(dir);
    g_programDir = withSlash(dir);
    return g_programDir;
}

QString dataDir()
{
    const QString exeDir = withSlash(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(exeDir + QStringLiteral("snd1.wav")))
        return exeDir;
    const QString installed = QStringLiteral("/usr/share/vestrada/");
    if (QFileInfo::exists(installed + QStringLiteral("snd1.wav")))
        return installed;
    return exeDir;
}

QString mkdirr(const QString &name)
{
    const QString full = programDir() + name;
    QFileInfo fi(full);
    if (!fi.isDir() && !QDir().mkpath(full))
        return QString();
    return withSlash(full);
}

bool GetOptPath()
{
    g_optPath = mkdirr(QStringLiteral("Options"));
    g_optTried = true;
    return !g_optPath.isEmpty();
}

QString optPath()
{
    if (!g_optTried)
        GetOptPath();
    return g_optPath;
}

void resetAppDirs()
{
    g_programDir.clear();
    g_optPath.clear();
    g_optTried = false;
}

} // namespace vt
