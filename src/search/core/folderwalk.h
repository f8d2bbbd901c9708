#pragma once
// The folder walk of a search: the start folder's matches, then each
// sub-folder's matches followed by its own sub-folders (depth first, pre-order),
// down to the depth, up to the limit, until stopped.
#include "platform/fileentry.h"
#include "table/core/tablerow.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace vt {

enum SearchMode { ModeEmptyFolders = -1, ModeAllFolders = 0, ModeFilesAndFolders = 1, ModeFiles = 2 };
enum StopFlag { StopNone = 0, StopLimit = 1, StopUser = 2 };

struct WalkSettings {
    QString start;                 // absolute, with a trailing separator
    QStringList masks{QStringLiteral("*")}; // one pass per mask over each folder, in order
    int mode = ModeFilesAndFolders;
    quint32 attrSet = fs::AttrAll; // H, S and R remove their bits
    quint32 minStamp = 0, maxStamp = 0xFFFFFFFFu;
    qint64 minKb = 0, maxKb = 1073741824;
    int depth = 200;
    int limit = 9999;
    bool unreadable = false;       // list only names without a short form
};

class FolderWalk {
public:
    using RowSink = std::function<void(TableRow &&row, const fs::Entry &entry)>;

    // stopFlag is shared with whoever may stop the walk; yield is called
    // every few milliseconds of work so that the window stays alive.
    FolderWalk(const WalkSettings &settings, int &stopFlag, RowSink sink,
               std::function<void()> yield = {});
    ~FolderWalk();

    void run();
    int files() const { return m_files; }
    int folders() const { return m_folders; }

private:
    struct Frame;
    int findInFolder(Frame &f);
    int enumerate(Frame &f, int maskIndex);
    void findAllFolder(Frame &f, int level);
    const QString &shortPrefix(Frame &f);
    void maybeYield();

    WalkSettings m_s;
    int &m_stop;
    RowSink m_sink;
    std::function<void()> m_yield;
    struct State;
    std::unique_ptr<State> m_state;
    int m_files = 0, m_folders = 0;
    unsigned m_tick = 0;
    qint64 m_lastYield = 0;
};

} // namespace vt
