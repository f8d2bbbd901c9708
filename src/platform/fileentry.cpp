#include "platform/fileentry.h"

#include "platform/localtime.h"

namespace vt::fs {

quint32 fatStamp(const QDateTime &local)
{
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || d.year() < 1980 || d.year() > 2107)
        return 0;
    const quint32 date = quint32((d.year() - 1980) << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return date << 16 | time;
}

quint32 fatStampFromEpoch(qint64 secs)
{
    const CivilTime c = toLocalCivil(secs);
    if (c.year < 1980 || c.year > 2107)
        return 0;
    const quint32 date = quint32((c.year - 1980) << 9 | c.month << 5 | c.day);
    const quint32 time = quint32(c.hour << 11 | c.minute << 5 | c.second / 2);
    return date << 16 | time;
}

QDateTime modifiedTime(const Entry &e)
{
    if (e.stamp == 0)
        return QDateTime::fromSecsSinceEpoch(e.mtime);
    const quint32 date = e.stamp >> 16, time = e.stamp & 0xFFFF;
    return QDateTime(QDate(int(date >> 9) + 1980, int(date >> 5 & 15), int(date & 31)),
                     QTime(int(time >> 11), int(time >> 5 & 63), int(time & 31) * 2));
}

} // namespace vt::fs
