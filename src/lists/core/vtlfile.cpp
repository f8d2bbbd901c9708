#include "lists/core/vtlfile.h"

#include "base/limits.h"
#include "base/textutil.h"
#include "lists/core/recordfile.h"
#include "lists/core/vtlformat.h"
#include "platform/dirreader.h"
#include "platform/shortpath.h"

#include <QSet>
#include <climits>

namespace vt {

QString listPath(const RowEntry &e)
{
    const std::string_view bytes(e.path.constData(), size_t(e.path.size()));
    return fs::validUtf8(bytes) ? fs::displayName(bytes) : QString();
}

// The record of a row; empty when no record can hold its path.
static QByteArray rowRecord(const RowEntry &e)
{
    const QString path = listPath(e);
    return path.isNull() ? QByteArray() : vtlRecord(e.ord, e.page, path);
}

ListWrite writeVtl(const QString &file, const TableModel &table, bool selectedOnly)
{
    ListWrite res;
    QByteArray out;
    out.reserve(qsizetype(table.size()) * kVtlRecordSize);
    for (const TableRow &r : table.rows()) {
        if (selectedOnly && !r.selected)
            continue;
        const QByteArray rec = rowRecord(r.entry);
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

VtlAppend appendVtl(const QString &file, const Selection &rows)
{
    VtlAppend res;
    RecordFile in(file, kVtlRecordSize);
    if (!in.ok())
        return res;
    res.opened = true;
    // A list that is full already is not read at all, however big.
    if (in.records() >= kRowLimitMax) {
        res.existing = int(qMin<qint64>(in.records(), INT_MAX));
        return res;
    }
    QByteArray bytes; // whole records only: a partial tail is overwritten
    fs::ShortPathCache shortForms;
    QSet<QString> keys;
    for (const char *rec; res.existing < kRowLimitMax && (rec = in.next());) {
        bytes.append(rec, kVtlRecordSize);
        ++res.existing;
        const VtlRecord r = vtlRecordAt(rec);
        const QString key = r.path.isEmpty() ? QString() : shortForms.shortPath(r.path);
        if (!key.isEmpty())
            keys.insert(key);
    }
    for (const SelectedRow &s : rows) {
        if (res.existing + res.added >= kRowLimitMax)
            break;
        const QString &key = s.entry.shortForm;
        if (key.isEmpty() || keys.contains(key))
            continue;
        const QByteArray rec = rowRecord(s.entry);
        if (rec.isEmpty()) {
            ++res.leftOut;
            continue;
        }
        bytes += rec;
        keys.insert(key);
        ++res.added;
    }
    if (res.added > 0)
        res.opened = writeFileAtomic(file, bytes);
    return res;
}

} // namespace vt
