#pragma once
// The fixed renames that need no rule: spaces to underscores, Cyrillic to
// Latin, an added extension; the check of a typed name; the folders whose
// contents are never renamed; the help texts.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vt {

// Cyrillic letters to Latin; afterwards every character above code 126 is a hyphen.
QString translit(const QString &s);

// Result codes of QuickName().
enum QuickCode : int {
    QuickLength = -1, // the new path would be 256 characters or longer
    QuickError = 0,   // empty name, no free suffix, or the rename failed
    QuickSame = 1,    // the name did not change
    QuickOk = 2
};

enum class QuickMode { Spaces = 0, Translit = 1, AddExt = 2 };

struct QuickJob {
    QString folder;          // with trailing separator
    QByteArray oldNative;    // exact bytes of the old path
    QString ext;             // the extension part with its dot; it is never changed
    QuickMode mode = QuickMode::Spaces;
    bool dirs = false;
    QStringList *opLog = nullptr; // gets "old >> new" after the rename
    bool test = false;       // a dry run: the free name is found, nothing is renamed
};

// Builds the new name from `name` (folders, and mode 2: the whole name; else
// the name without job.ext), renames on disk, never over an existing entry:
// a taken name gets "-001" .. "-999" before the extension part. On success
// `name` holds the new name.
int QuickName(const QuickJob &job, QString &name);

// The typed characters a new extension keeps: 0-9, A-Z, a-z.
QString cleanNewExt(const QString &typed);

// False (with its message, or silently for an empty name) when a typed name
// cannot be a file name.
bool ProvFileName(const QString &name);

// The folders whose contents are never renamed, in the order the message
// lists them.
const QStringList &forbiddenFolders();
// "Запрещено переименование в папках:" and the folders, one a line.
QString forbiddenMessage();
// True when folder (absolute) is one of `forbidden` or lies inside one; the
// root itself is refused, its sub-folders only by the other entries.
bool inForbiddenFolder(const QString &folder, const QStringList &forbidden);

QString dopRenHelpText();
QString dirRenHelpText();

} // namespace vt
