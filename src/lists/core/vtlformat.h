#pragma once
// The VTL list file: headerless fixed records of 264 bytes, one per row, in
// table order. Byte 0 Ord (low byte), 1..3 zero, 4..7 Page (signed 32-bit,
// little-endian), 8 path length, 9..263 the cp1251 path and zero fill.
#include <QByteArray>
#include <QList>
#include <QString>

namespace vt {

constexpr int kVtlRecordSize = 264;
constexpr int kVtlPathMax = 255;

struct VtlRecord {
    quint8 ord = 0;
    qint32 page = 0;
    QString path;
};

// One record; empty when the path cannot be stored as it is (longer than
// 255 characters, or a character without a cp1251 code): writing a cut or
// altered path would name another file.
QByteArray vtlRecord(qint64 ord, qint64 page, const QString &path);
// The record at r (kVtlRecordSize bytes).
VtlRecord vtlRecordAt(const char *r);
// Every whole record of a file's bytes; a trailing partial record is ignored.
QList<VtlRecord> vtlRecords(const QByteArray &file);

} // namespace vt
