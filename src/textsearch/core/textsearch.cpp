#include "textsearch/core/textsearch.h"

#include "base/operation.h"
#include "base/services.h"
#include "base/textutil.h"
#include "platform/regularfile.h"
#include "table/core/tablemodel.h"

#include <QFile>
#include <QSet>

namespace vt {

namespace {
const QString kSeparator = QStringLiteral("___\r\n");
}

bool WriteLog(QStringList &log, const TextSearchOptions &o, const TextNeedle &needle, const QString &sizeText,
              const QByteArray &nativePath)
{
    const QString path = QFile::decodeName(nativePath);
    // Reused from file to file, as a reader of many files should.
    thread_local QByteArray bytes;
    const auto status = fs::readRegularNative(nativePath, &bytes);
    struct Release {
        ~Release()
        {
            if (bytes.capacity() > (qsizetype(64) << 20))
                bytes = QByteArray();
        }
    } release;
    switch (status) {
    case fs::ReadStatus::Missing:
        log << path << QStringLiteral("<Файл не найден>");
        return false;
    case fs::ReadStatus::Failed:
        log << path + QStringLiteral("\r\n<Ошибка доступа к файлу>") << kSeparator;
        return false;
    case fs::ReadStatus::Ok:
        break;
    }
    const TextScan s = scanText(bytes, needle, o.numbersLine, o.foundLines);
    const bool hit = s.matches > 0;
    const bool pathLine = o.names == 2 || (hit && o.names == 1);
    if (pathLine) {
        log << path;
        if (o.sizeLine)
            log << QStringLiteral("Размер файла: ") + sizeText + QStringLiteral(" Общее число строк в файле: ")
                       + QString::number(s.lines);
    }
    if (hit) {
        if (o.countLine)
            log << QStringLiteral("Число строк, где найдено вхождение: ") + QString::number(s.matches);
        if (o.numbersLine)
            log << QStringLiteral("Номера строк: ") + s.numbers;
        if (o.foundLines != FoundLines::None) {
            QString entry;
            for (const QString &l : s.found)
                entry += l + QStringLiteral("\r\n");
            log << entry;
        }
    }
    log << kSeparator;
    return hit;
}

TextSearchResult Parser(const TableModel &table, const QString &typed, const TextSearchOptions &o,
                        QStringList &log, OperationContext *ops)
{
    TextSearchResult r;
    log.clear();
    log << QStringLiteral("Поиск по тексту, строка \"") + typed + QLatin1Char('"')
               + (o.caseSensitive ? QStringLiteral(" <!с учетом регистра>") : QString())
               + QStringLiteral(" Дата поиска: ") + dateTimeText(now()) + QStringLiteral("\r\n");
    const TextNeedle needle(typed, o.caseSensitive);
    for (int i = 0; i < table.size(); ++i) {
        const TableRow &row = table.at(i);
        if (!row.selected)
            continue;
        ++r.selected;
        // Folders and empty files have nothing to read.
        if (row.cells[ColByte] == QLatin1String("0"))
            continue;
        if (ops)
            ops->pump();
        if (WriteLog(log, o, needle, row.cells[ColSize], row.entry.path))
            r.found << i;
    }
    log << QStringLiteral("Результат: ") + QString::number(r.found.size()) + QStringLiteral(" из ")
               + QString::number(r.selected);
    return r;
}

int applyNotFound(TableModel &table, const QList<int> &found, bool remove)
{
    const QSet<int> hit(found.begin(), found.end());
    QList<int> others;
    for (int i = table.size() - 1; i >= 0; --i)
        if (table.isSelected(i) && !hit.contains(i))
            others << i;
    SuppressGuard guard(&table);
    if (remove) {
        table.removeRows(others);
    } else {
        SelectionBatch batch(&table);
        for (int i : others)
            table.setSelected(i, false);
    }
    return int(others.size());
}

} // namespace vt
