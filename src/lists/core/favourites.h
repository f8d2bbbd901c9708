#pragma once
// The favourite stores of Options/: folders ("open") and strings ("strshab"
// for search templates, "strparam" for program parameters). Each is read
// whole, defensively, and written whole through a temporary file.
#include <QString>
#include <QStringList>

namespace vt {

// Favourite folders, each with a final separator, in the order they were added.
class FavouriteFolders {
public:
    // Options/open, empty when Options/ cannot be made.
    static QString storePath();

    // Trimmed lines that name existing absolute folders; everything else is
    // dropped (and leaves the file at the next save). Missing or unreadable
    // file: an empty list.
    void load(const QString &path);
    // Whole list in stored order; false when it could not be written.
    bool save() const;

    const QStringList &stored() const { return m_list; }
    // What the box shows: by name ignoring case, or in stored order.
    QStringList shown(bool sorted) const;
    // 0-based place of folder in the shown order, -1 when absent (exact text).
    int shownIndex(const QString &folder, bool sorted) const;

    void add(const QString &folder);
    // Removes the entry equal to folder; true when there was one.
    bool remove(const QString &folder);

    bool changed() const { return m_changed; }

private:
    QString m_path;
    QStringList m_list;
    bool m_changed = false;
};

// A folder as the favourites hold it: the final separator added.
QString withFinalSeparator(const QString &folder);

enum class FavouriteKind { Template = 1, Parameter = 2 };

// Favourite strings, one a line.
class FavouriteStrings {
public:
    static constexpr int kTemplateMax = 40;

    // Options/strshab or Options/strparam.
    static QString storePath(FavouriteKind kind);

    void load(const QString &path);
    bool save() const;

    const QStringList &list() const { return m_list; }
    // Index of an entry equal to text ignoring case, -1 when absent.
    int find(const QString &text) const;
    // Appends text; false (nothing changes) when an equal entry exists.
    bool add(const QString &text);
    // Removes the entries at the given indices.
    void removeAt(QList<int> indices);

    bool changed() const { return m_changed; }

    // An entry as the result takes it: templates are cut to 40 characters.
    static QString asResult(const QString &entry, FavouriteKind kind);

private:
    QString m_path;
    QStringList m_list;
    bool m_changed = false;
};

} // namespace vt
