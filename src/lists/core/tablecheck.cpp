#include "lists/core/tablecheck.h"

#include "base/operation.h"
#include "lists/core/vtlfile.h"
#include "platform/fileentry.h"
#include "platform/shortpath.h"
#include "table/core/tablemodel.h"

namespace vt {

CheckResult checkTable(TableModel &table, QStringList &report, OperationContext *ops)
{
    CheckResult res;
    fs::ShortPathCache shortForms;
    SelectionBatch batch(&table);
    for (int i = 0; i < table.size(); ++i) {
        if (ops)
            ops->pump();
        const TableRow &row = table.at(i);
        RowEntry e = row.entry;
        const QString text = e.displayPath();
        fs::Entry disk;
        const QString path = listPath(e);
        bool found = fs::lookupNative(e.path, &disk);
        const QString shortForm = found && !path.isNull() ? shortForms.shortPath(path) : QString();
        if (shortForm.isEmpty())
            found = false;
        bool problem = false;
        if (!found) {
            report << QStringLiteral("<Не найден файл/папка>");
            ++res.missing;
            problem = true;
            e.shortForm.clear();
        } else {
            if (disk.isDir() != e.isDir()) {
                report << QStringLiteral("<Исправлены ФАЙЛ <=> ПАПКА>");
                problem = res.recount = true;
                e.kind = disk.isDir() ? EntryKind::Folder : EntryKind::File;
                e.shortForm.clear();
            }
            const qint64 size = disk.isDir() ? 0 : disk.size;
            if (size != e.size) {
                report << QStringLiteral("<Исправлен размер>");
                problem = res.recount = true;
                e.size = size;
            }
            RowEntry fromDisk = e;
            fromDisk.mtime = disk.mtime;
            fromDisk.stamp = disk.stamp;
            if (makeRow(0, QString(), fromDisk).cells[ColModified] != row.cells[ColModified]) {
                report << QStringLiteral("<Исправлена дата изменения>");
                problem = true;
            }
            e.mtime = disk.mtime;
            e.stamp = disk.stamp;
            if (e.shortForm.isEmpty())
                e.shortForm = shortForm;
            if (problem)
                ++res.corrected;
        }
        table.updateEntry(i, e, row.cells[ColFolder]);
        table.setSelected(i, problem);
        if (problem)
            report << text << QStringLiteral("---");
    }
    return res;
}

} // namespace vt
