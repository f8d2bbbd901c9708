#include "search/core/searchreport.h"

#include "base/oledate.h"
#include "base/textutil.h"

namespace vt {

QString searchLogLine(const QDateTime &when, const QString &folder)
{
    return dateTimeText(when) + QStringLiteral(" Поиск с папки: \r\n") + folder
           + QStringLiteral("\r\n-");
}

QString searchSummary(const SummaryInput &in)
{
    QString s = in.logLine + QStringLiteral("\r\nДата от ") + dateTimeText(fromDays(in.minBound))
                + QStringLiteral(" до ") + dateTimeText(fromDays(in.maxBound))
                + QStringLiteral("\r\nГлубина поиска: ") + QString::number(in.depth)
                + QStringLiteral("; Лимит: ") + in.limitText + QStringLiteral("; Шаблон: ")
                + in.mask + QStringLiteral("\r\n");
    if (in.unreadable)
        s += QStringLiteral("Поиск имен с \"нечитаемыми\" символами.\r\n");
    if (in.extMode)
        s += QStringLiteral("Поиск файлов по расширениям:\r\n") + in.extText;
    else if (in.mode >= ModeFilesAndFolders)
        s += in.filesCaption;
    else if (in.mode == ModeEmptyFolders)
        s += QStringLiteral("Только \"пустые\" папки");
    else
        s += QStringLiteral("Все папки");
    if (in.mode >= ModeFilesAndFolders)
        s += QStringLiteral("\r\nРазмер от ") + QString::number(in.minKb) + QStringLiteral(" до ")
             + QString::number(in.maxKb) + QStringLiteral(" кб");
    if (in.hideH || in.hideS || in.hideR) {
        s += QStringLiteral("\r\nИсключены:");
        if (in.hideH)
            s += QStringLiteral(" Hidden");
        if (in.hideS)
            s += QStringLiteral(" System");
        if (in.hideR)
            s += QStringLiteral(" ReadOnly");
    }
    return s;
}

QString reportTitle(int stopFlag, bool listRead)
{
    if (stopFlag == StopLimit)
        return QStringLiteral("Превышен лимит файлов");
    if (stopFlag == StopUser)
        return listRead ? QStringLiteral("Чтение в таблицу остановлено")
                        : QStringLiteral("Поиск остановлен");
    return listRead ? QStringLiteral("Чтение в таблицу завершено") : QStringLiteral("Поиск завершен");
}

QString reportText(int stopFlag, bool listRead, int errors, int files, int folders)
{
    QString t = reportTitle(stopFlag, listRead);
    if (listRead)
        t += QStringLiteral(", ошибок: ") + QString::number(errors);
    return t + QStringLiteral("\r\nНайдено файлов: ") + QString::number(files)
           + QStringLiteral("\r\nПапок: ") + QString::number(folders);
}

} // namespace vt
