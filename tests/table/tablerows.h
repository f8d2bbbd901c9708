#pragma once
// Rows for table tests, built cell by cell as the search would build them.
#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/fileentry.h"
#include "shortform.h"
#include "testfiles.h"
#include "table/core/tablemodel.h"

#include <QFile>
#include <QTest>

#include <QString>

namespace vt::test {

// A row as the search makes it; its path is folder + name (relative when
// the folder is).
inline TableRow entryRow(int id, const QString &folder, const QString &name, bool dir, qint64 size,
                         const QString &modified, const QString &short83)
{
    RowEntry e;
    e.path = fs::nativePath(folder + name);
    e.kind = dir ? EntryKind::Folder : EntryKind::File;
    e.size = dir ? 0 : size;
    e.attrs = dir ? quint32(fs::AttrDirectory) : 0;
    const QDateTime t = parseDateTimeText(modified);
    e.mtime = t.toSecsSinceEpoch();
    e.stamp = fs::fatStamp(t);
    e.shortForm = short83.isEmpty() ? (QStringLiteral("/T/") + folder + name).toUpper() : short83;
    TableRow r = makeRow(id, folder, std::move(e));
    r.cells[ColModified] = modified;
    return r;
}

inline TableRow fileRow(int id, const QString &folder, const QString &name, qint64 size,
                        const QString &modified = QStringLiteral("01.02.2024 10:00:00"),
                        const QString &short83 = QString())
{
    return entryRow(id, folder, name, false, size, modified, short83);
}

inline TableRow dirRow(int id, const QString &folder, const QString &name,
                       const QString &modified = QStringLiteral("01.02.2024 10:00:00"),
                       const QString &short83 = QString())
{
    return entryRow(id, folder, name, true, 0, modified, short83);
}

// Appends what is at a native path as the search would (a name that is not
// UTF-8 keeps its bytes and has no short form).
inline void appendNativeRow(TableModel &t, const QByteArray &path)
{
    fs::Entry e;
    QVERIFY(fs::lookupNative(path, &e));
    const QByteArray folder = path.left(path.lastIndexOf('/') + 1);
    const QString shortForm = fs::validUtf8(std::string_view(path.constData(), size_t(path.size())))
                                ? QString::fromUtf8(path).toUpper()
                                : QString();
    t.appendRow(makeRow(t.size() + 1, fs::displayName(std::string_view(folder.constData(), size_t(folder.size()))),
                        rowEntry(path, e, shortForm)));
}

// Selected rows of files on the disk as a search makes them: start + each
// relative path, "Папка" relative to start (set as the table's start
// folder); with an empty start the paths are full ones.
inline void diskRows(TableModel &t, const QString &start, const QStringList &paths)
{
    t.setStartFolder(start);
    for (const QString &rel : paths) {
        fs::Entry e;
        QVERIFY(fs::lookup(start + rel, &e));
        const int slash = rel.lastIndexOf(QLatin1Char('/'));
        TableRow r = makeRow(t.size() + 1, rel.left(slash + 1),
                             rowEntry(fs::nativePath(start + rel), e,
                                      kWindows ? shortForm(start + rel) : upper(start + rel)));
        r.selected = true;
        t.appendRow(std::move(r));
    }
}

// Column texts of all rows, top to bottom.
inline QStringList column(const TableModel &m, int col)
{
    QStringList out;
    for (const TableRow &r : m.rows())
        out << r.cells[size_t(col)];
    return out;
}

inline QStringList ids(const TableModel &m) { return column(m, ColID); }

} // namespace vt::test
