#pragma once
// Applying a rename rule to one name: the steps that build the new name, the
// cleaning of names and extensions, and the rename of one row's file.
#include "rename/core/renrule.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vt {

// Result codes of ren().
enum RenCode : int {
    RenOk = 0,        // renamed (without a folder: the name would change)
    RenCaseOnly = -1, // renamed, only the letter case changed
    RenLength = 1,    // new name, extension or path too long or empty
    RenExists = 2,    // something with the new name exists
    RenError = 3,     // empty source, a file without extension, or the rename failed
    RenSame = 4       // the name did not change
};

// The result column text of a code; test runs carry the prefix "ТЕСТ: ".
QString renResultText(int code, bool test);

struct RenJob {
    int number = 0;          // the running number
    QString folder;          // with trailing separator; empty: nothing on disk is touched
    // The exact bytes of the old path when the caller has them (names that are
    // not valid UTF-8); else the old path is encoded from folder and name.
    QByteArray oldNative;
    QString newExt;          // ExtMode 3: the new extension
    QString ext1Upper;       // ExtMode 3: the upper-cased extension to replace
    QStringList *opLog = nullptr; // gets "old >> new" after a rename on disk
};

// Applies `rule` to name and ext (updated in place, whatever the result);
// dirs: folder flavour, no extension.
int ren(const TRenRule &rule, bool dirs, const RenJob &job, QString &name, QString &ext);

// The steps of ren(), each on the bare name.
QString NumStr(const TRenRule &rule, int n);
QString ObrName(const TRenRule &rule, QString name);
QString ZamName(const TRenRule &rule, const QString &name);
QString RegName(const TRenRule &rule, const QString &name);
QString ReverseStr(const QString &s);
QString CutLeadDotsSpaces(const QString &s);

// What provv cleans: a new name, the extension to replace, a new extension.
enum class CleanPart { NewName = 0, OldExt = 1, NewExt = 2 };
QString provv(CleanPart part, const QString &text);

// Renames one file or folder (native bytes), never over an existing entry.
// A target that is the same file under another spelling (a case-only rename
// where the file system folds case) goes through a temporary name in the
// same folder.
// A rename made is reported to the batch's journal (JournalRecorder).
enum class RenameEntryResult { Ok, Exists, Failed };
RenameEntryResult renameEntry(const QByteArray &from, const QByteArray &to);
// The two-step rename through a free temporary name beside `from`; on a
// failed second step the entry goes back to its old name.
RenameEntryResult renameViaTemp(const QByteArray &from, const QByteArray &to);

} // namespace vt
