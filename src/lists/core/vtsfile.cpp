#include "lists/core/vtsfile.h"

#include "base/limits.h"
#include "base/operation.h"
#include "base/textutil.h"
#include "lists/core/recordfile.h"
#include "platform/fileentry.h"
#include "platform/regularfile.h"
#include "platform/shortpath.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace vt {
namespace {

// A list larger than this holds more rows than a table can: the rest is never read.
constexpr qint64 kMaxVtsBytes = qint64(kRowLimitMax + 2) * kVtsRecordSize;

// Reads at most max bytes of a regular file; a FIFO or device in its place is never opened.
bool readHead(const QString &path, qint64 max, QByteArray *out, qint64 *fileSize = nullptr)
{
    const QFileInfo fi(path);
    if (!fi.isFile())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    if (fileSize)
        *fileSize = f.size();
    *out = f.read(max);
    return f.error() == QFileDevice::NoError;
}

quint32 attrBits(const QString &words)
{
    quint32 bits = 0;
    for (QStringView w : QStringView(words).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (w == u"Directory") bits |= fs::AttrDirectory;
        else if (w == u"Hidden") bits |= fs::AttrHidden;
        else if (w == u"System") bits |= fs::AttrSystem;
        else if (w == u"ReadOnly") bits |= fs::AttrReadOnly;
        else if (w == u"VolumeID") bits |= fs::AttrVolumeId;
        else if (w == u"Archive") bits |= fs::AttrArchive;
    }
    return bits;
}

// Digits of a date-time text from pos up to a separator; -1 when there are none.
int number(QStringView t, qsizetype &pos)
{
    int v = 0, digits = 0;
    while (pos < t.size() && t[pos].isDigit() && digits < 5) {
        v = v * 10 + t[pos++].digitValue();
        ++digits;
    }
    if (pos < t.size())
        ++pos; // the separator
    return digits ? v : -1;
}

// The stamp and time of an Изменен text ("dd.MM.yyyy H:mm:ss", the time left
// out at midnight), so that the entry agrees with its cell. Parsed by hand:
// the general parser costs more than the rest of the read.
void setTimes(RowEntry &e, const QString &text)
{
    qsizetype pos = 0;
    const int d = number(text, pos), mo = number(text, pos), y = number(text, pos);
    int h = 0, mi = 0, sec = 0;
    if (pos < text.size()) {
        h = number(text, pos);
        mi = number(text, pos);
        sec = number(text, pos);
    }
    if (!QDate::isValid(y, mo, d) || !QTime::isValid(h, mi, sec))
        return;
    if (y >= 1980 && y <= 2107 && sec % 2 == 0) {
        e.stamp = quint32(y - 1980) << 25 | quint32(mo) << 21 | quint32(d) << 16 | quint32(h) << 11
                | quint32(mi) << 5 | quint32(sec / 2);
        return; // the cell is drawn from the stamp alone
    }
    e.mtime = QDateTime(QDate(y, mo, d), QTime(h, mi, sec)).toSecsSinceEpoch();
}

TableRow restoredRow(const VtsRow &v, const QString &startFolder)
{
    const qsizetype slash = v.path.lastIndexOf(QLatin1Char('/'));
    TableRow r;
    RowEntry &e = r.entry;
    e.path = (startFolder + v.path).toUtf8();
    e.kind = v.folder ? EntryKind::Folder : EntryKind::File;
    e.size = v.size;
    e.attrs = attrBits(v.attrs);
    e.ord = v.ord;
    e.page = qint64(quint32(v.page)); // shown unsigned, stored back with the same bits
    setTimes(e, v.modified);
    const QString name = v.path.mid(slash + 1);
    r.cells[ColID] = QString::number(v.id);
    r.cells[ColFolder] = v.path.left(slash + 1);
    r.cells[ColName] = name;
    r.cells[ColType] = typeText(name, v.folder);
    r.cells[ColSize] = tableSizeText(v.size);
    r.cells[ColByte] = QString::number(v.size);
    r.cells[ColModified] = v.modified;
    r.cells[ColOrd] = ordText(e.ord);
    r.cells[ColPage] = ordText(e.page);
    r.cells[ColAttrs] = v.attrs;
    return r;
}

} // namespace

ListWrite writeVts(const QString &file, const TableModel &table, VtsHeader header)
{
    ListWrite res;
    header.startFolder = table.startFolder();
    QByteArray head = vtsHeaderRecord(header);
    QString prefix; // put before Папка when the start folder cannot be stored
    if (head.isEmpty()) {
        prefix = header.startFolder;
        header.startFolder.clear();
        head = vtsHeaderRecord(header);
    }
    QByteArray out;
    out.reserve(qsizetype(table.size() + 1) * kVtsRecordSize);
    out += head;
    for (const TableRow &r : table.rows()) {
        QByteArray rec;
        if (!listPath(r.entry).isNull()) {
            VtsRow v;
            v.ord = quint8(r.entry.ord & 0xFF);
            v.id = quint16(r.cells[ColID].toInt() & 0xFFFF);
            v.path = prefix + r.cells[ColFolder] + r.cells[ColName];
            v.size = r.entry.size;
            v.folder = r.cells[ColType] == dirType();
            v.page = qint32(r.entry.page);
            v.modified = r.cells[ColModified];
            v.attrs = r.cells[ColAttrs];
            rec = vtsRowRecord(v);
        }
        if (rec.isEmpty()) {
            ++res.leftOut;
            continue;
        }
        out += rec;
        ++res.written;
    }
    res.ok = writeFileAtomic(file, out);
    return res;
}

