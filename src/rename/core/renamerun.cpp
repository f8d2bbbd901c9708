#include "rename/core/renamerun.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "base/services.h"
#include "rename/core/renbatch.h"
#include "rename/core/renlog.h"

#include <optional>

namespace vt {

int RenameRun::run(QList<RenRow> &rows, const std::function<int(QStringList *log)> &batch) const
{
    int ok = 0;
    {
        std::optional<OperationContext::Scope> busy;
        if (ops)
            busy.emplace(*ops);
        CurrentLog *log = test ? nullptr : &renLogBegin(header);
        ok = batch(log ? &log->opLog() : nullptr);
    }
    // the main window shows its row number again once the busy state ends
    if (ops)
        feedback().countersChanged();
    const QString text = summary ? summary(ok) : QString();
    if (report)
        report(text);
    if (!test) {
        if (table)
            renUpdateTable(*table, rows);
        renLogEnd(text, ok, lists);
    }
    return ok;
}

} // namespace vt
