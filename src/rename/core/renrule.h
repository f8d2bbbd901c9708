#pragma once
// The rename rule: how a new file or folder name is built from an old one.
// One rule is current for the whole run; the presets store nine of them in
// the same 544-byte record.
#include <QByteArray>
#include <QString>

namespace vt {

// Limits of a new name.
constexpr int kMaxRenName = 80;
constexpr int kMaxRenExt = 10;
constexpr int kMaxRenPath = 255;

struct TRenRule {
    static constexpr int kSize = 544;

    QString Descr;      // up to 255 characters
    qint32 NumStep = 0; // 1..1000
    QString Pref1, Pref2, Postf1, Postf2; // up to 30 each
    quint8 NumPos = 0;  // 0 none, 1 at the start, 2 at the end
    qint32 NumStart = 0;
    quint8 NumWidth = 0; // 1..8
    qint32 NameMode = 0; // 0 remove, ±1 keep, ±2 trim, ±3 replace; > 0 applies CaseMode
    qint32 CaseMode = 0; // |1| keep, |2| lower, |3| upper; > 0 upper-cases the first character
    quint8 ObrFlags = 0; // bit 0 trim the start, bit 1 the end; 0 marks an empty record
    quint8 ObrIndBeg = 0, ObrCntBeg = 0, ObrIndEnd = 0, ObrCntEnd = 0;
    qint32 ZamMode = 0;  // |1| from the start, |2| from the end, |3| all; > 0 any case
    quint8 ZamNumPos = 0; // occurrence 1..3
    QString ZamFnd, ZamNew; // up to 50 each
    quint8 ExtMode = 0;  // 0 keep, 1 lower, 2 upper, 3 replace Ext1 by Ext2
    QString Ext1, Ext2;  // up to 10 each, no dot

    bool isEmpty() const { return ObrFlags == 0; }

    // The record as stored: exactly kSize bytes, strings cp1251 (a character
    // without a cp1251 code is stored as "?"), cut to their field.
    QByteArray toBytes() const;
    // Any kSize bytes give a record (a length byte beyond its field is cut to
    // the field); a wrong size gives the all-zero record.
    static TRenRule fromBytes(const QByteArray &bytes);

    bool operator==(const TRenRule &) const = default;
};

void InitRulesDef(TRenRule &r);
// Brings every field into the values the rule editor can show (ranges of its
// spin edits, known modes), as loading a record into the editor does.
void renNormalize(TRenRule &r);

// The current rule (all zero at start, never saved) and the folder-rename
// flag: on, the rule works on folders and nothing concerns an extension.
TRenRule &currentRule();
bool folderRename();
void setFolderRename(bool on);

} // namespace vt
