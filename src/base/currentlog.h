#pragma once
// The running text of this run (shown in the about window) and the record of
// the last action: the search summary, the operation log list and its kind.
#include <QObject>
#include <QString>
#include <QStringList>

namespace vt {

// Kinds of the last batch operation.
enum LastKind {
    kCopy = 1, kMove = 2, kTextSearch = 3, kRename = 4, kListOpen = 5, kListCheck = 6,
    kDeleteFolders = 7, kCreateFolders = 8, kDeleteFiles = 9, kColumnView = 10,
    kCommandLineView = 11, kSnapshotDiff = 12
};

class CurrentLog : public QObject {
    Q_OBJECT
public:
    explicit CurrentLog(QObject *parent = nullptr);

    // Starts the text anew with the banner and the start time.
    void start();
    // Lines joined with "\r\n".
    QString text() const { return m_text; }
    // Appends a block of one or more lines ("\r\n" between them).
    void append(const QString &block);

    // Summary of the last search or list read; empty until there was one.
    QString searchSummary() const { return m_summary; }
    void setSearchSummary(const QString &text);

    // Lines of the last batch operation and its kind.
    QStringList &opLog() { return m_opLog; }
    const QStringList &opLog() const { return m_opLog; }
    int lastKind() const { return m_kind; }
    void setLastKind(int kind) { m_kind = kind; }
    // Clears the operation log list and sets the kind of the new operation.
    void beginOperation(int kind);

signals:
    void appended(const QString &block);
    void restarted(const QString &text);
    void searchSummaryChanged(const QString &text);

private:
    QString m_text;
    QString m_summary;
    QStringList m_opLog;
    int m_kind = 0;
};

CurrentLog &currentLog();

// "<date-time> ": how an entry of the current log begins.
QString logStamp();
// "[копирование файлов]" ... for kinds 1 to 11, "[НЕТ]" otherwise.
QString lastKindTag(int kind);

} // namespace vt
