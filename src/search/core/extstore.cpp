#include "search/core/extstore.h"

#include "base/appdirs.h"
#include "base/textutil.h"

#include <algorithm>

namespace vt::ext {
namespace {

QString storePath(const char *name)
{
    if (!GetOptPath())
        return QString();
    return optPath() + QLatin1String(name);
}

QStringList readStore(const char *name)
{
    const QString path = storePath(name);
    if (path.isEmpty())
        return {};
    QStringList out;
    for (const QString &l : readCp1251Lines(path)) {
        const QString t = l.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

// A line cp1251 cannot hold would come back as question marks: it stays out.
bool writeStore(const char *name, const QStringList &lines)
{
    const QString path = storePath(name);
    QStringList kept;
    for (const QString &l : lines)
        if (fitsCp1251(l))
            kept << l;
    return !path.isEmpty() && writeCp1251Lines(path, kept);
}

bool hasCharOf(const QString &text, QStringView refused)
{
    for (QChar c : text)
        if (refused.contains(c))
            return true;
    return false;
}

} // namespace

QStringList loadList()
{
    QStringList l = readStore("strext");
    sortExts(l);
    return l;
}

bool saveList(const QStringList &list) { return writeStore("strext", list); }
QStringList loadFavourites() { return readStore("strexts"); }
bool saveFavourites(const QStringList &favs) { return writeStore("strexts", favs); }

void sortExts(QStringList &exts)
{
    std::stable_sort(exts.begin(), exts.end(), [](const QString &a, const QString &b) {
        return cp1251Compare(upper(a), upper(b)) < 0;
    });
}

QString joinExts(const QStringList &exts) { return exts.join(QStringLiteral(", ")); }

QStringList splitExts(const QString &line)
{
    QStringList out;
    for (QString part : line.split(QLatin1Char(','))) {
        part.remove(QLatin1Char(' '));
        if (!part.isEmpty())
            out << part;
    }
    return out;
}

int indexOfExt(const QStringList &list, const QString &ext)
{
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).compare(ext, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString normalizeTyped(const QString &typed)
{
    QString t = typed.trimmed();
    if (t.startsWith(QLatin1Char('.')))
        t.remove(0, 1);
    return upper(t.left(kMaxExtLength));
}

AddOutcome addTyped(QStringList &list, const QString &typed)
{
    AddOutcome r;
    r.ext = normalizeTyped(typed);
    if (r.ext.isEmpty())
        return r;
    // The list is stored in cp1251; anything else would be saved as "?".
    if (hasCharOf(r.ext, u" \"*,./:<>?\\|") || !fitsCp1251(r.ext)) {
        r.kind = AddOutcome::BadChars;
        r.message = QStringLiteral("Ошибочные символы, строка: ") + r.ext;
        return r;
    }
    r.index = indexOfExt(list, r.ext);
    if (r.index >= 0) {
        r.kind = AddOutcome::Duplicate;
        r.message = QStringLiteral("Расширение ") + r.ext
                    + QStringLiteral(" имеется в списке под номером ")
                    + QString::number(r.index + 1);
        return r;
    }
    list << r.ext;
    sortExts(list);
    r.kind = AddOutcome::Added;
    r.index = list.indexOf(r.ext);
    return r;
}

int addChosen(QStringList &result, const QStringList &chosen)
{
    int added = 0;
    for (const QString &e : chosen) {
        if (result.size() >= kMaxExts)
            break;
        if (indexOfExt(result, e) < 0) {
            result << e;
            ++added;
        }
    }
    if (added)
        sortExts(result);
    return added;
}

QString favouriteDuplicateMessage(const QStringList &favs, const QString &line)
{
    const int i = favs.indexOf(line);
    if (i < 0)
        return QString();
    return QStringLiteral("Такой набор расширений имеется в избранных под номером ")
           + QString::number(i + 1);
}

QStringList acceptedResult(const QString &text)
{
    QStringList out;
    for (const QString &part : splitExts(text)) {
        if (part.size() > kMaxExtLength || hasCharOf(part, u"\"*./:<>?\\|"))
            return {};
        const QString e = upper(part);
        if (!out.contains(e))
            out << e;
    }
    if (out.size() > kMaxExts)
        return {};
    sortExts(out);
    return out;
}

} // namespace vt::ext
