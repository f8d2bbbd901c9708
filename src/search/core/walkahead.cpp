#include "search/core/walkahead.h"

#include <algorithm>
#include <chrono>

#include <QDateTime>

namespace vt {

using fs::Hint;

namespace {

// Folders read ahead of the walk at most. Each keeps its descriptor until
// its sub-folders are opened, so this also bounds the open descriptors.
constexpr int kAhead = 256;
// The walking thread, once it had to wait, is woken for this many read
// folders at a time (or when no more come soon): one wake per folder costs
// more than the reading of a small one.
constexpr int kBatch = 32;
constexpr int kMaxWorkers = 8;
// A folder whose reading took longer than this (plus a little per entry)
// waited for the disk; when a quarter of the last scans did, one more worker
// joins, up to kMaxWorkers: a thread waiting for the disk leaves its core idle.
constexpr qint64 kSlowScanUs = 100;
constexpr qint64 kSlowScanUsPerEntry = 5;
constexpr int kScanWindow = 16;
// Buffers kept for reuse: how many, and up to what size (a huge folder's are freed).
constexpr size_t kSpare = 512;
constexpr size_t kSpareBatch = 32;
constexpr size_t kSpareItems = 4096;
// Folders a thread has yet to close for others, at most (each holds a descriptor).
constexpr size_t kSpentPerThread = 16;

// The index of a sub-folder as bytes whose order is the order of the
// numbers, so that a path of them compares as the walk goes; short for the
// usual small indexes.
void appendIndex(std::string &out, quint32 i)
{
    if (i < 0x80) {
        out += char(i);
    } else if (i < 0x4000) {
        out += char(0x80 | (i >> 8));
        out += char(i & 0xFF);
    } else {
        out += char(0xC0);
        for (int shift = 24; shift >= 0; shift -= 8)
            out += char((i >> shift) & 0xFF);
    }
}

// The pool's lock is held for a few steps at a time: trying a little longer
// is cheaper than the sleep and wake-up of a thread that waits for it.
void lockBriefly(std::unique_lock<std::mutex> &lock)
{
    for (int i = 0; i < 64; ++i) {
        if (lock.try_lock())
            return;
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    lock.lock();
}

bool anyMask(const std::vector<fs::Wildcard> &masks, std::string_view name)
{
    for (const fs::Wildcard &m : masks)
        if (m.matches(name))
            return true;
    return false;
}

void open(WalkNode &n)
{
    if (n.dir.isOpen())
        return; // the start folder, opened by the walk
    const std::shared_ptr<WalkNode> up = n.up.lock();
    if (!up)
        return; // the walk has ended
    n.dir = up->dir.openChild(n.nameIn(*up));
    // The last sibling to open closes the parent: the others are done with it.
    if (up->unopened.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        if (up->reader == n.reader) {
            up->dir = fs::Dir();
        } else {
            n.spentUp = std::move(up->dir);
            n.spentUpReader = up->reader;
        }
    }
    n.up.reset();
}

} // namespace

void ScanRules::boundTimes()
{
    earliest = std::numeric_limits<qint64>::min();
    latest = std::numeric_limits<qint64>::max();
    // Without a lower bound a time beyond the stamp's years (stamp 0)
    // passes, so nothing may be ruled out by its raw time.
    if (filter.minStamp == 0)
        return;
    // Zone offsets stay well under a day: two days of margin are plenty.
    constexpr qint64 kMargin = 2 * 86400;
    const auto civilSecs = [](quint32 stamp, qint64 &out) {
        const quint32 date = stamp >> 16, time = stamp & 0xFFFF;
        const QDate d(int(date >> 9) + 1980, int(date >> 5 & 15), int(date & 31));
        const QTime t(int(time >> 11), int(time >> 5 & 63), int(time & 31) * 2);
        if (!d.isValid() || !t.isValid())
            return false;
        out = QDateTime(d, t, Qt::UTC).toSecsSinceEpoch();
        return true;
    };
    qint64 secs = 0;
    if (civilSecs(filter.minStamp, secs))
        earliest = secs - kMargin;
    if (civilSecs(filter.maxStamp, secs))
        latest = secs + kMargin;
}

bool scanFolder(WalkNode &n, int reader, const ScanRules &r, const std::function<bool()> &goOn)
{
    n.reader = reader;
    open(n);
    if (!n.dir.isOpen() || !n.dir.read(n.listing)) {
        n.dir = fs::Dir();
        return true; // unreadable folders simply yield nothing
    }
    n.readable = true;
    const fs::Dir &dir = n.dir;
    const EntryFilter &flt = r.filter;
    const bool hideH = flt.hidesHidden(), hideS = flt.hidesSystem(), attrTest = flt.testsAttrs();
    const size_t count = n.listing.items.size();
    if (n.items.size() < count)
        n.items.resize(count); // recycled buffers keep their items, whose fields are all set below
    for (size_t i = 0; i < count; ++i) {
        if (i % 32 == 0 && !goOn()) {
            n.readable = false;
            n.dir = fs::Dir();
            return false;
        }
        const fs::DirItem &it = n.listing.items[i];
        const Hint hint = it.hint;
        const std::string_view name = n.listing.name(it);
        ScannedItem &s = n.items[i];
        s.kind = hint;
        s.statOk = s.hasEntries = false;
        if ((hideH && it.hidden) || (hideS && it.system) || !anyMask(r.masks, name))
            continue;
        // Looked up unless the listing's kind already rules the entry out;
        // links and unknown kinds are looked up for the system test.
        const bool kindOut = (hint == Hint::Dir && !flt.folders) || (hint == Hint::File && !flt.files);
        if (kindOut && !attrTest && !(hideS && (hint == Hint::Link || hint == Hint::Unknown)))
            continue;
        s.statOk = dir.stat(name, s.entry, fs::Stamp::Skip);
        // Left 0 outside the raw bounds, which fails the stamp test there.
        if (s.statOk && s.entry.mtime >= r.earliest && s.entry.mtime <= r.latest)
            s.entry.stamp = fs::fatStampFromEpoch(s.entry.mtime);
        if (r.emptyFoldersOnly && s.statOk && s.entry.isDir() && flt.accepts(s.entry))
            s.hasEntries = dir.childHasEntries(name);
    }
    size_t subs = 0;
    if (n.level < r.depth) {
        for (size_t i = 0; i < count; ++i) {
            ScannedItem &s = n.items[i];
            const fs::DirItem &it = n.listing.items[i];
            if ((hideH && it.hidden) || (hideS && it.system))
                continue;
            const std::string_view name = n.listing.name(it);
            if (s.kind == Hint::Unknown)
                s.kind = dir.hint(name);
            if (s.kind == Hint::Dir) // linked folders are never entered
                ++subs;
        }
    }
    n.children.reserve(subs);
    for (size_t i = 0; subs > 0 && i < count; ++i) {
        const fs::DirItem &it = n.listing.items[i];
        if (n.items[i].kind != Hint::Dir || (hideH && it.hidden) || (hideS && it.system))
            continue;
        auto child = std::make_shared<WalkNode>();
        child->order.reserve(n.order.size() + 2);
        child->order = n.order;
        appendIndex(child->order, quint32(n.children.size()));
        child->level = n.level + 1;
        child->item = quint32(i);
        child->up = n.weak_from_this();
        n.children.push_back(std::move(child));
    }
    n.unopened.store(int(n.children.size()), std::memory_order_relaxed);
    if (n.children.empty())
        n.dir = fs::Dir();
    return true;
}

WalkAhead::WalkAhead(const ScanRules &rules, int workers) : m_rules(rules)
{
    m_spent.resize(kMaxWorkers + 1);
    for (int i = 0; i < workers; ++i)
        m_threads.emplace_back([this, i] { work(i + 1); });
}

WalkAhead::~WalkAhead()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancel = true;
        m_workCv.notify_all();
    }
    for (std::thread &t : m_threads)
        t.join();
}

