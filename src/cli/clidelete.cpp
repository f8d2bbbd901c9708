// `--trash`, `--delete` and `--empty-folders [--trash|--delete]`: the
// deleting of the actions window and of Ctrl+D.
#include "cli/cliactions.h"

#include "base/currentlog.h"
#include "cli/clioutput.h"
#include "fileops/core/deletefiles.h"
#include "search/core/consoleui.h"
#include "search/core/headlessfind.h"
#include "table/core/tablemodel.h"

namespace vt {

namespace {

int deleteFiles(CliRun &r, bool permanent)
{
    if (r.rows.counters().selFiles < 1) {
        printErr(QStringLiteral("Не найдены файлы для удаления"));
        return 2;
    }
    FileDeleter d(r.rows, r.ops);
    d.setDryRun(r.test);
    r.confirm(true);
    const DeleteResult res = d.deleteSelected(permanent);
    if (!res.ran)
        return 2;
    printBatch(res.rows, currentLog().opLog(), r.test);
    return res.deleted == res.total ? 0 : 3;
}

} // namespace

int cliTrash(CliRun &r) { return deleteFiles(r, false); }

int cliDelete(CliRun &r) { return deleteFiles(r, true); }

int cliEmptyFolders(CliRun &r)
{
    const bool toTrash = r.isSet("trash"), permanent = r.isSet("delete");
    if (toTrash && permanent) {
        printErr(QStringLiteral("--empty-folders: --trash или --delete"));
        return 2;
    }
    const bool del = toTrash || permanent;
    FileDeleter d(r.rows, r.ops);
    d.setDryRun(r.test);
    r.confirm(del);
    // Without --trash or --delete the question's other button: select them.
    r.console.yesButton = del ? YesOk::Yes : YesOk::Ok;
    const DeleteResult res = d.deleteEmptyFolders(toTrash);
    if (!res.ran)
        return 2;
    printBatch(res.rows, del ? currentLog().opLog() : QStringList(), r.test && del);
    return res.deleted == res.total ? 0 : 3;
}

} // namespace vt
