#include "base/oledate.h"

#include <cmath>

namespace vt {
namespace {
const QDate kBase(1899, 12, 30);
}

double toDays(const QDateTime &dt)
{
    const double d = double(kBase.daysTo(dt.date()));
    const double f = dt.time().msecsSinceStartOfDay() / 86400000.0;
    return d + f;
}

QDateTime fromDays(double days)
{
    double whole = std::floor(days);
    qint64 secs = qint64(std::llround((days - whole) * 86400.0));
    if (secs >= 86400) {
        whole += 1;
        secs -= 86400;
    }
    return QDateTime(kBase.addDays(qint64(whole)), QTime(0, 0).addSecs(int(secs)));
}

double wholeDays(double days) { return std::floor(days); }
double dayFraction(double days) { return days - std::floor(days); }

} // namespace vt
