#include "lists/core/vtsformat.h"

#include "base/textutil.h"

#include <QtEndian>

namespace vt {
namespace {

const QDate kDayZero(1899, 12, 30);

// A length byte and the text after it; false when the text cannot be stored as it is.
bool putText(QByteArray &rec, int at, int max, const QString &text, bool cut)
{
    bool ok = false;
    QByteArray bytes = toCp1251(cut ? text.left(max) : text, &ok);
    if (!cut && (!ok || bytes.size() > max))
        return false;
    bytes.truncate(max);
    rec[at] = char(quint8(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), rec.begin() + at + 1);
    return true;
}

QString getText(const char *rec, int at, int max)
{
    const int len = qMin(int(quint8(rec[at])), max);
    return fromCp1251(QByteArray(rec + at + 1, len));
}

} // namespace

const QStringList &vtsMarkNames()
{
    static const QStringList names{QStringLiteral("CD / DVD"), QStringLiteral("Музык.CD / DVD"),
                                   QStringLiteral("Диск"),     QStringLiteral("Флешка"),
                                   QStringLiteral("Поиск с папки"), QStringLiteral("Разные")};
    return names;
}

QString vtsMarkName(int mark)
{
    return mark >= 0 && mark < kVtsMarkCount ? vtsMarkNames().at(mark) : QString();
}

quint8 sizeHighByte(qint64 size)
{
    const quint64 high = quint64(size) >> 32;
    return high > 255 ? 255 : quint8(high);
}

QByteArray vtsHeaderRecord(const VtsHeader &h)
{
    QByteArray r(kVtsRecordSize, '\0');
    qToLittleEndian<quint16>(h.mark, r.data() + 2);
    if (!putText(r, 4, kVtsPathMax, h.startFolder, false))
        return {};
    qToLittleEndian<qint32>(h.created, r.data() + 260);
    const QString desc = h.description.left(kVtsDescMax);
    putText(r, 272, kVtsDescMax - kVtsDescFirst, desc.mid(kVtsDescFirst), true);
    putText(r, 293, kVtsDescFirst, desc.left(kVtsDescFirst), true);
    return r;
}

QByteArray vtsRowRecord(const VtsRow &row)
{
    QByteArray r(kVtsRecordSize, '\0');
    r[0] = char(row.ord);
    r[1] = char(sizeHighByte(row.size));
    qToLittleEndian<quint16>(row.id, r.data() + 2);
    if (!putText(r, 4, kVtsPathMax, row.path, false))
        return {};
    qToLittleEndian<quint32>(quint32(quint64(row.size) & 0xFFFFFFFFu), r.data() + 260);
    qToLittleEndian<quint32>(row.folder ? 1 : 0, r.data() + 264);
    qToLittleEndian<qint32>(row.page, r.data() + 268);
    putText(r, 272, kVtsModifiedMax, row.modified, true);
    putText(r, 293, kVtsAttrsMax, row.attrs, true);
    return r;
}

VtsHeader vtsHeader(const char *r)
{
    VtsHeader h;
    h.mark = qFromLittleEndian<quint16>(r + 2);
    h.startFolder = getText(r, 4, kVtsPathMax);
    h.created = qFromLittleEndian<qint32>(r + 260);
    h.description = getText(r, 293, kVtsDescFirst) + getText(r, 272, kVtsDescMax - kVtsDescFirst);
    return h;
}

VtsRow vtsRow(const char *r)
{
    VtsRow row;
    row.ord = quint8(r[0]);
    row.id = qFromLittleEndian<quint16>(r + 2);
    row.path = getText(r, 4, kVtsPathMax);
    row.size = qint64(quint8(r[1])) << 32 | qint64(qFromLittleEndian<quint32>(r + 260));
    row.folder = qFromLittleEndian<quint32>(r + 264) != 0;
    row.page = qFromLittleEndian<qint32>(r + 268);
    row.modified = getText(r, 272, kVtsModifiedMax);
    row.attrs = getText(r, 293, kVtsAttrsMax);
    return row;
}

QString vtsFileName(const QDateTime &t)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    return QString::asprintf("%2.2d-%2.2d-%2.2d_%2.2d-%2.2d-%2.2d", d.year(), d.month(), d.day(), tm.hour(),
                             tm.minute(), tm.second())
         + QStringLiteral(".vts");
}

qint32 vtsDay(const QDate &date) { return qint32(kDayZero.daysTo(date)); }

QDate vtsDate(qint32 day) { return kDayZero.addDays(day); }

} // namespace vt
