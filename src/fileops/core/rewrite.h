#pragma once
// The pre-check of the copies that may overwrite (modes 1 to 3): which
// selected files would land on an existing name, which sub-folders a backup
// needs, and what the user decided in the review. The review window only
// edits a ReviewDecision; applying it to the table is done here.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vt {

class TableModel;

// The variants of a copy: a prefix on a taken name, overwrite what the review
// allows, keep the replaced file as a backup, or only check the folders.
enum class CopyMode { Prefix = 0, Overwrite = 1, Backup = 2, CheckFolders = 3 };

// One selected file whose destination exists.
struct Collision {
    int row = -1;           // result-table row
    QString destRel;        // relative name of the destination
    quint32 destStamp = 0;  // packed stamps, compared unsigned
    qint64 destSize = 0;
    QDateTime destTime;
    QString source;         // source path as text
    quint32 srcStamp = 0;
    qint64 srcSize = 0;
    QDateTime srcTime;

    bool newer() const { return destStamp < srcStamp; }
    bool bigger() const { return destSize < srcSize; }
    bool equalEqual() const { return destStamp == srcStamp && destSize == srcSize; }
    // "НОВЕЕ]", "равно]", "старее]" and "БОЛЬШЕ]", "равно]", "меньше]": the
    // source against the file it would replace.
    QString dateTag() const;
    QString sizeTag() const;
    // The review's columns: caption, "Дата" and "Размер".
    QString caption() const;
    QString dateCell() const;
    QString sizeCell() const;
};

struct RewriteScan {
    CopyMode mode = CopyMode::Overwrite;
    QString target;             // with a trailing separator
    int total = 0;              // selected file rows, existing or not
    QList<Collision> collisions;
    QStringList others;         // sources whose destination does not exist
    QStringList newDirs;        // modes 2 and 3: missing sub-folders, parents first
    int newer = 0, newerBigger = 0, bigger = 0, equalEqual = 0;
    bool duplicateNames = false; // mode 1: two selected names equal ignoring case
};

// Walks the selected file rows of the table.
RewriteScan scanRewrite(const TableModel &table, CopyMode mode, const QString &target);

// Every leading part of each folder ("a/" and "a/b/" of "a/b/") that is not
// an existing folder under target, without duplicates, parents first.
QStringList GetNewDirs(const QStringList &folders, const QString &target);

// Creates base + each entry, one level each, in order. Silent: failures are
// ignored. Interactive: each entry becomes base + entry + " <существует>",
// " <создана>" or " <ошибка>" and the totals are told with inf.
void MkResDirr(bool silent, const QString &base, QStringList &entries);

// What the user did in the review window.
struct ReviewDecision {
    bool applied = false;   // "Применить"; false for "Отмена" and Escape
    QList<bool> ticks;      // per collision, in scan order
    QList<int> removed;     // collisions taken out as equal/equal (their rows deselected)
};

// The review's starting ticks: the rows whose source is newer.
ReviewDecision initialDecision(const RewriteScan &scan);

enum class ReviewChoice { Newer, NewerBigger, Bigger, All, Nothing };
// Ticks for one of the radio choices, over the collisions still listed.
QList<bool> ticksFor(const RewriteScan &scan, const ReviewDecision &d, ReviewChoice c);

// The result handed to the copy.
struct RewriteCheck {
    bool go = false;
    bool cancelAll = false;  // the review left no file to copy
    QString note;            // "\r\n<Отмена копирования: n>" or empty
    QSet<int> overwrite;     // table rows the user allowed to replace their destination
};

// Applies a decision: removed and unticked rows are deselected in the table;
// the ticked ones may overwrite.
RewriteCheck applyDecision(TableModel &table, const RewriteScan &scan, const ReviewDecision &d);

} // namespace vt
