#include "lists/core/listread.h"

#include "base/limits.h"
#include "base/operation.h"
#include "lists/core/recordfile.h"
#include "lists/core/vtlformat.h"
#include "lists/core/textlist.h"
#include "lists/core/vtsfile.h"
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

void ReadErrors::add(const QString &line)
{
    if (m_count++ < kReportErrorLines)
        m_report << line;
}

void ReadErrors::finish()
{
    if (m_count == 0)
        m_report << QStringLiteral("<НЕТ ОШИБОК>");
    else if (m_count > kReportErrorLines)
        m_report << QStringLiteral("<ЕЩЕ ОШИБОК: %1>").arg(m_count - kReportErrorLines);
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
    RecordFile file(path, kVtlRecordSize);
    if (!file.ok())
        return res;
    report << QStringLiteral("Ошибки чтения файла:") << path << QString();
    table.reserve(table.size() + int(qMin<qint64>(file.records(), kRowLimitMax)));
    ReadErrors errors(report);
    AppendState st;
    int read = 0;
    while (const char *rec = file.next()) {
        if (ops) {
            ops->pump();
            if (ops->stopRequested()) {
                res.stop = StopUser;
                break;
            }
        }
        // No list holds more records than a table has rows.
        if (read++ == kRowLimitMax) {
            res.stop = StopLimit;
            break;
        }
        const VtlRecord r = vtlRecordAt(rec);
        if (r.path.isEmpty()) {
            errors.add(QStringLiteral("<НЕТ ИМЕНИ>"));
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
            errors.add(line);
        }
    }
    errors.finish();
    res.errors = errors.count();
    res.kind = ListKind::Vtl;
    return res;
}

} // namespace vt
