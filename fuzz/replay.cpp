// Runs a fuzz target over saved inputs (files or folders of files) without
// the fuzzing engine: the seeds and every input that ever failed stay tests.
#include "fuzzhome.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    fuzz::home();
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo fi(QString::fromLocal8Bit(argv[i]));
        if (fi.isDir()) {
            const QDir d(fi.filePath());
            for (const QString &n : d.entryList(QDir::Files, QDir::Name))
                files << d.filePath(n);
        } else if (fi.isFile()) {
            files << fi.filePath();
        }
    }
    int slow = 0;
    for (const QString &path : files) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray data = f.readAll();
        QElapsedTimer t;
        t.start();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size()));
        if (t.elapsed() > 1000) {
            std::fprintf(stderr, "slow input (%lld ms): %s\n", t.elapsed(), qPrintable(path));
            ++slow;
        }
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
    if (files.isEmpty()) {
        std::fputs("no inputs\n", stderr);
        return 1;
    }
    return slow ? 1 : 0;
}
