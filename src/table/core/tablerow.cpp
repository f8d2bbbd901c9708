#include "table/core/tablerow.h"

#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"

namespace vt {

QByteArray RowEntry::nameBytes() const
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QByteArray RowEntry::folderBytes() const
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray() : path.left(slash + 1);
}

QDateTime RowEntry::modified() const
{
    fs::Entry fe;
    fe.stamp = stamp;
    fe.mtime = mtime;
    return fs::modifiedTime(fe);
}

QString RowEntry::name() const
{
    const QByteArray n = nameBytes();
    return fs::displayName(std::string_view(n.constData(), size_t(n.size())));
}

QString RowEntry::displayPath() const
{
    return fs::displayName(std::string_view(path.constData(), size_t(path.size())));
}

RowEntry rowEntry(const QByteArray &nativePath, const fs::Entry &e, const QString &shortForm,
                  qint64 ord, qint64 page)
{
    RowEntry r;
    r.path = nativePath;
    r.kind = e.isDir() ? EntryKind::Folder : EntryKind::File;
    r.size = e.isDir() ? 0 : e.size;
    r.mtime = e.mtime;
    r.stamp = e.stamp;
    r.attrs = e.attrs;
    r.shortForm = shortForm;
    r.ord = ord;
    r.page = page;
    r.link = e.link;
    return r;
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

void renderCells(TableRow &r)
{
    const RowEntry &e = r.entry;
    const QString name = e.name();
    r.cells[ColName] = name;
    r.cells[ColType] = typeText(name, e.isDir());
    r.cells[ColSize] = tableSizeText(e.size);
    r.cells[ColByte] = QString::number(e.size);
    r.cells[Col83] = e.shortForm;
    // Straight from the packed stamp where there is one: it is local time already.
    if (e.stamp != 0) {
        const quint32 date = e.stamp >> 16, time = e.stamp & 0xFFFF;
        r.cells[ColModified] = dateTimeText(int(date >> 9) + 1980, int(date >> 5 & 15), int(date & 31),
                                            int(time >> 11), int(time >> 5 & 63), int(time & 31) * 2);
    } else {
        r.cells[ColModified] = dateTimeText(e.modified());
    }
    r.cells[ColOrd] = ordText(e.ord);
    r.cells[ColPage] = ordText(e.page);
    r.cells[ColAttrs] = attrWords(e.attrs);
}

TableRow makeRow(int id, const QString &folderCell, RowEntry entry)
{
    TableRow r;
    r.entry = std::move(entry);
    r.cells[ColID] = QString::number(id);
    r.cells[ColFolder] = folderCell;
    renderCells(r);
    return r;
}

} // namespace vt
