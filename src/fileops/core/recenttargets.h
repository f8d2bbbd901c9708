#pragma once
// The recent target folders of copy and move, newest first, kept in
// Options/oldcm (one folder a line, cp1251, CR LF, at most 20).
#include <QString>
#include <QStringList>

namespace vt {

namespace RecentTargets {

constexpr int kMax = 20;

// Options/oldcm, empty when the Options folder cannot be had.
QString storePath();
// The first 20 lines of the store; empty when it is missing or unreadable.
QStringList LoadOldCM();
// After a copy or move into folder: put it first unless it already is (the
// file is then left untouched), drop its other entries, keep 20. Errors are
// ignored; a folder that cp1251 cannot hold is not stored at all.
void SaveOldCM(const QString &folder);

// "Проверить пути папок": the entries that still name folders and those
// that do not, each in order.
struct Check {
    QStringList kept;
    QStringList missing;
    // "Пути папок:" + "\r\n" + folder for each missing one.
    QString text() const;
};
Check checkFolders(const QStringList &entries);
// Writes the kept list as the whole store; false when it could not be written.
bool saveKept(const QStringList &kept);

} // namespace RecentTargets

} // namespace vt
