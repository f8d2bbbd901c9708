#include "shell/core/shellrun.h"

#include "base/services.h"
#include "base/textutil.h"

#include <QDir>
#include <QFileInfo>

namespace vt {
namespace {

std::function<void()> &afterShow()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

bool isProgramFile(const QString &path)
{
    const QFileInfo fi(path);
    return !path.isEmpty() && fi.isFile() && fi.isExecutable();
}

bool pusk(bool quiet, const QString &target, const QStringList &args)
{
    bool ok = false;
    // The desktop's opener reports success before it has looked at the file,
    // so a missing target is refused here.
    if (!target.isEmpty() && QFileInfo::exists(target)) {
        if (isProgramFile(target))
            ok = shell().run(target, args);
        // A data file that merely carries the execute bit (FAT mounts) opens instead.
        if (!ok && args.isEmpty())
            ok = shell().open(target);
    }
    if (ok) {
        zv(3);
        return true;
    }
    if (quiet)
        ui().beep(Beep::Error);
    else
        ui().inf(QStringLiteral("Ошибка открытия"));
    return false;
}

bool ExtFnd(const QString &path)
{
    if (path.isEmpty() || !shell().showItem(path)) {
        ui().inf(QStringLiteral("Ошибка открытия!"));
        return false;
    }
    zv(2);
    if (afterShow())
        afterShow()();
    return true;
}

void setAfterShowItem(std::function<void()> hook) { afterShow() = std::move(hook); }

int countFilesExt(const QString &folder, const QString &ext)
{
    int n = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &fi : entries)
        if (fi.fileName().endsWith(ext, Qt::CaseInsensitive))
            ++n;
    return n;
}

bool GetCntFilesExt(const QString &folder, const QString &ext)
{
    const int n = countFilesExt(folder, ext);
    if (n <= 100)
        return true;
    const QString text = QStringLiteral("Число файлов с расширением \"") + upper(ext) + QStringLiteral("\" (")
                         + QString::number(n)
                         + QStringLiteral(" шт.) превышает 100.\nПереместите или удалите эти "
                                          "файлы.\nОткрыть папку в проводнике?");
    if (ui().stopYesNo(QStringLiteral("Проверка числа файлов"), text))
        pusk(true, folder);
    return false;
}

} // namespace vt
