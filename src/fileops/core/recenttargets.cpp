#include "fileops/core/recenttargets.h"

#include "base/appdirs.h"
#include "base/textutil.h"
#include "platform/fileentry.h"

namespace vt::RecentTargets {

QString storePath()
{
    if (!GetOptPath())
        return QString();
    return optPath() + QStringLiteral("oldcm");
}

QStringList LoadOldCM()
{
    const QString p = storePath();
    if (p.isEmpty())
        return {};
    bool ok = false;
    QStringList lines = readCp1251Lines(p, &ok);
    if (!ok)
        return {};
    QStringList out;
    for (const QString &l : lines) {
        if (out.size() == kMax)
            break;
        if (!l.isEmpty())
            out << l;
    }
    return out;
}

void SaveOldCM(const QString &folder)
{
    if (folder.isEmpty() || !fitsCp1251(folder))
        return; // never stored as a wrong path
    const QString p = storePath();
    if (p.isEmpty())
        return;
    bool ok = false;
    QStringList lines = readCp1251Lines(p, &ok);
    if (!ok) {
        if (fs::exists(p))
            return; // there but unreadable (a FIFO, no rights): left alone
        lines.clear();
    }
    if (!lines.isEmpty() && lines.first().compare(folder, Qt::CaseInsensitive) == 0)
        return;
    for (int i = lines.size() - 1; i >= 0; --i)
        if (lines[i].compare(folder, Qt::CaseInsensitive) == 0 || lines[i].isEmpty())
            lines.removeAt(i);
    lines.prepend(folder);
    while (lines.size() > kMax)
        lines.removeLast();
    writeCp1251Lines(p, lines);
}

QString Check::text() const
{
    QString t = QStringLiteral("Пути папок:");
    for (const QString &m : missing)
        t += QStringLiteral("\r\n") + m;
    return t;
}

Check checkFolders(const QStringList &entries)
{
    Check c;
    for (const QString &e : entries)
        (fs::isDir(e) ? c.kept : c.missing) << e;
    return c;
}

bool saveKept(const QStringList &kept)
{
    const QString p = storePath();
    return !p.isEmpty() && writeCp1251Lines(p, kept);
}

} // namespace vt::RecentTargets
