#include "fileops/core/rewrite.h"

#include "base/services.h"
#include "base/textutil.h"
#include "fileops/core/targetfolders.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"
#include "table/core/tablemodel.h"

#include <QFile>

#include <algorithm>

namespace vt {

QString Collision::dateTag() const
{
    if (destStamp < srcStamp)
        return QStringLiteral("НОВЕЕ]");
    return destStamp == srcStamp ? QStringLiteral("равно]") : QStringLiteral("старее]");
}

QString Collision::sizeTag() const
{
    if (destSize < srcSize)
        return QStringLiteral("БОЛЬШЕ]");
    return destSize == srcSize ? QStringLiteral("равно]") : QStringLiteral("меньше]");
}

QString Collision::caption() const
{
    return destRel + QStringLiteral("  [") + dateTimeText(destTime) + QStringLiteral(";  ")
           + tableSizeText(destSize) + QLatin1Char(']');
}

QString Collision::dateCell() const { return dateTimeText(srcTime) + QStringLiteral(" [") + dateTag(); }
QString Collision::sizeCell() const { return tableSizeText(srcSize) + QStringLiteral(" [") + sizeTag(); }

RewriteScan scanRewrite(const TableModel &table, CopyMode mode, const QString &target)
{
    RewriteScan s;
    s.mode = mode;
    s.target = target;
    const QString start = table.startFolder();
    const QByteArray startNative = fs::nativePath(start);
    const QByteArray targetNative = fs::nativePath(target);
    QSet<QString> names;
    QStringList folders;
    QSet<QString> folderSeen;
    // Destinations as the copy will reach them: a link in the tree leads nowhere.
    TargetFolders tree(targetNative);
    for (int i = 0; i < table.size(); ++i) {
        const TableRow &r = table.at(i);
        if (!r.selected || r.isDir())
            continue;
        ++s.total;
        const QString folderCell = r.cells[ColFolder];
        const QString name = r.cells[ColName];
        if (mode == CopyMode::Overwrite) {
            if (names.contains(upper(name)))
                s.duplicateNames = true;
            names.insert(upper(name));
        } else if (!folderCell.isEmpty() && !folderSeen.contains(folderCell)) {
            folderSeen.insert(folderCell);
            folders << folderCell;
        }
        QByteArray relFolder;
        QString rel = name;
        if (mode != CopyMode::Overwrite) {
            const QByteArray folder = r.entry.folderBytes();
            relFolder = folder.startsWith(startNative) ? folder.mid(startNative.size()) : QByteArray();
            rel = folderCell + name;
        }
        const QByteArray dest = targetNative + relFolder + r.entry.nameBytes();
        const QString source = start + folderCell + name;
        if (mode == CopyMode::Overwrite && (dest == r.entry.path || fs::sameFile(dest, r.entry.path)))
            continue; // copying a file onto itself is neither
        fs::Entry de, se;
        const fs::DirHandle *destDir = tree.folder(relFolder, false);
        const bool destExists = destDir && destDir->lookup(r.entry.nameBytes(), &de);
        const bool srcExists = fs::lookupNative(r.entry.path, &se) && !se.isDir();
        if (!destExists) {
            s.others << source;
            continue;
        }
        if (!srcExists)
            continue; // the copy logs it as not found
        Collision c;
        c.row = i;
        c.destRel = rel;
        c.destStamp = de.stamp;
        c.destSize = de.size;
        c.destTime = fs::modifiedTime(de);
        c.source = source;
        c.srcStamp = se.stamp;
        c.srcSize = se.size;
        c.srcTime = fs::modifiedTime(se);
        s.newer += c.newer();
        s.newerBigger += c.newer() && c.bigger();
        s.bigger += c.bigger();
        s.equalEqual += c.equalEqual();
        s.collisions << c;
    }
    if (mode != CopyMode::Overwrite)
        s.newDirs = GetNewDirs(folders, target);
    return s;
}

QStringList GetNewDirs(const QStringList &folders, const QString &target)
{
    QStringList out;
    QSet<QString> seen;
    TargetFolders tree(fs::nativePath(target));
    for (const QString &f : folders) {
        for (int at = f.indexOf(QLatin1Char('/')); at >= 0; at = f.indexOf(QLatin1Char('/'), at + 1)) {
            const QString part = f.left(at + 1);
            if (seen.contains(part))
                continue;
            seen.insert(part);
            if (!tree.folder(fs::nativePath(part), false))
                out << part; // missing, or a link where the folder should be (it cannot be made)
        }
    }
    // A parent is a prefix of its sub-folders, so any case-blind order puts it first.
    std::stable_sort(out.begin(), out.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

void MkResDirr(bool silent, const QString &base, QStringList &entries)
{
    int existing = 0, created = 0;
    TargetFolders tree(fs::nativePath(base));
    for (QString &e : entries) {
        const QString path = base + e;
        const QByteArray rel = fs::nativePath(e.endsWith(QLatin1Char('/')) ? e.chopped(1) : e);
        const qsizetype slash = rel.lastIndexOf('/');
        QString tag;
        bool made = false;
        if (tree.folder(rel, false)) {
            ++existing;
            tag = QStringLiteral(" <существует>");
        } else if (const fs::DirHandle *parent = tree.folder(rel.left(slash + 1), false);
                   parent && parent->child(rel.mid(slash + 1), true, nullptr, &made) && made) {
            // one level: the parent must be there (a parent that failed fails its children)
            ++created;
            tag = QStringLiteral(" <создана>");
        } else {
            tag = QStringLiteral(" <ошибка>");
        }
        if (!silent)
            e = path + tag;
    }
    if (!silent)
        ui().inf(QStringLiteral("Всего папок: ") + QString::number(entries.size())
                 + QStringLiteral("\rИз них существует: ") + QString::number(existing)
                 + QStringLiteral("\rСоздано новых папок: ") + QString::number(created));
}

ReviewDecision initialDecision(const RewriteScan &scan)
{
    ReviewDecision d;
    for (const Collision &c : scan.collisions)
        d.ticks << c.newer();
    return d;
}

QList<bool> ticksFor(const RewriteScan &scan, const ReviewDecision &d, ReviewChoice choice)
{
    QList<bool> t;
    for (int i = 0; i < scan.collisions.size(); ++i) {
        const Collision &c = scan.collisions[i];
        bool on = false;
        switch (choice) {
        case ReviewChoice::Newer: on = c.newer(); break;
        case ReviewChoice::NewerBigger: on = c.newer() && c.bigger(); break;
        case ReviewChoice::Bigger: on = c.bigger(); break;
        case ReviewChoice::All: on = true; break;
        case ReviewChoice::Nothing: on = false; break;
        }
        t << (on && !d.removed.contains(i));
    }
    return t;
}

RewriteCheck applyDecision(TableModel &table, const RewriteScan &scan, const ReviewDecision &d)
{
    RewriteCheck r;
    for (int i : d.removed)
        if (i >= 0 && i < scan.collisions.size())
            table.setSelected(scan.collisions[i].row, false);
    if (!d.applied)
        return r;
    int cancelled = int(d.removed.size());
    for (int i = 0; i < scan.collisions.size(); ++i) {
        if (d.removed.contains(i))
            continue;
        const int row = scan.collisions[i].row;
        if (i < d.ticks.size() && d.ticks[i]) {
            r.overwrite.insert(row);
        } else {
            table.setSelected(row, false);
            ++cancelled;
        }
    }
    r.go = true;
    if (cancelled > 0) {
        if (table.counters().selFiles == 0) {
            ui().inf(QStringLiteral("Копирование отменено для всех файлов"));
            r.cancelAll = true;
        } else {
            r.note = QStringLiteral("\r\n<Отмена копирования: ") + QString::number(cancelled)
                     + QLatin1Char('>');
        }
    }
    return r;
}

} // namespace vt
