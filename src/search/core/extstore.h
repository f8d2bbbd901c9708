#pragma once
// The extension picker's data: its list of known extensions (Options/strext),
// the favourite sets (Options/strexts) and the rules for adding, choosing and
// accepting extensions.
#include <QString>
#include <QStringList>

namespace vt::ext {

constexpr int kMaxExts = 10;
constexpr int kMaxExtLength = 10;

QStringList loadList();                  // strext, sorted
bool saveList(const QStringList &list);
QStringList loadFavourites();            // strexts, stored order
bool saveFavourites(const QStringList &favs);

// Sort order of the lists and of the search extension list.
void sortExts(QStringList &exts);
// "DOC, JPG, TXT".
QString joinExts(const QStringList &exts);
// A favourite line or a typed result: split at commas, blanks dropped,
// empty parts skipped.
QStringList splitExts(const QString &line);
// 0-based position ignoring case, -1 when absent.
int indexOfExt(const QStringList &list, const QString &ext);

// A typed extension: trimmed, one leading dot removed, cut to 10, upper case.
QString normalizeTyped(const QString &typed);

struct AddOutcome {
    enum Kind { Added, Empty, BadChars, Duplicate } kind = Empty;
    QString ext;      // the normalized text
    int index = -1;   // position in the sorted list (added or already present)
    QString message;  // what the user is told, empty when nothing
};
// Adds a typed extension to the sorted list.
AddOutcome addTyped(QStringList &list, const QString &typed);

// Adds the chosen extensions, in their order, while the result holds fewer
// than 10; the result is sorted when anything was added. Returns how many.
int addChosen(QStringList &result, const QStringList &chosen);

// The favourite sets: the message when the line is already there, else empty.
QString favouriteDuplicateMessage(const QStringList &favs, const QString &line);

// The result as the search takes it when the window closes: upper case,
// sorted, without repeats; empty when it has more than 10 entries or a
// character no extension can hold.
QStringList acceptedResult(const QString &text);

} // namespace vt::ext
