#pragma once
// The open list and everything done with the program's lists from the main
// window: reading a list into the table, saving the table as a VTL list or
// its changes, adding rows to a list, and noticing when another program
// rewrote the open list. Without widgets; the main window (AppWindow) shows
// what the flows change.
#include "lists/core/listread.h"
#include "lists/core/vtlfile.h"

#include <QObject>
#include <functional>

namespace vt {

class AppWindow;
class CurrentLog;
class OperationContext;
class TableModel;

enum class ChangedState { Unchanged = 0, Changed = 1, ReadIncompletely = 2 };
enum class ChanAnswer { Nothing = 0, Answered = 1, Cancelled = 2 };

class ListController : public QObject {
    Q_OBJECT
public:
    // window: what the lists show in the main window (its report, list mode,
    // start-folder hint, snapshot look, save dialog); null without one.
    ListController(TableModel &table, OperationContext &ops, CurrentLog &log, AppWindow *window = nullptr,
                   QObject *parent = nullptr);

    // The open-list state.
    ListKind kind() const { return m_kind; }
    const QString &path() const { return m_path; }
    bool isOpen() const { return int(m_kind) > 0 && !m_path.isEmpty(); }
    ChangedState changedState() const { return m_changed; }
    bool changed() const { return m_changed != ChangedState::Unchanged; }
    bool warning() const { return m_warning; }
    quint32 stamp() const { return m_stamp; }
    // "\r\n\r\n>>Список был открыт НЕ ПОЛНОСТЬЮ!" after a partial read, else empty.
    QString incompleteNote() const;
    // "Открыт список VTL: name.vtl"; empty when no list is open.
    QString groupCaption() const;

    // Forgets the open list (search start, deleted or vanished file).
    void forget();
    void SetlabChanSpis(ChangedState state);
    // The open list file was renamed: the list goes on under its new path.
    void renamed(const QString &newPath);
    // The list file's change stamp (its packed write time), 0 when missing.
    quint32 GetFData() const;

    // Reads a list into the (already cleared) table; the kind read, None on failure.
    ListKind ReadSpis(const QString &path);
    // Empties the table, its start folder, the open list and the search
    // summary: what every read that replaces the rows does first.
    void clearForRead();
    // Clears the table and the open list and reads one list, with the
    // failure handling of a list that could not be read.
    bool openList(const QString &path);

    // Writes the rows (all or the selected) as a VTL list. changes: the open
    // list's own changes, else a new list (which does not become the open one).
    ListWrite SaveSpisVTL(bool selectedOnly, bool changes, bool showResult, const QString &path,
                          const QString &detail);
    // Saves the table as a new VTS snapshot (the mark and description given)
    // or, with changes, into the open one, keeping its mark, description and date.
    bool SaveVTS(bool changes, bool showResult, const QString &description = QString(), int mark = 0);
    // Reads a snapshot into the table without the disk; shownName names it in
    // the search summary. False when the file holds no usable snapshot.
    bool ReadVtS(const QString &path, const QString &shownName);
    // Adds the selected rows to an existing VTL list.
    VtlAppend AppSpis(const QString &path);

    bool provSpisOpen(bool needRows, bool beep, bool switchMode);
    ChanAnswer provChan(bool switchMode);
    bool SaveChanSpis(bool askRenumber);
    // Rewrites the open VTX/M3U list; relative: rows directly in the list's
    // folder are written as their name.
    bool SaveSpisVtx(bool askRenumber, bool relative);
    // The list group's buttons: save the open list's changes, read it again
    // (showFile: show it in the file manager instead), delete its file.
    void saveOpenList();
    void reopenOrShow(bool showFile);
    void deleteListFile();
    // On every activation of the application.
    void ProvFileCheck();

signals:
    // Kind, path, changed label or warning changed: the list group is shown anew.
    void stateChanged();

private:
    void updinf();
    // The VTX save dialog (or, without one, the plain question); sets m_vtxRelative.
    int VprVtx();

    TableModel &m_table;
    OperationContext &m_ops;
    CurrentLog &m_log;
    AppWindow *m_window;
    ListKind m_kind = ListKind::None;
    QString m_path;
    quint32 m_stamp = 0;
    ChangedState m_changed = ChangedState::Unchanged;
    bool m_warning = false;
    bool m_vtxRelative = false;
};

} // namespace vt
