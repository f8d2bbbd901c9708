#pragma once
// The reading half of the folder walk: each folder is read (names, the data
// of every entry a match may need, its sub-folders) on a small pool of
// worker threads, nearest to the walk's own order first and a bounded
// distance ahead of it. The thread that walks takes the folders in its order
// and does everything else itself, so the rows, the stop and the limit stay
// what a walk on one thread gives.
#include "base/entryfilter.h"
#include "platform/dirreader.h"
#include "platform/shortpath.h"
#include "platform/wildcard.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vt {

// What decides which entries are looked at: as the walk tests them.
struct ScanRules {
    std::vector<fs::Wildcard> masks;
    EntryFilter filter;
    bool emptyFoldersOnly = false;
    int depth = kDepthMax;
    // Raw modification times outside these cannot pass the filter's stamp
    // test in any time zone, so their local time is never worked out.
    qint64 earliest = std::numeric_limits<qint64>::min();
    qint64 latest = std::numeric_limits<qint64>::max();
    void boundTimes(); // sets the two from the filter's stamps
};

struct ScannedItem {
    fs::Entry entry;                 // when statOk
    fs::Hint kind = fs::Hint::Unknown; // the listing's hint, resolved where a sub-folder may hide behind Unknown
    bool statOk = false;             // looked up, and it was there
    bool hasEntries = false;         // an accepted folder that holds anything (empty-folder search)
};

// One folder of the walk.
struct WalkNode : std::enable_shared_from_this<WalkNode> {
    enum State { Pending, Taken, Done };

    // Set by the parent's scan.
    std::string order;               // the walk's order: compared as bytes, a folder before its sub-folders
    int level = 0;                   // 0 for the start folder
    std::weak_ptr<WalkNode> up;      // the parent, until this folder is opened (its name is in up's listing)
    quint32 item = 0;                // this folder's item in up's listing

    // Set by the scan.
    int reader = 0;                  // the thread that read it: 0 the walking one, 1.. the workers
    fs::Dir dir;                     // open until its sub-folders are
    // The parent, when this was the last of its sub-folders to be opened and
    // another thread read it: that thread closes it, so the kernel frees its
    // reading state where it was made (a close on another core costs more).
    fs::Dir spentUp;
    int spentUpReader = 0;
    std::atomic<int> unopened{0};    // sub-folders not opened yet
    bool readable = false;
    fs::Listing listing;
    std::vector<ScannedItem> items;  // one per listing item
    std::vector<std::shared_ptr<WalkNode>> children; // its sub-folders to walk, in listing order

    std::atomic<int> state{Pending}; // changed under the pool's lock
    bool ahead = false;              // read before the walk asked for it

    // The walking thread's own, the texts made when first needed.
    WalkNode *parent = nullptr;
    bool placed = false;             // sub and nativeDir are made
    QString sub;                     // relative folder with a trailing separator
    QByteArray nativeDir;            // full native folder path with a trailing separator
    QString shortPrefix;             // short form of start + sub; null when there is none
    bool shortKnown = false;
    std::unique_ptr<fs::FolderNames> names;

    std::string_view nameIn(const WalkNode &up) const { return up.listing.name(up.listing.items[item]); }
    fs::FolderNames &folderNames()
    {
        if (!names)
            names = std::make_unique<fs::FolderNames>(listing, nativeDir);
        return *names;
    }
};

// Reads one folder into its node on thread `reader`. goOn() is asked before
// the first entry and every 32nd; when it says no, the node is left
// unreadable (yields nothing) and false returned.
bool scanFolder(WalkNode &n, int reader, const ScanRules &rules, const std::function<bool()> &goOn);

class WalkAhead {
public:
    // workers: threads that read ahead; 0 reads every folder on the walking thread.
    WalkAhead(const ScanRules &rules, int workers);
    ~WalkAhead(); // cancels the reading and joins the workers
    WalkAhead(const WalkAhead &) = delete;
    WalkAhead &operator=(const WalkAhead &) = delete;

    // One per core besides the walking thread, which reads too (at least
    // one), to start with; more join while the folders come from the disk.
    static int defaultWorkers();

    // The walk is done with a node and its sub-folders: its buffers serve
    // folders read later (one allocation less for each of them).
    void recycle(WalkNode &n);

    // Makes the node ready to visit: read here when no worker has taken it;
    // else, while a worker reads it, the folders next in turn are read here
    // or, when there are none, it is waited for. goOn() is asked as
    // scanFolder asks it and every 15 ms of waiting; when it says no, so does
    // this.
    bool ready(const std::shared_ptr<WalkNode> &n, const std::function<bool()> &goOn);

private:
    struct Buffers {
        std::vector<char> names;
        std::vector<fs::DirItem> items;
        std::vector<ScannedItem> scanned;
        std::vector<std::shared_ptr<WalkNode>> children;
    };
    void work(int slot);
    void equip(WalkNode &n); // under the lock
    std::shared_ptr<WalkNode> take(); // under the lock; null when nothing may be taken
    void publish(WalkNode &n);        // under the lock
    void handOver();
    void noteScan(bool slow); // under the lock: a worker's scan, and whether it waited for the disk
    // The sub-folders of one folder, in the walk's order, waiting to be read
    // from `next` on: siblings are taken one after another, so the heap
    // holds a group per folder rather than an entry per sub-folder.
    struct Siblings {
        std::vector<std::shared_ptr<WalkNode>> nodes;
        size_t next = 0;
    };
    static bool later(const Siblings &a, const Siblings &b);

    const ScanRules &m_rules;
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::condition_variable m_workCv, m_readyCv;
    std::vector<Siblings> m_heap; // pending folders, the walk's first on top
    std::atomic<int> m_taken{0};     // folders read ahead (or being read) and not yet handed over
    std::atomic<int> m_doneAhead{0}; // of those, the ones read
    std::atomic<int> m_sleepers{0};  // workers waiting for work or room
    const WalkNode *m_awaited = nullptr; // the folder the walking thread waits for
    std::vector<Buffers> m_spare;    // under the lock
    std::vector<Buffers> m_returned; // the walking thread's, handed to m_spare in batches
    std::vector<std::vector<fs::Dir>> m_spent; // under the lock: per thread, the folders it read and is to close
    int m_scans = 0, m_slowScans = 0; // under the lock, since the last check
    std::vector<std::thread> m_threads; // grows under the lock while the walk waits for the disk
};

} // namespace vt
