#include "table/core/tablerow.h"

#include "base/textutil.h"
#include "platform/fileentry.h"

namespace vt {

bool TableRow::isDir() const { return cells[ColType] == dirType(); }

qint64 TableRow::bytes() const
{
    bool ok = false;
    const qint64 v = cells[ColByte].toLongLong(&ok);
    return ok ? v : 0;
}

int TableRow::id() const
{
    bool ok = false;
    const int v = cells[ColID].toInt(&ok);
    return ok ? v : 0;
}

QString tableSizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("byte: ") + QString::number(bytes);
    if (bytes < 1048576)
        return QStringLiteral("KB: ") + QString::number(bytes / 1024);
    return QStringLiteral("MB: ") + QString::number(bytes / 1048576);
}

QString attrWords(quint32 attrs)
{
    QString s;
    if (attrs & fs::AttrDirectory)
        s += QStringLiteral("Directory ");
    if (attrs & fs::AttrHidden)
        s += QStringLiteral("Hidden ");
    if (attrs & fs::AttrSystem)
        s += QStringLiteral("System ");
    if (attrs & fs::AttrReadOnly)
        s += QStringLiteral("ReadOnly ");
    if (attrs & fs::AttrVolumeId)
        s += QStringLiteral("VolumeID ");
    if (attrs & fs::AttrArchive)
        s += QStringLiteral("Archive ");
    return s;
}

QString typeText(const QString &name, bool dir)
{
    if (dir)
        return dirType();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    return upper(name.mid(dot + 1));
}

QString ordText(qint64 v)
{
    return v < 1 ? QStringLiteral("-") : QString::number(v);
}

TableRow makeRow(int id, const QString &folder, const fs::Entry &e, const QString &shortPath,
                 qint64 ord, qint64 page)
{
    TableRow r;
    const bool dir = e.isDir();
    const qint64 size = dir ? 0 : e.size;
    r.cells[ColID] = QString::number(id);
    r.cells[ColFolder] = folder;
    r.cells[ColName] = e.name;
    r.cells[ColType] = typeText(e.name, dir);
    r.cells[ColSize] = tableSizeText(size);
    r.cells[ColByte] = QString::number(size);
    r.cells[Col83] = shortPath;
    r.cells[ColModified] = dateTimeText(fs::modifiedTime(e));
    r.cells[ColOrd] = ordText(ord);
    r.cells[ColPage] = ordText(page);
    r.cells[ColAttrs] = attrWords(e.attrs);
    return r;
}

} // namespace vt
