#include "table/core/counters.h"

namespace vt {

void SizeSum::add(qint64 bytes)
{
    if (bytes <= 0)
        return;
    kb += quint64(bytes) / 1024;
    rem += quint64(bytes) % 1024;
}

void SizeSum::sub(qint64 bytes)
{
    if (bytes <= 0)
        return;
    kb -= quint64(bytes) / 1024;
    rem -= quint64(bytes) % 1024;
}

QString statusSizeText(quint64 k, quint64 r)
{
    if (k == 0 && r == 0)
        return QString();
    if (r >= 1024) {
        k += r / 1024;
        r %= 1024;
    }
    if (k == 0)
        return QString::number(r) + QStringLiteral(" байт");

    static const char16_t *const units[] = {u" КБ", u" МБ", u" ГБ"};
    int unit;
    quint64 v, f;
    if (k < 1024) {
        unit = 0;
        v = k;
        f = r;
    } else if (k < 1048576) {
        unit = 1;
        v = k / 1024;
        f = k % 1024;
    } else {
        unit = 2;
        v = k / 1048576;
        f = (k / 1024) % 1024;
    }
    // Nearest hundredth, a half going up.
    quint64 h = (f * 100 + 512) / 1024;
    if (h >= 100) {
        h = 0;
        ++v;
        if (v == 1024 && unit < 2) {
            v = 1;
            ++unit;
        }
    }
    return QString::number(v) + QLatin1Char(',')
        + QString::number(h).rightJustified(2, QLatin1Char('0'))
        + QString::fromUtf16(units[unit]);
}

} // namespace vt
