#include "cli/clioutput.h"

#include "base/textlines.h"
#include "base/textutil.h"
#include "search/core/headlessfind.h"

#include <QDir>

#include <cstdio>

namespace vt {

void printBatch(const QList<BatchRow> &rows, const QStringList &opLog, bool test)
{
    QByteArray out;
    for (const BatchRow &r : rows)
        out += plainRow({r.source, r.dest, r.result});
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    QStringList lines = opLog;
    if (test)
        lines << QStringLiteral("<Тест: ничего не изменено>");
    printLines(lines, true);
    std::fflush(stdout);
}

std::optional<QStringList> readLinesFile(const QString &file)
{
    const QString path = QDir(file).absolutePath();
    bool ok = false;
    const QByteArray bytes = readWholeFile(path, &ok);
    if (!ok) {
        printErr(QStringLiteral("Ошибка чтения файла:\r") + plainCell(path));
        return std::nullopt;
    }
    return decodeTextLines(bytes);
}

} // namespace vt
