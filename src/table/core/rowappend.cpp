#include "table/core/rowappend.h"

#include "platform/fileentry.h"
#include "table/core/tablemodel.h"

namespace vt {

AppendResult appendPath(TableModel &table, AppendState &st, const QString &input, qint64 ord,
                        qint64 page)
{
    if (st.stopped)
        return AppendResult::Stop;
    QString path = input;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QByteArray native = fs::nativePath(path);
    fs::Entry e;
    if (!fs::lookupNative(native, &e))
        return AppendResult::NotAdded;
    // The caller's attribute set hides entries just as a folder listing would.
    if (st.filter.hiddenFromListing(e.attrs))
        return AppendResult::NotAdded;
    const TableCounters &c = table.counters();
    if (c.files + c.folders >= st.limit) {
        st.stopped = st.limitReached = true;
        return AppendResult::Stop;
    }
    // The kind is not a filter of this form: lists hold files and folders.
    EntryFilter f = st.filter;
    f.files = f.folders = true;
    if (!f.accepts(e))
        return AppendResult::NotAdded;
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString shortForm = st.shortForms.shortPath(table.startFolder() + folder + e.name);
    if (shortForm.isEmpty())
        return AppendResult::NotAdded;
    if (table.has83(shortForm))
        return AppendResult::Added;
    const int id = c.files + c.folders + 1;
    table.appendRow(makeRow(id, folder, rowEntry(native, e, shortForm, ord, page)));
    return AppendResult::Added;
}

} // namespace vt
