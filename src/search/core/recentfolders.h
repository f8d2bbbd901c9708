#pragma once
// The recent start folders of searches, newest first, kept in Options/oldfd.
#include <QString>
#include <QStringList>

namespace vt {

class RecentFolders {
public:
    static constexpr int kKept = 30;
    static constexpr int kShown = 20;

    // Reads the store: the first 30 entries that are existing folders; the
    // file is rewritten when any was dropped. A read error gives an empty list.
    void InitOldFDir();
    // Change stamp of the store (its packed modification time, 0 when missing).
    quint32 InitOldFDCheck() const;
    // A search started from a new folder: put it first (reloading first when
    // another program changed the file). True when the list changed or was reloaded.
    bool ProvAndAddFDir(const QString &folder);

    const QStringList &list() const { return m_list; }

    enum class Pick { Chosen, Refused, Missing };
    // Menu item n: the folder to put into the folder field, or why not
    // (Refused beeps, Missing says "Не найдена папка:\r" + path).
    Pick pick(int n, QString *folder) const;

private:
    QString storePath() const;
    void save();
    QStringList m_list;
    quint32 m_stamp = 0;
};

} // namespace vt