int WalkAhead::defaultWorkers()
{
    return std::clamp(int(std::thread::hardware_concurrency()) - 1, 1, kMaxWorkers);
}

// Heap order: a is read after b when b comes first in the walk.
bool WalkAhead::later(const Siblings &a, const Siblings &b)
{
    return b.nodes[b.next]->order < a.nodes[a.next]->order; // std::string compares its bytes unsigned
}

void WalkAhead::publish(WalkNode &n)
{
    // A few wait for their reader; the rest are closed by the walk.
    if (n.spentUp.isOpen() && m_spent[size_t(n.spentUpReader)].size() < kSpentPerThread)
        m_spent[size_t(n.spentUpReader)].push_back(std::move(n.spentUp));
    if (n.ahead)
        ++m_doneAhead;
    if (!m_threads.empty() && !n.children.empty()) {
        m_heap.push_back(Siblings{n.children, 0});
        std::push_heap(m_heap.begin(), m_heap.end(), later);
        if (m_sleepers > 0) {
            m_sleepers = 0;
            m_workCv.notify_all();
        }
    }
    // Last: once it reads Done, the walking thread takes the node's
    // sub-folders out of it without the lock.
    n.state.store(WalkNode::Done, std::memory_order_release);
    if (m_awaited && m_awaited->state == WalkNode::Done
        && (m_doneAhead >= kBatch || m_heap.empty() || m_taken >= kAhead))
        m_readyCv.notify_one();
}

void WalkAhead::recycle(WalkNode &n)
{
    if (n.listing.items.capacity() > kSpareItems)
        return;
    Buffers b;
    b.names = std::move(n.listing.names);
    b.items = std::move(n.listing.items);
    b.scanned = std::move(n.items);
    b.children = std::move(n.children);
    b.children.clear();
    m_returned.push_back(std::move(b));
    if (m_returned.size() < kSpareBatch)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Buffers &r : m_returned)
        if (m_spare.size() < kSpare)
            m_spare.push_back(std::move(r));
    m_returned.clear();
}

