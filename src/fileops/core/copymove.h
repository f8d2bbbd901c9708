#pragma once
// Copy and move of the selected files into one target folder: the four copy
// modes, the move, their questions, the progress, the per-file log lines, the
// summary and the saved log, the table rows of a move, and the overwrite
// pre-check. Without widgets: the window half gives the hooks that show its
// windows.
#include "base/batchrow.h"
#include "fileops/core/rewrite.h"
#include "platform/copyfile.h"

#include <QString>
#include <functional>
#include <optional>

namespace vt {

class ListController;
class OperationContext;
class TableModel;

// The file operations the loop uses; tests put failures in between. The
// destination is a name in a folder the loop holds open.
class FileEngine {
public:
    virtual ~FileEngine() = default;
    virtual fs::CopyOutcome copy(const QByteArray &from, const fs::DirHandle &dir, const QByteArray &name,
                                 const fs::CopyOptions &o)
    {
        return fs::copyFile(from, dir, name, o);
    }
    virtual fs::CopyOutcome move(const QByteArray &from, const fs::DirHandle &dir, const QByteArray &name,
                                 const fs::CopyOptions &o)
    {
        return fs::moveFile(from, dir, name, o);
    }
};

enum class Transfer { Copy, Move };

struct CopyMoveHooks {
    // Converts "Папка" to full paths (asked before a move of a relative table).
    std::function<void()> preobr;
    // The actions window is hidden while the loop runs.
    std::function<void()> hideWindow;
    // The review window (modal); nullopt when there is none: nothing is overwritten.
    std::function<std::optional<ReviewDecision>(const RewriteScan &)> review;
    // The list of missing sub-folders with its create button (mode 3).
    std::function<void(const QString &target, const QStringList &dirs)> showNewDirs;
};

struct CopyMoveResult {
    bool ran = false;         // the copy loop ran
    bool closeWindow = false; // the actions window closes
    int done = 0;
    int total = 0;
    QList<BatchRow> rows; // every selected file the loop reached, in table order
};

class CopyMover {
public:
    // The most files one copy or move takes.
    static constexpr int kMaxFiles = 1000;

    CopyMover(TableModel &table, OperationContext &ops, QString &lastTarget, CopyMoveHooks hooks = {});

    // The open list is marked changed after a move; may be null.
    void setLists(ListController *lists) { m_lists = lists; }
    // Null restores the platform engine.
    void setEngine(FileEngine *engine) { m_engine = engine ? engine : &m_platform; }
    // A dry run: the batch is planned and logged as it would go, but nothing
    // on disk changes (no file, no folder, no saved log, no recent target).
    void setDryRun(bool on) { m_dryRun = on; }

    // A move always goes as CopyMode::Prefix.
    CopyMoveResult CopyMove(Transfer transfer, CopyMode mode = CopyMode::Prefix);
    // The pre-check of the modes other than Prefix.
    RewriteCheck CheckRewrite(CopyMode mode, const QString &target);

private:
    TableModel &m_table;
    OperationContext &m_ops;
    QString &m_lastTarget;
    CopyMoveHooks m_hooks;
    ListController *m_lists = nullptr;
    FileEngine m_platform;
    FileEngine *m_engine = &m_platform;
    bool m_dryRun = false;
};

// A prefix "001-" ... "999-".
QString copyPrefix(int n);

} // namespace vt
