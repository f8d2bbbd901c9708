#pragma once
// The folder walk of a search: the start folder's matches, then each
// sub-folder's matches followed by its own sub-folders (depth first, pre-order),
// down to the depth, up to the limit, until stopped. It visits entries; what
// becomes of a match (a table row, a file to search) is the visitor's affair.
// Folders are read ahead on worker threads (walkahead.h); the visits, the
// stop and the limit stay on the calling thread, in the same order whatever
// the number of workers.
#include "base/entryfilter.h"
#include "base/limits.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace vt {

class OperationContext;
class WalkAhead;
struct ScanRules;
struct WalkNode;

enum SearchMode { ModeEmptyFolders = -1, ModeAllFolders = 0, ModeFilesAndFolders = 1, ModeFiles = 2 };
enum StopFlag { StopNone = 0, StopLimit = 1, StopUser = 2 };

struct WalkSettings {
    QString start;                 // absolute, with a trailing separator
    QStringList masks{QStringLiteral("*")}; // one pass per mask over each folder, in order
    EntryFilter filter;
    bool emptyFoldersOnly = false;
    int depth = kDepthMax;         // 0..200
    int limit = kRowLimitMax;
    bool unreadable = false;       // list only names without a short form
    int workers = -1;              // threads reading folders ahead; -1 one per core but one (at least one), 0 none
};

// One match. The entry's name is its display text.
struct WalkItem {
    const fs::Entry &entry;
    const QByteArray &nativePath;  // the exact bytes of the full path
    const QString &folder;         // display text of its folder relative to the start, with a trailing separator
    const QString &shortForm;      // empty when a name on the path is not valid UTF-8
};

class FolderWalk {
public:
    // Returns false to end the walk.
    using Visitor = std::function<bool(const WalkItem &item)>;

    // ops (may be null): its stop request is read before every entry, and
    // it serves pending events while the walk goes on.
    FolderWalk(const WalkSettings &settings, Visitor visit, OperationContext *ops = nullptr);
    ~FolderWalk();

    // StopNone at the end of the tree, StopLimit when the limit was reached,
    // StopUser when stopped by the context or the visitor.
    StopFlag run();
    int files() const { return m_files; }
    int folders() const { return m_folders; }

private:
    int findInFolder(WalkNode &f);
    int enumerate(WalkNode &f, int maskIndex);
    void findAllFolder(WalkNode &f);
    bool ready(const std::shared_ptr<WalkNode> &n);
    void place(WalkNode &f);
    const QString &shortPrefix(WalkNode &f);
    bool stopped();

    WalkSettings m_s;
    Visitor m_visit;
    OperationContext *m_ops;
    std::unique_ptr<ScanRules> m_rules;
    std::unique_ptr<WalkAhead> m_ahead;
    StopFlag m_stop = StopNone;
    int m_files = 0, m_folders = 0;
};

} // namespace vt