void WalkAhead::equip(WalkNode &n)
{
    if (m_spare.empty())
        return;
    Buffers &b = m_spare.back();
    n.listing.names = std::move(b.names);
    n.listing.items = std::move(b.items);
    n.items = std::move(b.scanned);
    n.children = std::move(b.children);
    m_spare.pop_back();
}

std::shared_ptr<WalkNode> WalkAhead::take()
{
    // Folders the walking thread read itself stay in the heap until here.
    while (!m_heap.empty()) {
        const Siblings &top = m_heap.front();
        const size_t count = top.nodes.size();
        size_t k = top.next;
        while (k < count && top.nodes[k]->state != WalkNode::Pending)
            ++k;
        if (k == top.next)
            break;
        std::pop_heap(m_heap.begin(), m_heap.end(), later);
        if (k == count) {
            m_heap.pop_back();
        } else {
            // Sub-folders of those skipped may come first now.
            m_heap.back().next = k;
            std::push_heap(m_heap.begin(), m_heap.end(), later);
        }
    }
    if (m_heap.empty() || m_taken >= kAhead)
        return nullptr;
    // The next sibling stays on top: only sub-folders of the one taken, not
    // read yet, could come before it.
    Siblings &top = m_heap.front();
    std::shared_ptr<WalkNode> n = top.nodes[top.next];
    if (top.next + 1 < top.nodes.size()) {
        ++top.next;
    } else {
        std::pop_heap(m_heap.begin(), m_heap.end(), later);
        m_heap.pop_back();
    }
    n->state = WalkNode::Taken;
    n->ahead = true;
    ++m_taken;
    equip(*n);
    return n;
}

void WalkAhead::work(int slot)
{
    const std::function<bool()> goOn = [this] { return !m_cancel.load(std::memory_order_relaxed); };
    std::vector<fs::Dir> spent;
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_cancel) {
        const std::shared_ptr<WalkNode> n = take();
        spent.swap(m_spent[size_t(slot)]);
        if (!n && spent.empty()) {
            ++m_sleepers;
            m_workCv.wait(lock);
            continue;
        }
        lock.unlock();
        spent.clear(); // closed where they were read
        if (!n) {
            lockBriefly(lock);
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        scanFolder(*n, slot, m_rules, goOn);
        const qint64 us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
        lockBriefly(lock);
        publish(*n);
        noteScan(us > kSlowScanUs + kSlowScanUsPerEntry * qint64(n->listing.items.size()));
    }
}

void WalkAhead::noteScan(bool slow)
{
    ++m_scans;
    m_slowScans += slow ? 1 : 0;
    if (m_scans < kScanWindow)
        return;
    if (m_slowScans * 4 >= m_scans && int(m_threads.size()) < kMaxWorkers && !m_cancel)
        m_threads.emplace_back([this, slot = int(m_threads.size()) + 1] { work(slot); });
    m_scans = m_slowScans = 0;
}

void WalkAhead::handOver()
{
    --m_doneAhead;
    if (--m_taken <= kAhead / 2 && m_sleepers > 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_sleepers > 0 && !m_heap.empty()) {
            m_sleepers = 0;
            m_workCv.notify_all();
        }
    }
}

bool WalkAhead::ready(const std::shared_ptr<WalkNode> &np, const std::function<bool()> &goOn)
{
    WalkNode &n = *np;
    if (n.state.load(std::memory_order_acquire) == WalkNode::Done) {
        handOver(); // read ahead
        return true;
    }
    std::unique_lock<std::mutex> lock(m_mutex, std::defer_lock);
    lockBriefly(lock);
    if (n.state == WalkNode::Pending) {
        n.state = WalkNode::Taken;
        equip(n);
        std::vector<fs::Dir> spent;
        spent.swap(m_spent[0]);
        lock.unlock();
        spent.clear();
        const bool done = scanFolder(n, 0, m_rules, goOn);
        lockBriefly(lock);
        publish(n);
        return done;
    }
    auto since = std::chrono::steady_clock::now();
    while (n.state != WalkNode::Done) {
        // Rather than sleep, read what comes next.
        if (const std::shared_ptr<WalkNode> next = take()) {
            std::vector<fs::Dir> spent;
            spent.swap(m_spent[0]);
            lock.unlock();
            spent.clear();
            const bool done = scanFolder(*next, 0, m_rules, goOn);
            lockBriefly(lock);
            publish(*next);
            if (!done)
                return false;
            continue;
        }
        m_awaited = &n;
        const auto woke = m_readyCv.wait_until(lock, since + std::chrono::milliseconds(15));
        m_awaited = nullptr;
        if (n.state == WalkNode::Done)
            break;
        if (woke == std::cv_status::timeout) {
            lock.unlock();
            const bool go = goOn();
            lockBriefly(lock);
            if (!go)
                return false;
            since = std::chrono::steady_clock::now();
        }
    }
    lock.unlock();
    handOver();
    return true;
}

} // namespace vt
