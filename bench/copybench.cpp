// Copies every file of a folder into another one with the program's copy
// engine, or moves one file, and prints the time taken in milliseconds.
//   copybench SRC_DIR DST_DIR [offload|readwrite]
//   copybench --move FROM TO
#include "platform/copyfile.h"
#include "platform/dirreader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    // No application object: the process is timed whole, like cp.
    QStringList a;
    for (int i = 0; i < argc; ++i)
        a << QString::fromLocal8Bit(argv[i]);
    if (a.size() >= 4 && a[1] == QLatin1String("--move")) {
        QElapsedTimer t;
        t.start();
        const vt::fs::CopyOutcome o = vt::fs::moveFile(vt::fs::nativePath(a[2]), vt::fs::nativePath(a[3]));
        const double ms = double(t.nsecsElapsed()) / 1e6;
        if (!o.ok()) {
            std::fprintf(stderr, "move failed: %d\n", o.error);
            return 1;
        }
        std::printf("%.3f\n", ms);
        return 0;
    }
    if (a.size() < 3) {
        std::fprintf(stderr, "usage: copybench SRC_DIR DST_DIR [offload|readwrite]\n");
        return 2;
    }
    if (a.size() > 3 && a[3] == QLatin1String("readwrite"))
        vt::fs::setCopyMethod(vt::fs::CopyMethod::ReadWrite);
    const QString src = a[1] + QLatin1Char('/'), dst = a[2] + QLatin1Char('/');
    const QStringList files = QDir(src).entryList(QDir::Files, QDir::Name);
    QElapsedTimer t;
    t.start();
    for (const QString &f : files) {
        const vt::fs::CopyOutcome o = vt::fs::copyFile(vt::fs::nativePath(src + f), vt::fs::nativePath(dst + f));
        if (!o.ok()) {
            std::fprintf(stderr, "copy of %s failed: %d\n", qPrintable(f), o.error);
            return 1;
        }
    }
    std::printf("%.3f\n", double(t.nsecsElapsed()) / 1e6);
    return 0;
}
