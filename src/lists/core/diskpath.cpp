#include "lists/core/diskpath.h"

#include "platform/dirreader.h"

namespace vt {

namespace {

// The one name in the folder that equals `name` ignoring case; empty when
// there is none or more than one.
QString caseMatch(const QString &folder, const QString &name)
{
    const auto dir = fs::Dir::open(fs::nativePath(folder.isEmpty() ? QStringLiteral("/") : folder));
    fs::Listing l;
    if (!dir || !dir->read(l))
        return QString();
    QString found;
    for (const fs::DirItem &it : l.items) {
        const QString n = fs::displayName(l.name(it));
        if (n.compare(name, Qt::CaseInsensitive) != 0 || !fs::validUtf8(l.name(it)))
            continue;
        if (!found.isEmpty())
            return QString();
        found = n;
    }
    return found;
}

} // namespace

DiskPath diskPath(const QString &typed)
{
    DiskPath r;
    QString p = typed.trimmed();
    r.path = p;
    if (p.size() <= 3) {
        r.status = DiskPath::TooShort;
        return r;
    }
    static const QString forbidden = QStringLiteral("*?\"<>|");
    for (QChar c : p)
        if (forbidden.contains(c))
            return r;
    if (!p.startsWith(QLatin1Char('/')))
        return r;
    while (p.endsWith(QLatin1Char('/')))
        p.chop(1);
    p = p.trimmed();
    r.path = p;
    if (p.size() < 4)
        return r;
    // Top down, so that a name found by its case is the folder the next one is looked in.
    QString resolved;
    fs::Entry e;
    for (const QString &name : p.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            return r;
        QString next = resolved + QLatin1Char('/') + name;
        if (!fs::statPath(fs::nativePath(next), e)) {
            const QString disk = caseMatch(resolved, name);
            if (disk.isEmpty())
                return r;
            next = resolved + QLatin1Char('/') + disk;
            if (!fs::statPath(fs::nativePath(next), e))
                return r;
        }
        resolved = next;
    }
    r.status = DiskPath::Found;
    r.path = resolved;
    r.isDir = e.isDir();
    return r;
}

} // namespace vt
