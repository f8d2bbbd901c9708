#include "base/cleanname.h"

namespace vt {

QString CleanName(const QString &s)
{
    static const QString forbidden = QStringLiteral("\"*/:<>?\\|");
    QString r;
    for (const QChar c : s) {
        if (r.size() >= kCleanNameMax)
            break;
        const ushort u = c.unicode();
        // NUL too: the system would cut the name there.
        if (u <= 31 || forbidden.contains(c))
            continue;
        if (r.isEmpty() && (c == QLatin1Char(' ') || c == QLatin1Char('.')))
            continue;
        if (c == QLatin1Char(' ') && r.endsWith(QLatin1Char(' ')))
            continue;
        r += c;
    }
    while (!r.isEmpty() && (r.endsWith(QLatin1Char(' ')) || r.endsWith(QLatin1Char('.'))))
        r.chop(1);
    return r;
}

} // namespace vt
