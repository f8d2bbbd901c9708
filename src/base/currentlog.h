#pragma once
// The running text of this run (shown in the about window) and the record of
// the last action: the search summary, the operation log list and its kind.
#include <QObject>
#include <QString>
#include <QStringList>

namespace vt {

// Kinds of the last batch operation.
enum class LogKind {
    None = 0, Copy = 1, Move = 2, TextSearch = 3, Rename = 4, ListOpen = 5, ListCheck = 6,
    DeleteFolders = 7, CreateFolders = 8, DeleteFiles = 9, ColumnView = 10,
    CommandLineView = 11, SnapshotDiff = 12
};

class CurrentLog : public QObject {
    Q_OBJECT
public:
    explicit CurrentLog(QObject *parent = nullptr);

    // Starts the text anew with the banner and the start time.
    void start();
    // As at the start of a run: the text started anew, no summary, no last operation.
    void reset();
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
    LogKind lastKind() const { return m_kind; }
    void setLastKind(LogKind kind) { m_kind = kind; }
    // Clears the operation log list and sets the kind of the new operation.
    void beginOperation(LogKind kind);

signals:
    void appended(const QString &block);
    void restarted(const QString &text);
    void searchSummaryChanged(const QString &text);

private:
    QString m_text;
    QString m_summary;
    QStringList m_opLog;
    LogKind m_kind = LogKind::None;
};

// The run's current log (RunState).
CurrentLog &currentLog();

// "<date-time> ": how an entry of the current log begins.
QString logStamp();
// "[копирование файлов]" ... for every kind, "[НЕТ]" for None.
QString lastKindTag(LogKind kind);

} // namespace vt
