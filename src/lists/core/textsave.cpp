#include "lists/core/textsave.h"

#include "base/appdirs.h"
#include "base/currentlog.h"
#include "base/savelog.h"
#include "base/services.h"
#include "lists/core/csvlist.h"
#include "lists/core/textlist.h"
#include "platform/dirhandle.h"
#include "platform/dirreader.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"

namespace vt {

int SaveAsTxt(const TableModel &table, CurrentLog &log, const TextSaveRequest &req)
{
    constexpr int kCancel = int(YesOk::Cancel);
    QString folder;
    // The file is written by its name in the folder held open: a link put in
    // place of Texts/ or of the file (a fixed name in a shared TEMP) is never followed.
    std::unique_ptr<fs::DirHandle> dir;
    if (req.toTemp) {
        QString value;
        folder = tempFolder(&value);
        if (folder.isEmpty()) {
            ui().inf(QStringLiteral("Не найдена папка TEMP:\r\n") + value);
            return kCancel;
        }
        dir = fs::DirHandle::open(fs::nativePath(folder));
    } else {
        folder = mkdirr(QStringLiteral("Texts"));
        dir = programSubDir(QStringLiteral("Texts"));
        if (folder.isEmpty() || !dir) {
            ui().beep();
            return kCancel;
        }
    }
    const QString ext = req.type == TextType::Txt ? QStringLiteral("TXT")
                      : req.type == TextType::Vtx ? QStringLiteral("VTX")
                      : req.type == TextType::M3u ? QStringLiteral("M3U")
                                                  : QStringLiteral("CSV");
    const bool wholeRows = req.type == TextType::Txt && req.shift && !req.ctrl;
    const bool alias = req.type == TextType::Txt && req.useReplacement;
    if (req.ctrl) {
        pusk(true, folder);
        return int(YesOk::Yes);
    }
    if (!req.toTemp && !GetCntFilesExt(folder, QLatin1Char('.') + ext))
        return kCancel;

    const QString form = (wholeRows ? QStringLiteral("[вся информация строки")
                                    : QStringLiteral("[имена файлов/папок"))
                       + (req.toTemp ? QStringLiteral("] во ВРЕМЕННЫЙ") : QStringLiteral("] в"));
    const int selected = table.counters().selFiles + table.counters().selFolders;
    const YesOk which = ui().vprYesOK(QStringLiteral("Сохранить ") + form + QStringLiteral(" текстовый файл ") + ext
                                      + QStringLiteral("\r[YES]: выделенные (") + QString::number(selected)
                                      + QStringLiteral(")\r[OK]: все (") + QString::number(table.size())
                                      + QLatin1Char(')'));
    if (which == YesOk::Cancel)
        return kCancel;
    QList<int> rows;
    for (int i = 0; i < table.size(); ++i)
        if (which == YesOk::Ok || table.rows()[size_t(i)].selected)
            rows << i;
    const QString countText = which == YesOk::Yes ? QStringLiteral("выделенные: ") + QString::number(rows.size())
                                                  : QStringLiteral("все: ") + QString::number(rows.size());
    const QString fileName = req.toTemp ? textTempName(ext) : textStampName(clock().now(), ext);
    const QString path = folder + fileName;
    const TextLines text = wholeRows ? txtRowLines(table, rows, req.quote)
                         : req.type == TextType::Txt
                             ? txtNameLines(table, rows, req.quote, req.replacement, alias)
                             : txtNameLines(table, rows, QString(), QString(), false);
    const bool written = req.type == TextType::Csv
                             ? dir && fs::writeFileIn(*dir, fs::nativePath(fileName), csvBytes(table, rows, ','))
                             : dir && writeTextLinesIn(*dir, fileName, text.lines);
    if (!written) {
        ui().inf(QStringLiteral("Ошибка ввода/вывода:\r") + path);
        return kCancel;
    }
    QString note;
    if (text.leftOut > 0 && req.type != TextType::Csv)
        note = QStringLiteral("\r\nНе записано строк: ") + QString::number(text.leftOut)
             + QStringLiteral(" (имя не в кодировке UTF-8)");
    log.append(logStamp() + QStringLiteral("Сохранены ") + form + QStringLiteral("\r\nтекстовый файл ") + ext
               + QStringLiteral(" (") + countText + QStringLiteral("). Имя файла:\r\n") + path + note
               + QStringLiteral("\r\n-"));
    if (!note.isEmpty())
        ui().inf(QStringLiteral("Файл сохранен не полностью:\r") + path + note);
    const YesOk next = ui().vprYesOK(
        QStringLiteral("Выберите действие:\r[YES]: Открыть сохраненный файл\r[OK]: Найти в проводнике"));
    if (next == YesOk::Yes)
        pusk(true, path);
    else if (next == YesOk::Ok)
        ExtFnd(path);
    return int(next);
}

} // namespace vt
