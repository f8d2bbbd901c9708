#include "lists/core/ordstore.h"

#include "base/appdirs.h"
#include "base/storefile.h"
#include "base/textutil.h"
#include "platform/regularfile.h"
#include "table/core/tablemodel.h"

#include <QFile>
#include <QFileInfo>

namespace vt {

QString ordStorePath()
{
    const QString opt = mkdirr(QStringLiteral("Options"));
    return opt.isEmpty() ? QString() : opt + QStringLiteral("ord2");
}

OrdLoad loadOrdNames(const QString &path, QStringList *names)
{
    QByteArray bytes;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        bytes = QByteArray(kOrdCount * kOrdRecordSize, '\0');
        if (!writeFileAtomic(path, bytes))
            return OrdLoad::Unreadable;
    } else if (readStore(path, &bytes) != StoreRead::Ok) {
        return OrdLoad::Unreadable; // a file too big to be ours is left as it is
    }
    if (bytes.size() != kOrdCount * kOrdRecordSize) {
        QFile::remove(path);
        return OrdLoad::WrongSize;
    }
    names->clear();
    for (int i = 0; i < kOrdCount; ++i) {
        const char *r = bytes.constData() + i * kOrdRecordSize;
        const int len = qMin(int(quint8(r[0])), kOrdNameMax);
        names->append(fromCp1251(QByteArray(r + 1, len)));
    }
    return OrdLoad::Ok;
}

bool saveOrdNames(const QString &path, const QStringList &names)
{
    QByteArray out(kOrdCount * kOrdRecordSize, '\0');
    for (int i = 0; i < kOrdCount && i < names.size(); ++i) {
        const QByteArray b = toCp1251(names[i].left(kOrdNameMax));
        char *r = out.data() + i * kOrdRecordSize;
        r[0] = char(quint8(b.size()));
        std::copy(b.begin(), b.end(), r + 1);
    }
    return writeFileAtomic(path, out);
}

QString ordEntryText(int number, const QString &name)
{
    return QString::asprintf("%3.0d) ", number) + name;
}

QString ordEntryName(const QString &entry) { return entry.mid(5); }

qint64 pageAnswer(const QString &typed)
{
    bool ok = false;
    const int v = typed.trimmed().toInt(&ok);
    return ok ? v : -1;
}

namespace {
template <class Get, class Set>
bool setColumn(TableModel &table, const QList<int> &rows, const QString &text, Get get, Set set)
{
    bool wrote = false;
    for (int row : rows) {
        if (row < 0 || row >= table.size())
            continue;
        if (rows.size() == 1 && table.at(row).cells[get] == text)
            continue;
        set(row);
        wrote = true;
    }
    return wrote;
}
} // namespace

bool setOrdColumn(TableModel &table, const QList<int> &rows, qint64 ord)
{
    return setColumn(table, rows, ordText(ord), ColOrd,
                     [&](int row) { table.setOrdPage(row, ord, table.at(row).entry.page); });
}

bool setPageColumn(TableModel &table, const QList<int> &rows, qint64 page)
{
    return setColumn(table, rows, ordText(page), ColPage,
                     [&](int row) { table.setOrdPage(row, table.at(row).entry.ord, page); });
}

std::optional<bool> ordColumnsShown(OrdPageMode mode, bool linksShown)
{
    switch (mode) {
    case OrdPageMode::Hide: return false;
    case OrdPageMode::Show: return true;
    case OrdPageMode::Keep: return std::nullopt;
    default: return linksShown;
    }
}

} // namespace vt
