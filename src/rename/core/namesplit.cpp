#include "rename/core/namesplit.h"

#include "base/runstate.h"
#include <algorithm>

namespace vt {

namespace {

bool isSlash(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

} // namespace

bool splitLine(const QString &line, SplitMode mode, QString *part, QString *rest)
{
    const qsizetype n = line.size();
    switch (mode) {
    case SplitMode::LeftSlash:
        for (qsizetype i = 0; i < n; ++i)
            if (isSlash(line.at(i))) {
                *part = line.left(i);
                *rest = line.mid(i + 1);
                return true;
            }
        return false;
    case SplitMode::RightSlash:
        for (qsizetype i = n - 1; i >= 0; --i)
            if (isSlash(line.at(i))) {
                *part = line.mid(i + 1);
                *rest = line.left(i);
                return true;
            }
        return false;
    case SplitMode::Dot:
        for (qsizetype i = n - 1; i >= 0; --i) {
            const QChar c = line.at(i);
            if (isSlash(c))
                return false; // the last component has no dot
            if (c == QLatin1Char('.')) {
                *part = line.mid(i + 1);
                *rest = line.left(i);
                return true;
            }
        }
        return false;
    }
    return false;
}

SplitOutcome splitLines(const QStringList &lines, SplitMode mode)
{
    SplitOutcome out;
    out.editor.reserve(lines.size());
    for (const QString &line : lines) {
        QString part, rest;
        if (!splitLine(line, mode, &part, &rest)) {
            out.editor << line;
            continue;
        }
        out.editor << rest;
        if (!part.isEmpty())
            out.parts << part;
    }
    out.editor = sortedUnique(out.editor);
    out.parts = sortedUnique(out.parts);
    return out;
}

QStringList sortedUnique(QStringList lines)
{
    lines.removeAll(QString());
    std::stable_sort(lines.begin(), lines.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QStringList out;
    out.reserve(lines.size());
    for (const QString &s : lines)
        if (out.isEmpty() || out.last().compare(s, Qt::CaseInsensitive) != 0)
            out << s;
    return out;
}

QStringList withResults(const QStringList &target, const QStringList &parts, bool append,
                        const QString &serviceLine)
{
    QStringList out;
    if (append && !target.isEmpty()) {
        out = target;
        out << QString();
    }
    if (!serviceLine.isEmpty())
        out << serviceLine;
    out << parts;
    return out;
}

SplitterOptions &splitterOptions()
{
    return runState().get<SplitterOptions>();
}

} // namespace vt
