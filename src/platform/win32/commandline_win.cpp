#include "platform/commandline.h"

namespace vt::fs {

QString shellArgument(const QString &arg)
{
    // Inside double quotes cmd.exe takes & | < > ^ ( ) literally; a quote is
    // written \" with the backslashes before it doubled, as programs read
    // their command line.
    static const QString special = QStringLiteral(" \t\"&|<>^()%!,;=");
    bool quote = arg.isEmpty();
    for (const QChar c : arg)
        quote = quote || special.contains(c);
    if (!quote)
        return arg;
    QString q = QStringLiteral("\"");
    int slashes = 0;
    for (const QChar c : arg) {
        if (c == QLatin1Char('"'))
            q += QString(slashes + 1, QLatin1Char('\\')); // those before it doubled, then its own
        slashes = c == QLatin1Char('\\') ? slashes + 1 : 0;
        q += c;
    }
    q += QString(slashes, QLatin1Char('\\'));
    return q + QLatin1Char('"');
}

QString shellCommandLine(const QStringList &args)
{
    QStringList parts;
    for (const QString &a : args)
        parts << shellArgument(a);
    return parts.join(QLatin1Char(' '));
}

} // namespace vt::fs
