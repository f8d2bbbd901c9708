#include "lists/core/headlesslists.h"

#include "base/services.h"
#include "base/textutil.h"
#include "lists/core/csvlist.h"
#include "lists/core/listread.h"
#include "lists/core/textlist.h"
#include "lists/core/vtlfile.h"
#include "lists/core/vtsfile.h"
#include "search/core/headlessfind.h"
#include "search/core/searchreport.h"
#include "table/core/tablemodel.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace vt {
namespace {
bool isTxt(const QString &path) { return QFileInfo(path).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0; }

// A text list or report of every row with full paths.
int saveTextHeadless(const TableModel &rows, const QString &path)
{
    QList<int> all;
    for (int i = 0; i < rows.size(); ++i)
        all << i;
    const TextLines t = isTxt(path) ? txtNameLines(rows, all, QString(), QString(), false)
                                    : vtxLines(rows, path, false);
    if (!writeTextLines(path, t.lines)) {
        printErr(QStringLiteral("Ошибка записи списка:\r") + plainCell(path));
        return 2;
    }
    if (t.leftOut > 0) {
        printErr(QStringLiteral("Не записано строк: %1 (имя не в кодировке UTF-8)").arg(t.leftOut));
        return 3;
    }
    return 0;
}

} // namespace

int saveRowsHeadless(const TableModel &rows, const QString &file)
{
    const QString path = QDir(file).absolutePath();
    if (const char sep = csvSeparatorFor(path)) {
        QList<int> all;
        for (int i = 0; i < rows.size(); ++i)
            all << i;
        if (!writeFileAtomic(path, csvBytes(rows, all, sep))) {
            printErr(QStringLiteral("Ошибка записи списка:\r") + plainCell(path));
            return 2;
        }
        return 0;
    }
    const ListKind kind = listKindOf(path);
    if (kind == ListKind::Vtx || isTxt(path))
        return saveTextHeadless(rows, path);
    if (kind != ListKind::Vtl && kind != ListKind::Vts) {
        printErr(QStringLiteral("Сохранение поддерживается для списков VTL, VTS, VTX, M3U, TXT, CSV и TSV: ") + plainCell(path));
        return 2;
    }
    ListWrite w;
    if (kind == ListKind::Vts) {
        // A snapshot saved from the command line is marked by where its rows came from.
        VtsHeader h;
        h.mark = rows.startFolder().isEmpty() ? 5 : 4;
        h.created = vtsDay(clock().now().date());
        h.description = QFileInfo(path).completeBaseName().left(kVtsDescMax);
        w = writeVts(path, rows, h);
    } else {
        w = writeVtl(path, rows, false);
    }
    if (!w.ok) {
        printErr(QStringLiteral("Ошибка записи списка:\r") + plainCell(path));
        return 2;
    }
    if (w.leftOut > 0) {
        printErr(QStringLiteral("Не записано строк: %1 (путь длиннее 255 символов или с символами вне "
                                "кодировки 1251)").arg(w.leftOut));
        return 3;
    }
    return 0;
}

int readRowsHeadless(const QString &list, TableModel &table)
{
    const QString path = QDir(list).absolutePath();
    QStringList report;
    const ListRead r = isTxt(path) ? readTextListRows(table, path, report, nullptr, TextListForm::Txt)
                                   : readListRows(table, path, report, nullptr);
    if (r.kind == ListKind::None) {
        printErr(QStringLiteral("Ошибка чтения списка в таблицу. Имя файла:\r") + plainCell(path));
        return 2;
    }
    QByteArray out;
    for (const TableRow &row : table.rows())
        out += headlessRowLine(row);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    printLines(report);
    const TableCounters &c = table.counters();
    printOut(reportText(r.stop, true, r.errors, c.files, c.folders));
    std::fflush(stdout);
    return 0;
}

} // namespace vt
