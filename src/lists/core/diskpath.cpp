#include "lists/core/diskpath.h"

#include "platform/dirreader.h"
#include "platform/paths.h"
#include "platform/systemfolders.h"

#include <QDir>

namespace vt {

namespace {

// The one name in the folder that equals `name` ignoring case; empty when
// there is none or more than one.
QString caseMatch(const QString &folder, const QString &name)
{
    const auto dir = fs::Dir::open(fs::nativePath(folder));
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
    // A typed backslash separates on Windows (and is a name character here).
    QString p = QDir::fromNativeSeparators(typed.trimmed());
    r.path = p;
    if (p.size() <= 3) {
        r.status = DiskPath::TooShort;
        return r;
    }
    static const QString forbidden = QStringLiteral("*?\"<>|");
    for (QChar c : p)
        if (forbidden.contains(c))
            return r;
    const QString root = fs::pathRoot(p);
    if (root.isEmpty())
        return r;
    while (p.size() > root.size() && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    p = p.trimmed();
    r.path = p;
    if (p.size() < 4)
        return r;
    // Top down, so that a name found by its case is the folder the next one
    // is looked in. Where the file system ignores case, the name is always
    // spelled as the folder has it.
    const bool foldsCase = fs::pathCase() == Qt::CaseInsensitive;
    QString resolved = root;
    fs::Entry e;
    for (const QString &name : p.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            return r;
        QString next = resolved + name;
        const bool exact = fs::statPath(fs::nativePath(next), e);
        if (!exact || foldsCase) {
            const QString disk = caseMatch(resolved, name);
            if (disk.isEmpty() && !exact)
                return r;
            if (!disk.isEmpty())
                next = resolved + disk;
            if (!fs::statPath(fs::nativePath(next), e))
                return r;
        }
        resolved = next + QLatin1Char('/');
    }
    r.status = DiskPath::Found;
    r.path = resolved.chopped(1);
    r.isDir = e.isDir();
    return r;
}

} // namespace vt
