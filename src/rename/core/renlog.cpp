#include "rename/core/renlog.h"

#include "base/currentlog.h"
#include "base/savelog.h"
#include "lists/core/listcontroller.h"

namespace vt {

CurrentLog &renLogBegin(const QString &header)
{
    CurrentLog &log = currentLog();
    log.beginOperation(LogKind::Rename);
    log.opLog() << header << QStringLiteral("-");
    log.append(header);
    return log;
}

void renLogEnd(const QString &summary, int ok, ListController *lists)
{
    CurrentLog &log = currentLog();
    if (ok > 0 && lists && lists->isOpen())
        lists->SetlabChanSpis(ChangedState::Changed);
    log.opLog() << QStringLiteral("___\r\n") << summary;
    log.append(summary + QStringLiteral("\r\n-"));
    if (ok > 0 && SaveLog(LogKind::Rename))
        log.opLog().last() += QStringLiteral(", лог сохранен");
}

} // namespace vt
