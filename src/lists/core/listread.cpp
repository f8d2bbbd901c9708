#include "lists/core/listread.h"

#include "base/operation.h"
#include "lists/core/vtlformat.h"
#include "lists/core/textlist.h"
#include "lists/core/vtsfile.h"
#include "platform/regularfile.h"
#include "table/core/rowappend.h"
#include "table/core/tablemodel.h"

namespace vt {

ListKind listKindOf(const QString &path)
{
    const QString ext = path.section(QLatin1Char('.'), -1).toUpper();
    if (!path.contains(QLatin1Char('.')))
        return ListKind::None;
    if (ext == QLatin1String("VTL"))
        return ListKind::Vtl;
    if (ext == QLatin1String("VTX") || ext == QLatin1String("M3U"))
        return ListKind::Vtx;
    if (ext == QLatin1String("VTS"))
        return ListKind::Vts;
    return ListKind::None;
}

QString listKindName(ListKind kind)
{
    switch (kind) {
    case ListKind::Vtl: return QStringLiteral("VTL");
    case ListKind::Vtx: return QStringLiteral("VTX / M3U");
    case ListKind::Vts: return QStringLiteral("VTS");
    default: return QString();
    }
}

ListRead readListRows(TableModel &table, const QString &path, QStringList &report,
                      OperationContext *ops)
{
    ListRead res;
    if (listKindOf(path) == ListKind::Vts) {
        const VtsRead v = readVtsRows(table, path, report, ops);
        if (v.ok) {
            res.kind = ListKind::Vts;
            res.errors = v.errors;
            res.stop = v.stop;
        }
        return res;
    }
    if (listKindOf(path) == ListKind::Vtx)
        return readTextListRows(table, path, report, ops);
    if (listKindOf(path) != ListKind::Vtl)
        return res;
    QByteArray bytes;
    if (!fs::readRegularFile(path, &bytes))
        return res;
    report << QStringLiteral("Ошибки чтения файла:") << path << QString();
    table.reserve(table.size() + int(qMin<qsizetype>(bytes.size() / kVtlRecordSize, kRowLimitMax)));
    AppendState st;
    for (const VtlRecord &r : vtlRecords(bytes)) {
        if (ops) {
            ops->pump();
            if (ops->stopRequested()) {
                res.stop = StopUser;
                break;
            }
        }
        if (r.path.isEmpty()) {
            report << QStringLiteral("<НЕТ ИМЕНИ>");
            ++res.errors;
            continue;
        }
        const AppendResult a = appendPath(table, st, r.path, r.ord, r.page);
        if (a == AppendResult::Stop) {
            res.stop = st.limitReached ? StopLimit : StopUser;
            break;
        }
        if (a == AppendResult::NotAdded) {
            QString line = r.path;
            if (r.ord != 0 || r.page != 0)
                line += QStringLiteral(" (ORD = %1, PAGE = %2)").arg(r.ord).arg(quint32(r.page));
            report << line;
            ++res.errors;
        }
    }
    if (res.errors == 0)
        report << QStringLiteral("<НЕТ ОШИБОК>");
    res.kind = ListKind::Vtl;
    return res;
}

} // namespace vt
