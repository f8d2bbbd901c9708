#include "base/appdirs.h"

#include "platform/dirreader.h"
#include "platform/systemfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

// Where the installed data folder lies relative to the installed executable;
// the build passes the value of its install layout (cmake/install.cmake).
#ifndef VESTRADA_DATA_FROM_BIN
#error "VESTRADA_DATA_FROM_BIN is not defined"
#endif

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

bool holdsSounds(const QString &dir) { return QFileInfo::exists(dir + QStringLiteral("snd1.wav")); }

// $XDG_DATA_HOME/Vestrada/ (the local application data folder on Windows).
QString userDataDir() { return withSlash(fs::userDataHome() + QStringLiteral("/Vestrada")); }
} // namespace

QString installedDataDirFor(const QString &exeDir)
{
    if (exeDir.isEmpty())
        return QString();
    const QString dir =
        withSlash(QDir::cleanPath(withSlash(exeDir) + QStringLiteral(VESTRADA_DATA_FROM_BIN)));
    return holdsSounds(dir) ? dir : QString();
}

QString programDirFor(const QString &exeDir)
{
    const QString env = qEnvironmentVariable("VESTRADA_HOME");
    if (!env.isEmpty()) {
        QDir().mkpath(env);
        return withSlash(QDir(env).absolutePath());
    }
    // An installed program keeps its files per user even where it could
    // write beside itself (root may write to /usr/bin, a test prefix is
    // writable): the executable's folder is shared and not a place for data.
    const bool installed = !exeDir.isEmpty() && !holdsSounds(withSlash(exeDir))
                           && !installedDataDirFor(exeDir).isEmpty();
    if (!installed && fs::canCreateIn(exeDir))
        return withSlash(exeDir);
    const QString dir = userDataDir();
    QDir().mkpath(dir);
    return dir;
}

QString dataDirFor(const QString &exeDir)
{
    const QString beside = withSlash(exeDir);
    if (holdsSounds(beside))
        return beside;
    const QString installed = installedDataDirFor(exeDir);
    if (!installed.isEmpty())
        return installed;
    // An executable moved away from its data still finds an installed copy.
    const QString found =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("vestrada/snd1.wav"));
    if (!found.isEmpty())
        return withSlash(QFileInfo(found).absolutePath());
    return beside;
}

QString programDir()
{
    if (g_programDir.isEmpty())
        g_programDir = programDirFor(QCoreApplication::applicationDirPath());
    return g_programDir;
}

QString dataDir() { return dataDirFor(QCoreApplication::applicationDirPath()); }

QString mkdirr(const QString &name)
{
    const QString full = programDir() + name;
    QFileInfo fi(full);
    if (!fi.isDir() && !QDir().mkpath(full))
        return QString();
    return withSlash(full);
}

std::unique_ptr<fs::DirHandle> programSubDir(const QString &name)
{
    const std::unique_ptr<fs::DirHandle> top = fs::DirHandle::open(fs::nativePath(programDir()));
    return top ? top->child(fs::nativePath(name), true) : nullptr;
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

int printAppDirs(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray text = (QStringLiteral("Папка программы: ") + programDir() + QLatin1Char('\n')
                             + QStringLiteral("Папка данных: ") + dataDir() + QLatin1Char('\n'))
                                .toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}

} // namespace vt
