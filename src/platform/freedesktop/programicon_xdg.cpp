#include "platform/programicon.h"

#include "platform/regularfile.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>

namespace vt::fs {
namespace {

struct Entry {
    QString exec; // the program word of Exec=
    QString icon;
};

Entry parseEntry(const QByteArray &bytes)
{
    Entry e;
    bool inMain = false;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        if (!inMain)
            continue;
        if (line.startsWith("Exec=") && e.exec.isEmpty()) {
            const QStringList words = QProcess::splitCommand(QString::fromUtf8(line.mid(5)));
            if (!words.isEmpty())
                e.exec = words.first();
        } else if (line.startsWith("Icon=") && e.icon.isEmpty()) {
            e.icon = QString::fromUtf8(line.mid(5)).trimmed();
        }
    }
    return e;
}

// Canonical program path -> icon, read once per run; earlier folders win, as
// the desktop resolves them.
const QHash<QString, QString> &iconIndex()
{
    static const QHash<QString, QString> index = [] {
        QHash<QString, QString> out;
        const QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
        for (const QString &d : dirs) {
            QDirIterator it(d, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QByteArray bytes;
                if (!readRegularFile(it.next(), &bytes) || bytes.size() > (1 << 20))
                    continue;
                const Entry e = parseEntry(bytes);
                if (e.exec.isEmpty() || e.icon.isEmpty())
                    continue;
                const QString prog = e.exec.contains(QLatin1Char('/')) ? e.exec
                                                                        : QStandardPaths::findExecutable(e.exec);
                const QString canon = prog.isEmpty() ? QString() : QFileInfo(prog).canonicalFilePath();
                if (!canon.isEmpty() && !out.contains(canon))
                    out.insert(canon, e.icon);
            }
        }
        return out;
    }();
    return index;
}

} // namespace

QString programIconName(const QString &program)
{
    const QString canon = QFileInfo(program).canonicalFilePath();
    return canon.isEmpty() ? QString() : iconIndex().value(canon);
}

} // namespace vt::fs
