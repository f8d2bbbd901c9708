#include "fileops/core/rewrite.h"

#include "base/services.h"
#include "base/textutil.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"
#include "table/core/tablemodel.h"

#include <QDir>
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

RewriteScan scanRewrite(const TableModel &table, int mode, const QString &target)
{
    RewriteScan s;
    s.mode = mode;
    s.target = target;
    const QString start = table.startFolder();
    const QByteArray startNative = QFile::encodeName(start);
    const QByteArray targetNative = QFile::encodeName(target);
    QSet<QString> names;
    QStringList folders;
    QSet<QString> folderSeen;
    for (int i = 0; i < table.size(); ++i) {
        const TableRow &r = table.at(i);
        if (!r.selected || r.isDir())
            continue;
        ++s.total;
        const QString folderCell = r.cells[ColFolder];
        const QString name = r.cells[ColName];
        if (mode == 1) {
            if (names.contains(upper(name)))
                s.duplicateNames = true;
            names.insert(upper(name));
        } else if (!folderCell.isEmpty() && !folderSeen.contains(folderCell)) {
            folderSeen.insert(folderCell);
            folders << folderCell;
        }
        QByteArray relNative = r.entry.nameBytes();
        QString rel = name;
        if (mode != 1) {
            const QByteArray folder = r.entry.folderBytes();
            relNative = (folder.startsWith(startNative) ? folder.mid(startNative.size()) : QByteArray())
                        + r.entry.nameBytes();
            rel = folderCell + name;
        }
        const QByteArray dest = targetNative + relNative;
        const QString source = start + folderCell + name;
        if (mode == 1 && (dest == r.entry.path || fs::sameFile(dest, r.entry.path)))
            continue; // copying a file onto itself is neither
        fs::Entry de, se;
        const bool destExists = fs::lookupNative(dest, &de);
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
    if (mode != 1)
        s.newDirs = GetNewDirs(folders, target);
    return s;
}

QStringList GetNewDirs(const QStringList &folders, const QString &target)
{
    QStringList out;
    QSet<QString> seen;
    for (const QString &f : folders) {
        for (int at = f.indexOf(QLatin1Char('/')); at >= 0; at = f.indexOf(QLatin1Char('/'), at + 1)) {
            const QString part = f.left(at + 1);
            if (seen.contains(part))
                continue;
            seen.insert(part);
            if (!fs::isDir(target + part))
                out << part;
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
    for (QString &e : entries) {
        const QString path = base + e;
        QString tag;
        if (fs::isDir(path)) {
            ++existing;
            tag = QStringLiteral(" <существует>");
        } else if (QDir().mkdir(path)) {
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
