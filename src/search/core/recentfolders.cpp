#include "search/core/recentfolders.h"

#include "base/appdirs.h"
#include "base/textutil.h"
#include "platform/fileentry.h"

namespace vt {

QString RecentFolders::storePath() const
{
    const QString opt = optPath();
    return opt.isEmpty() ? QString() : opt + QStringLiteral("oldfd");
}

quint32 RecentFolders::InitOldFDCheck() const
{
    fs::Entry e;
    const QString p = storePath();
    if (p.isEmpty() || !fs::lookup(p, &e))
        return 0;
    return e.stamp;
}

void RecentFolders::InitOldFDir()
{
    m_list.clear();
    const QString p = storePath();
    if (p.isEmpty())
        return;
    bool ok = false;
    QStringList lines = readCp1251Lines(p, &ok);
    m_stamp = InitOldFDCheck();
    if (!ok)
        return;
    bool dropped = false;
    for (const QString &raw : lines.mid(0, kKept)) {
        const QString l = raw.trimmed();
        if (!l.isEmpty() && fs::isDir(l))
            m_list << l;
        else
            dropped = true;
    }
    if (dropped || lines.size() > kKept)
        save();
}

void RecentFolders::save()
{
    const QString p = storePath();
    if (p.isEmpty())
        return;
    writeCp1251Lines(p, m_list);
    m_stamp = InitOldFDCheck();
}

bool RecentFolders::ProvAndAddFDir(const QString &folder)
{
    bool changed = false;
    if (InitOldFDCheck() != m_stamp) {
        InitOldFDir();
        changed = true;
    }
    if (!m_list.isEmpty() && m_list.first().compare(folder, Qt::CaseInsensitive) == 0)
        return changed;
    for (int i = m_list.size() - 1; i >= 0; --i)
        if (m_list[i].compare(folder, Qt::CaseInsensitive) == 0)
            m_list.removeAt(i);
    m_list.prepend(folder);
    while (m_list.size() > kKept)
        m_list.removeLast();
    save();
    return true;
}

RecentFolders::Pick RecentFolders::pick(int n, QString *folder) const
{
    if (n < 0 || n >= m_list.size())
        return Pick::Refused;
    QString p = m_list[n];
    if (p.contains(QLatin1String("/../")) || p.endsWith(QLatin1String("/..")))
        return Pick::Refused;
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    *folder = p;
    return fs::isDir(p) ? Pick::Chosen : Pick::Missing;
}

} // namespace vt
