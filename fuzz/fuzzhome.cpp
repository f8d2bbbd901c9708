#include "fuzzhome.h"
#include "platform/dirreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

QString home()
{
    static QString path = [] {
        static int argc = 1;
        static char name[] = "fuzz";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vt-fuzz-XXXXXX"));
        if (!dir.isValid())
            fail("no temporary folder");
        const QString p = dir.path() + QLatin1Char('/');
        QDir().mkpath(p + QStringLiteral("Options"));
        qputenv("VESTRADA_HOME", vt::fs::nativePath(dir.path()));
        return p;
    }();
    return path;
}

QString put(const QString &name, const uint8_t *data, size_t size)
{
    const QString path = home() + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail("cannot write the input file");
    f.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

void fail(const char *what)
{
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}

} // namespace fuzz
