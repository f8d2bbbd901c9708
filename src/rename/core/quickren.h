#pragma once
// The quick renames on the selected rows of the result table: the batches
// (spaces, transliteration, added or removed extensions, for files and for
// folders), the check every folder rename passes first, and the rename of one
// file by a typed name. Questions go through ui(); the log viewer comes in as
// a hook.
#include "base/batchrow.h"
#include "rename/core/quickname.h"

#include <QList>
#include <QString>
#include <functional>

namespace vt {

class ListController;
class OperationContext;
class TableModel;

// The refusal text of the folder check, empty when folder renames may go on:
// 1..1000 folders selected, one "Папка" for the whole table, that folder on
// disk and outside the forbidden folders.
QString dirPreCheckText(const TableModel &table, int selectedFolders);

// The extension typed last for "Добавить расширение", kept for the run.
QString &lastNewExt();

enum class RenameTarget { SelectedRow = 0, GivenFile = 1 };

class QuickRen {
public:
    // pause: the short wait after the extension-removal warning.
    QuickRen(TableModel &table, OperationContext &ops, ListController *lists, std::function<void()> pause = {});

    // AddExt: files only.
    void DopRen(QuickMode mode, bool dirs, const QString &title);
    // Every selected file loses its extension.
    void removeExtensions();
    // A dry run: the new names are found and logged, nothing is renamed and
    // no log saved.
    void setDryRun(bool on) { m_dryRun = on; }
    // The rows the last batch reached: old path, new name, result.
    const QList<BatchRow> &rows() const { return m_rows; }

    // The folder check with its message; true when the rename may go on.
    bool folderPreCheck();
    // Asks spaces or transliteration, then renames the selected folders.
    void renameFolderNames();
    static void showFolderRenameHelp();
    static void showQuickRenameHelp();

    // One file by a typed name: the one selected row, or the file at `path`
    // (or at *native, its exact bytes, when given), whose every row moves
    // along. True on success, and `path` (and *native) is then the new path.
    bool QRename(RenameTarget target, QString &path, QByteArray *native = nullptr);

private:
    bool confirmFiles(QuickMode mode, int count);
    void finish(int ok, int found);

    TableModel &m_table;
    OperationContext &m_ops;
    ListController *m_lists;
    std::function<void()> m_pause;
    bool m_dryRun = false;
    QList<BatchRow> m_rows;
};

} // namespace vt
