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

void pusk(bool quiet, const QString &target, const QStringList &args, std::function<void(bool)> done)
{
    auto finish = [quiet, done = std::move(done)](bool ok) {
        if (ok)
            zv(3);
        else if (quiet)
            ui().beep(Beep::Error);
        else
            ui().inf(QStringLiteral("Ошибка открытия"));
        if (done)
            done(ok);
    };
    // Nothing to hand over: refused before the desktop is asked.
    if (target.isEmpty() || !QFileInfo::exists(target))
        return finish(false);
    if (isProgramFile(target) && shell().run(target, args))
        return finish(true);
    // A data file that merely carries the execute bit (FAT mounts) opens instead.
    if (!args.isEmpty())
        return finish(false);
    shell().open(target, std::move(finish));
}

void ExtFnd(const QString &path)
{
    if (path.isEmpty()) {
        ui().inf(QStringLiteral("Ошибка открытия!"));
        return;
    }
    shell().showItem(path, [](bool ok) {
        if (!ok) {
            ui().inf(QStringLiteral("Ошибка открытия!"));
            return;
        }
        zv(2);
        if (afterShow())
            afterShow()();
    });
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
