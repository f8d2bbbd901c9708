#include "lists/core/vtlformat.h"

#include "base/textutil.h"

#include <QtEndian>

namespace vt {

QByteArray vtlRecord(qint64 ord, qint64 page, const QString &path)
{
    bool ok = false;
    const QByteArray bytes = toCp1251(path, &ok);
    if (!ok || bytes.size() > kVtlPathMax)
        return {};
    QByteArray r(kVtlRecordSize, '\0');
    r[0] = char(quint8(ord & 0xFF));
    qToLittleEndian<qint32>(qint32(page), r.data() + 4);
    r[8] = char(quint8(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), r.begin() + 9);
    return r;
}

VtlRecord vtlRecordAt(const char *r)
{
    VtlRecord rec;
    rec.ord = quint8(r[0]);
    rec.page = qFromLittleEndian<qint32>(r + 4);
    const int len = quint8(r[8]);
    rec.path = fromCp1251(QByteArray(r + 9, len));
    return rec;
}

QList<VtlRecord> vtlRecords(const QByteArray &file)
{
    QList<VtlRecord> out;
    const qsizetype n = file.size() / kVtlRecordSize;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        out.append(vtlRecordAt(file.constData() + i * kVtlRecordSize));
    return out;
}

} // namespace vt
