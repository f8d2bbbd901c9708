#include "search/core/rowappend.h"

#include "table/core/tablemodel.h"

namespace vt {

int appendPath(TableModel &table, AppendState &st, const QString &input, qint64 ord, qint64 page)
{
    if (st.stopFlag != StopNone)
        return AppendStop;
    QString path = input;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    fs::Entry e;
    if (!fs::lookup(path, &e))
        return AppendNotAdded;
    // The caller's attribute set hides entries just as a folder listing would.
    if (((e.attrs & fs::AttrHidden) && !(st.attrSet & fs::AttrHidden))
        || ((e.attrs & fs::AttrSystem) && !(st.attrSet & fs::AttrSystem)))
        return AppendNotAdded;
    const TableCounters &c = table.counters();
    if (c.files + c.folders >= st.limit) {
        st.stopFlag = StopLimit;
        return AppendStop;
    }
    if (st.attrSet != fs::AttrAll && ((e.attrs & 0xFF) & ~st.attrSet))
        return AppendNotAdded;
    if (e.stamp < st.minStamp || e.stamp > st.maxStamp)
        return AppendNotAdded;
    if (!e.isDir()) {
        const qint64 k = e.size / 1024;
        if (k < st.minKb || k > st.maxKb)
            return AppendNotAdded;
    }
    const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString shortForm = st.shortForms.shortPath(st.startFolder + folder + e.name);
    if (shortForm.isEmpty())
        return AppendNotAdded;
    if (table.has83(shortForm))
        return AppendAdded;
    const int id = c.files + c.folders + 1;
    table.appendRow(makeRow(id, folder, e, shortForm, ord, page));
    return AppendAdded;
}

} // namespace vt
