#include "lists/core/favourites.h"

#include "base/appdirs.h"
#include "base/textutil.h"
#include "platform/fileentry.h"

#include <QDir>
#include <algorithm>

namespace vt {

QString withFinalSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString FavouriteFolders::storePath()
{
    const QString opt = optPath();
    return opt.isEmpty() ? QString() : opt + QStringLiteral("open");
}

void FavouriteFolders::load(const QString &path)
{
    m_path = path;
    m_list.clear();
    m_changed = false;
    if (path.isEmpty())
        return;
    for (const QString &raw : readCp1251Lines(path)) {
        const QString f = withFinalSeparator(raw.trimmed());
        // A relative line would name a folder of whatever the working folder is.
        if (f.isEmpty() || !QDir::isAbsolutePath(f) || !fs::isDir(f) || m_list.contains(f))
            continue;
        m_list << f;
    }
}

bool FavouriteFolders::save() const
{
    return !m_path.isEmpty() && writeCp1251Lines(m_path, m_list);
}

QStringList FavouriteFolders::shown(bool sorted) const
{
    QStringList l = m_list;
    if (sorted)
        std::stable_sort(l.begin(), l.end(), [](const QString &a, const QString &b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    return l;
}

int FavouriteFolders::shownIndex(const QString &folder, bool sorted) const
{
    return int(shown(sorted).indexOf(folder));
}

void FavouriteFolders::add(const QString &folder)
{
    m_list << folder;
    m_changed = true;
}

bool FavouriteFolders::remove(const QString &folder)
{
    if (!m_list.removeOne(folder))
        return false;
    m_changed = true;
    return true;
}

QString FavouriteStrings::storePath(FavouriteKind kind)
{
    const QString opt = optPath();
    if (opt.isEmpty())
        return QString();
    return opt + (kind == FavouriteKind::Template ? QStringLiteral("strshab") : QStringLiteral("strparam"));
}

void FavouriteStrings::load(const QString &path)
{
    m_path = path;
    m_changed = false;
    m_list = path.isEmpty() ? QStringList() : readCp1251Lines(path);
}

bool FavouriteStrings::save() const
{
    return !m_path.isEmpty() && writeCp1251Lines(m_path, m_list);
}

int FavouriteStrings::find(const QString &text) const
{
    for (int i = 0; i < m_list.size(); ++i)
        if (m_list[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool FavouriteStrings::add(const QString &text)
{
    if (find(text) >= 0)
        return false;
    m_list << text;
    m_changed = true;
    return true;
}

void FavouriteStrings::removeAt(QList<int> indices)
{
    std::sort(indices.begin(), indices.end(), std::greater<int>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int i : indices)
        if (i >= 0 && i < m_list.size()) {
            m_list.removeAt(i);
            m_changed = true;
        }
}

QString FavouriteStrings::asResult(const QString &entry, FavouriteKind kind)
{
    return kind == FavouriteKind::Template ? entry.left(kTemplateMax) : entry;
}

} // namespace vt