bool readVtsHeader(const QString &file, VtsHeader *header, int *records)
{
    QByteArray head;
    qint64 size = 0;
    if (!readHead(file, kVtsRecordSize, &head, &size) || size < 2 * kVtsRecordSize
        || head.size() < kVtsRecordSize)
        return false;
    *header = vtsHeader(head.constData());
    if (records)
        *records = int(qMin<qint64>(size / kVtsRecordSize, INT_MAX));
    return true;
}

HeaderRewrite rewriteVtsHeader(const QString &file, int mark, const QString &description)
{
    // Rewritten whole: one bigger than any table is not a snapshot of ours.
    QByteArray bytes;
    qint64 size = 0;
    if (!readHead(file, kMaxVtsBytes + 1, &bytes, &size) || size > kMaxVtsBytes || bytes.size() < kVtsRecordSize)
        return HeaderRewrite::Unreadable;
    VtsHeader h = vtsHeader(bytes.constData());
    h.mark = quint16(mark);
    h.description = description;
    QByteArray head = vtsHeaderRecord(h);
    if (head.isEmpty())
        return HeaderRewrite::Unreadable;
    bytes.replace(0, kVtsRecordSize, head);
    return writeFileAtomic(file, bytes) ? HeaderRewrite::Done : HeaderRewrite::WriteFailed;
}

VtsRead readVtsRows(TableModel &table, const QString &file, QStringList &report, OperationContext *ops)
{
    VtsRead res;
    RecordFile in(file, kVtsRecordSize);
    const qint64 n = in.records();
    const char *head = in.next();
    if (!head || n < 2)
        return res;
    res.ok = true;
    res.header = vtsHeader(head);
    table.setStartFolder(res.header.startFolder);
    report << QStringLiteral("Ошибки чтения файла:") << file << QString();
    table.reserve(table.size() + int(qMin<qint64>(n - 1, kRowLimitMax)));
    ReadErrors errors(report);
    for (qint64 i = 1;; ++i) {
        const char *rec = in.next();
        if (!rec)
            break;
        // A snapshot never holds more rows than a table.
        if (table.size() >= kRowLimitMax || i >= kMaxVtsBytes / kVtsRecordSize) {
            res.stop = StopLimit;
            break;
        }
        const VtsRow v = vtsRow(rec);
        const qsizetype slash = v.path.lastIndexOf(QLatin1Char('/'));
        if (v.path.size() == slash + 1 || v.path.contains(QChar(0))) {
            errors.add(v.path.isEmpty() ? QStringLiteral("<НЕТ ИМЕНИ>") : v.path);
        } else {
            table.appendRow(restoredRow(v, res.header.startFolder));
            ++res.rows;
        }
        if (ops && i % 100 == 0) {
            ops->processEvents();
            if (ops->stopRequested()) {
                res.stop = StopUser;
                break;
            }
        }
    }
    errors.finish();
    res.errors = errors.count();
    return res;
}

int fillSelectedShortForms(TableModel &table)
{
    fs::ShortPathCache shortForms;
    int with = 0;
    for (const SelectedRow &s : table.selection()) {
        if (s.entry.shortForm.isEmpty()) {
            const QString path = listPath(s.entry);
            const QString shortForm = path.isNull() ? QString() : shortForms.shortPath(path);
            if (shortForm.isEmpty() || table.has83(shortForm))
                continue;
            RowEntry e = s.entry;
            e.shortForm = shortForm;
            table.updateEntry(s.row, e, table.at(s.row).cells[ColFolder]);
        }
        ++with;
    }
    return with;
}

QList<VtsEntry> vtsEntries(const QString &folder)
{
    QList<VtsEntry> out;
    const QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.vts")}, QDir::Files | QDir::Hidden)) {
        VtsHeader h;
        int records = 0;
        if (!readVtsHeader(fi.filePath(), &h, &records))
            continue;
        VtsEntry e;
        e.mark = h.mark;
        e.description = h.description;
        e.records = records - 1;
        e.created = h.created;
        fs::Entry fe;
        fs::lookup(fi.filePath(), &fe);
        e.modified = fs::modifiedTime(fe);
        e.fileName = fi.fileName();
        e.startFolder = h.startFolder;
        out.append(e);
    }
    sortVtsEntries(out, VtsColModified, false);
    return out;
}

void sortVtsEntries(QList<VtsEntry> &entries, int column, bool descending)
{
    // Keys as the chooser shows them: texts upper-cased, dates by value.
    auto cmp = [column](const VtsEntry &a, const VtsEntry &b) -> int {
        auto three = [](auto x, auto y) { return x < y ? -1 : y < x ? 1 : 0; };
        switch (column) {
        case VtsColType: return upper(vtsMarkName(a.mark)).compare(upper(vtsMarkName(b.mark)));
        case VtsColDesc: return upper(a.description).compare(upper(b.description));
        case VtsColRecords: return three(a.records, b.records);
        case VtsColCreated: return three(a.created, b.created);
        case VtsColModified: return three(a.modified, b.modified);
        case VtsColFolder: return upper(a.startFolder).compare(upper(b.startFolder));
        default: return 0;
        }
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const VtsEntry &a, const VtsEntry &b) {
        int c = cmp(a, b);
        if (c == 0)
            c = upper(a.fileName).compare(upper(b.fileName));
        return descending ? c > 0 : c < 0;
    });
}

} // namespace vt
