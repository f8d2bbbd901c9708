#include "rename/core/rowview.h"

#include "platform/fileentry.h"
#include "rename/core/namesplit.h"
#include "table/core/tablemodel.h"

namespace vt {

void splitExt(const QString &name, QString *base, QString *ext)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    *base = dot < 0 ? name : name.left(dot);
    *ext = dot < 0 ? QString() : name.mid(dot);
}

namespace {

void addFile(ViewLists &v, const QString &folder, const QString &name)
{
    QString base, ext;
    splitExt(name, &base, &ext);
    v.files.folders << folder;
    v.files.names << base;
    v.files.exts << ext;
}

// "/a/b/" -> "/a/" and "b"; a path without a separator is all name.
void cutPath(QString path, QString *folder, QString *name)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype sep = path.lastIndexOf(QLatin1Char('/'));
    if (sep < 0 || path.size() == 1) {
        *folder = QString();
        *name = path;
        return;
    }
    *folder = path.left(sep + 1);
    *name = path.mid(sep + 1);
}

} // namespace

ViewLists viewOfTable(const TableModel &table)
{
    ViewLists v;
    const QString &start = table.startFolder();
    for (int row : table.selectedRows()) {
        const TableRow &r = table.at(row);
        const QString folder = start + r.cells[ColFolder];
        if (r.cells[ColType] == dirType()) {
            v.dirParents << folder;
            v.dirNames << r.cells[ColName];
        } else {
            addFile(v, folder, r.cells[ColName]);
        }
    }
    return v;
}

ViewLists viewOfPaths(const QStringList &paths, ViewMode mode)
{
    ViewLists v;
    for (const QString &p : paths) {
        QString folder, name;
        cutPath(p, &folder, &name);
        const bool dir = mode == ViewMode::Folders || (mode != ViewMode::Files && fs::isDir(p));
        if (dir) {
            v.dirParents << folder;
            v.dirNames << name;
        } else {
            addFile(v, folder, name);
        }
    }
    return v;
}

QStringList dirMemoLines(const ViewLists &v, bool fullPath)
{
    if (!fullPath)
        return v.dirNames;
    QStringList out;
    out.reserve(v.dirNames.size());
    for (qsizetype i = 0; i < v.dirNames.size(); ++i)
        out << v.dirParents.at(i) + v.dirNames.at(i);
    return out;
}

QStringList splitterLines(const ViewLists &v)
{
    return SetFMem(v.files, true, true) + dirMemoLines(v, true);
}

QStringList splitterLinesOfTable(const TableModel &table)
{
    QStringList out;
    out.reserve(table.selectedCount());
    for (int row : table.selectedRows()) {
        const TableRow &r = table.at(row);
        out << table.startFolder() + r.cells[ColFolder] + r.cells[ColName];
    }
    return out;
}

QStringList parentFolders(const ViewLists &v, bool namesOnly)
{
    QStringList out;
    const auto add = [&](QString p) {
        // The trailing separator goes; the root stays what it is.
        if (p.size() > 1 && p.endsWith(QLatin1Char('/')))
            p.chop(1);
        if (namesOnly)
            p = p == QLatin1String("/") ? QString() : p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
        out << p;
    };
    for (const QString &f : v.files.folders)
        add(f);
    for (const QString &f : v.dirParents)
        add(f);
    // The first spelling of a folder stays: the sort is stable.
    return sortedUnique(out);
}

QString viewCaption(const QString &tail, int total)
{
    return QStringLiteral("Просмотр выделенных в ") + tail + QStringLiteral(" (всего: ") + QString::number(total)
         + QLatin1Char(')');
}

} // namespace vt
