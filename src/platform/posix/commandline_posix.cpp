#include "platform/commandline.h"

namespace vt::fs {

QString shellArgument(const QString &arg)
{
    // Letters, digits and these are never special to a POSIX shell.
    static const QString plain = QStringLiteral("_-+./,:@%=");
    bool quote = arg.isEmpty();
    for (const QChar c : arg) {
        const bool safe = c.unicode() < 0x80 ? c.isLetterOrNumber() || plain.contains(c) : c.isLetterOrNumber();
        quote = quote || !safe;
    }
    if (!quote)
        return arg;
    QString q = arg;
    q.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString shellCommandLine(const QStringList &args)
{
    QStringList parts;
    for (const QString &a : args)
        parts << shellArgument(a);
    return parts.join(QLatin1Char(' '));
}

} // namespace vt::fs
