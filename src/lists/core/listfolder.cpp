#include "lists/core/listfolder.h"

#include "base/appdirs.h"
#include "base/textutil.h"
#include "lists/core/vtlformat.h"
#include "platform/fileentry.h"

#include <QDir>
#include <algorithm>

namespace vt {

QString listsFolder() { return mkdirr(QStringLiteral("VtlVts")); }

QString cleanListName(const QString &typed)
{
    static const QString refused = QStringLiteral("\"*./:<>?\\|");
    QString out;
    for (QChar c : typed)
        if (!refused.contains(c))
            out += c;
    return out.trimmed();
}

QList<ListEntry> vtlEntries(const QString &folder)
{
    QList<ListEntry> out;
    const QDir dir(folder);
    for (const QFileInfo &fi : dir.entryInfoList({QStringLiteral("*.vtl")}, QDir::Files | QDir::Hidden)) {
        ListEntry e;
        e.name = fi.fileName().chopped(4);
        fs::Entry fe;
        fs::lookup(fi.filePath(), &fe);
        e.stamp = fe.stamp;
        e.text = e.name + QStringLiteral(" (*зап.: ") + QString::number(fi.size() / kVtlRecordSize)
               + QStringLiteral(", дата изм.: ") + dateTimeText(fs::modifiedTime(fe)) + QLatin1Char(')');
        out.append(e);
    }
    std::stable_sort(out.begin(), out.end(), [](const ListEntry &a, const ListEntry &b) {
        return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
    });
    return out;
}

QList<ListEntry> byDate(QList<ListEntry> entries)
{
    // As the ten-digit stamp prefix sorts: by stamp, then by text.
    std::stable_sort(entries.begin(), entries.end(), [](const ListEntry &a, const ListEntry &b) {
        return a.stamp != b.stamp ? a.stamp < b.stamp : a.text < b.text;
    });
    return entries;
}

QString entryName(const QString &text)
{
    const qsizetype at = text.indexOf(QStringLiteral(" (*"));
    return at < 0 ? text : text.left(at);
}

} // namespace vt
