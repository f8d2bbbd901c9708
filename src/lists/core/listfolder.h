#pragma once
// The lists folder VtlVts/ and what the list chooser shows of it.
#include <QList>
#include <QString>

namespace vt {

// The lists folder with a trailing separator, made when missing; empty when
// it cannot be made.
QString listsFolder();

// A typed list name without the characters a name may not hold
// (" * . / : < > ? \ |), trimmed.
QString cleanListName(const QString &typed);

struct ListEntry {
    QString name;   // file name without ".vtl"
    QString text;   // "name (*зап.: N, дата изм.: date)"
    quint32 stamp = 0;
};
// The VTL lists of a folder in name order (case-insensitive).
QList<ListEntry> vtlEntries(const QString &folder);
// The same entries, oldest first.
QList<ListEntry> byDate(QList<ListEntry> entries);
// The list name of a chooser entry: its text before " (*".
QString entryName(const QString &text);

} // namespace vt
