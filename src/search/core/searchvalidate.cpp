#include "search/core/searchvalidate.h"

#include "base/oledate.h"
#include "base/services.h"
#include "platform/fileentry.h"
#include "search/core/maskrules.h"

#include <QDir>

namespace vt {

FindKind findKind(const SearchParams &p)
{
    if (p.extMode || p.filesState == 2)
        return FindKind::Files;
    return p.filesState == 0 ? FindKind::Folders : FindKind::FilesAndFolders;
}

QString provShabMessage(const QString &mask)
{
    if (mask.isEmpty())
        return QStringLiteral("Не установлен шаблон.\nСтандартный: * (звездочка, все файлы)");
    if (mask.size() > kMaskMaxLength)
        return QStringLiteral("Длина шаблона не должна быть больше 40 симв.");
    if (hasRefusedMaskChar(mask))
        return QStringLiteral("Недопустимые символы в шаблоне  \\ / : \" < > |");
    return QString();
}

bool maskWithoutWildcards(const QString &mask)
{
    return !mask.contains(QLatin1Char('*')) && !mask.contains(QLatin1Char('?'));
}

bool provShab(const QString &mask)
{
    const QString msg = provShabMessage(mask);
    if (!msg.isEmpty()) {
        ui().inf(msg);
        return false;
    }
    if (maskWithoutWildcards(mask))
        return ui().vopr(QStringLiteral("В шаблоне должен быть символ * (звездочка) и/или ? "
                                        "(вопрос).\nВсе равно продолжить?"));
    return true;
}

QString existingFolder(const QString &path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return QString();
    QString f = path;
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return fs::isDir(f) ? f : QString();
}

namespace {

// A bound beyond the stamp range gets the stamp that lies past every real one.
constexpr quint32 kStampBeyond = 0xFFFFFFFF;

quint32 boundStamp(double days)
{
    return fs::fatStamp(fromDays(days));
}

} // namespace

void fitFieldRanges(SearchParams &p)
{
    p.minKb = qBound<qint64>(0, p.minKb, kMaxSizeKb);
    p.maxKb = qBound<qint64>(0, p.maxKb, kMaxSizeKb);
    p.limit = qBound(1, p.limit, kMaxLimit);
    p.depth = qBound(0, p.depth, kMaxDepth);
}

bool validateSearch(SearchParams &p, ValidSearch &out)
{
    // 1. bounds and the committed fields
    if (wholeDays(p.minDate) < kEarliestDate)
        p.minDate = kEarliestDate;
    if (wholeDays(p.maxDate) < kEarliestDate)
        p.maxDate = kEarliestDate;
    if (p.mask.size() > kMaskMaxLength)
        p.mask.truncate(kMaskMaxLength);
    const double minBound = wholeDays(p.minDate) + dayFraction(p.minTime);
    const double maxBound = wholeDays(p.maxDate) + dayFraction(p.maxTime);

    // 2.
    if (minBound >= maxBound) {
        ui().inf(QStringLiteral("Минимальная дата должна быть меньше максимальной"));
        return false;
    }

    // 3. Stamps compare unsigned: a signed compare would lose 2044-2107.
    const double today = wholeDays(toDays(now()));
    quint32 minStamp = boundStamp(minBound);
    quint32 maxStamp = boundStamp(maxBound);
    if (maxStamp == 0 && wholeDays(maxBound) > today)
        maxStamp = kStampBeyond;
    // A minimum past 2107 would otherwise read as 0 and take every file.
    if (minStamp == 0 && fromDays(minBound).date().year() > 2107)
        minStamp = kStampBeyond;
    if (minStamp >= maxStamp) {
        ui().inf(QStringLiteral("Ошибка определения минимальной/максимальной даты"));
        return false;
    }

    // 4.
    QString folder = existingFolder(p.folder);
    if (folder.isEmpty()) {
        const QString chosen = ui().chooseFolder(QStringLiteral("Выберите папку"), p.folder);
        if (chosen.isEmpty())
            return false;
        folder = existingFolder(chosen);
        if (folder.isEmpty())
            return false;
        p.folder = folder;
    }

    // 5.
    const FindKind kind = findKind(p);
    if (kind != FindKind::Folders && p.maxKb < p.minKb) {
        ui().inf(QStringLiteral("Минимальный размер файла должен быть меньше максимального"));
        return false;
    }

    // 6.
    if (!provShab(p.mask))
        return false;

    out.folder = folder;
    out.mask = p.mask;
    out.minBound = minBound;
    out.maxBound = maxBound;
    out.minStamp = minStamp;
    out.maxStamp = maxStamp;
    out.kind = kind;
    return true;
}

} // namespace vt
