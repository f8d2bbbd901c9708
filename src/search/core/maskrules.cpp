#include "search/core/maskrules.h"

namespace vt {
namespace {
const QLatin1Char kStar('*');
}

QString maskWithStars(const QString &mask)
{
    if (mask.isEmpty())
        return QStringLiteral("*");
    QString m = mask;
    if (!m.startsWith(kStar))
        m.prepend(kStar);
    if (!m.endsWith(kStar))
        m.append(kStar);
    return m;
}

bool isRefusedMaskChar(QChar c)
{
    return QStringView(u"\\/:<>|\"").contains(c);
}

bool hasRefusedMaskChar(const QString &mask)
{
    for (QChar c : mask)
        if (isRefusedMaskChar(c))
            return true;
    return false;
}

bool addOld(const QString &value, QStringList &list, int max)
{
    if (!list.isEmpty() && list.first().compare(value, Qt::CaseInsensitive) == 0)
        return false;
    for (int i = list.size() - 1; i >= 1; --i)
        if (list.at(i).compare(value, Qt::CaseInsensitive) == 0)
            list.removeAt(i);
    list.prepend(value);
    while (list.size() > max)
        list.removeLast();
    return true;
}

bool maskLabelBlue(const QString &mask)
{
    if (mask == QStringLiteral("*"))
        return false;
    return !(mask.size() > 1 && mask.startsWith(kStar) && mask.endsWith(kStar));
}

FieldTone maskTone(const QString &mask)
{
    return mask == QStringLiteral("*") ? FieldTone::Window : FieldTone::White;
}

FieldTone minSizeTone(qint64 kb) { return kb == 0 ? FieldTone::Button : FieldTone::White; }
FieldTone maxSizeTone(qint64 kb) { return kb == kMaxSizeKb ? FieldTone::Button : FieldTone::White; }
FieldTone depthTone(int depth) { return depth == 0 ? FieldTone::Window : FieldTone::White; }

} // namespace vt
