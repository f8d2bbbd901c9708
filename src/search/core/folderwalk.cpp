#include "search/core/folderwalk.h"

#include "base/textutil.h"
#include "platform/dirreader.h"
#include "platform/shortpath.h"
#include "platform/wildcard.h"

#include <QElapsedTimer>
#include <memory>
#include <vector>

namespace vt {

using fs::Hint;

struct FolderWalk::State {
    std::vector<fs::Wildcard> masks; // one pass over each folder per mask
    QElapsedTimer clock;             // paces the event processing
};

struct FolderWalk::Frame {
    std::unique_ptr<fs::Dir> dir;
    fs::Listing listing;
    std::unique_ptr<fs::FolderNames> names;
    Frame *parent = nullptr;
    std::string nameInParent;
    QString sub;            // relative folder with a trailing separator
    QString shortPrefix;    // short form of start + sub; null when there is none
    bool shortKnown = false;

    fs::FolderNames &folderNames()
    {
        if (!names)
            names = std::make_unique<fs::FolderNames>(listing);
        return *names;
    }
};

FolderWalk::FolderWalk(const WalkSettings &settings, int &stopFlag, RowSink sink,
                       std::function<void()> yield)
    : m_s(settings), m_stop(stopFlag), m_sink(std::move(sink)), m_yield(std::move(yield)),
      m_state(std::make_unique<State>())
{
    for (const QString &m : m_s.masks)
        m_state->masks.emplace_back(m);
    if (m_s.depth < 0 || m_s.depth > 200)
        m_s.depth = 0;
}

FolderWalk::~FolderWalk() = default;

void FolderWalk::maybeYield()
{
    // Pending events are served every ~15 ms of work, not per entry.
    if (!m_yield || (++m_tick & 31) != 0)
        return;
    const qint64 t = m_state->clock.elapsed();
    if (t - m_lastYield >= 15) {
        m_yield();
        m_lastYield = m_state->clock.elapsed();
    }
}

void FolderWalk::run()
{
    m_state->clock.start();
    m_lastYield = 0;
    Frame root;
    root.dir = fs::Dir::open(fs::nativePath(m_s.start));
    if (!root.dir || !root.dir->read(root.listing))
        return;
    if (findInFolder(root) != 0 && m_s.depth > 0)
        findAllFolder(root, 0);
}

const QString &FolderWalk::shortPrefix(Frame &f)
{
    if (!f.shortKnown) {
        f.shortKnown = true;
        if (!f.parent) {
            f.shortPrefix = fs::shortPath(m_s.start);
        } else {
            const QString &up = shortPrefix(*f.parent);
            if (!up.isNull()) {
                const QString part = f.parent->folderNames().shortName(f.nameInParent);
                if (!part.isNull())
                    f.shortPrefix = up + part + QLatin1Char('/');
            }
        }
    }
    return f.shortPrefix;
}

int FolderWalk::findInFolder(Frame &f)
{
    int r = 1;
    for (int i = 0; i < int(m_state->masks.size()); ++i) {
        r = enumerate(f, i);
        if (r == 0)
            return 0;
    }
    return r;
}

int FolderWalk::enumerate(Frame &f, int maskIndex)
{
    if (m_stop != StopNone)
        return 0;
    const fs::Wildcard &mask = m_state->masks[size_t(maskIndex)];
    const bool hideH = !(m_s.attrSet & fs::AttrHidden);
    const bool hideS = !(m_s.attrSet & fs::AttrSystem);
    const bool attrTest = m_s.attrSet != fs::AttrAll;
    bool any = false;
    for (const fs::DirItem &it : f.listing.items) {
        const std::string_view name = f.listing.name(it);
        if (!mask.matches(name))
            continue;
        if (hideH && name[0] == '.')
            continue;
        fs::Entry e;
        bool haveStat = false;
        Hint hint = it.hint;
        if (hideS) {
            if (hint == Hint::Special)
                continue;
            if (hint == Hint::Link || hint == Hint::Unknown) {
                if (!f.dir->stat(name, e))
                    continue;
                haveStat = true;
                if (e.attrs & fs::AttrSystem)
                    continue;
            }
        }
        any = true;
        maybeYield();
        if (m_stop != StopNone)
            return 0;
        if (m_files + m_folders >= m_s.limit) {
            m_stop = StopLimit;
            return 0;
        }
        // The kind is known from the listing for plain files and folders,
        // which saves a stat of every entry of the wrong kind.
        const bool wantFiles = m_s.mode >= ModeFilesAndFolders;
        const bool wantDirs = m_s.mode != ModeFiles;
        if (!haveStat && !attrTest) {
            if (hint == Hint::Dir && !wantDirs)
                continue;
            if (hint == Hint::File && !wantFiles)
                continue;
        }
        if (!haveStat && !f.dir->stat(name, e))
            continue; // vanished meanwhile
        if (attrTest && ((e.attrs & 0xFF) & ~m_s.attrSet))
            continue;
        const bool isDir = e.isDir();
        if ((isDir && !wantDirs) || (!isDir && !wantFiles))
            continue;
        if (e.stamp < m_s.minStamp || e.stamp > m_s.maxStamp)
            continue;
        if (m_s.mode == ModeEmptyFolders && f.dir->childHasEntries(name))
            continue;
        if (!isDir) {
            const qint64 k = e.size / 1024;
            if (k < m_s.minKb || k > m_s.maxKb)
                continue;
        }
        QString shortForm;
        const QString &prefix = shortPrefix(f);
        if (!prefix.isNull()) {
            const QString part = f.folderNames().shortName(name);
            if (!part.isNull())
                shortForm = prefix + part;
        }
        if (m_s.unreadable && !shortForm.isEmpty())
            continue;
        e.validName = fs::validUtf8(name);
        e.name = fs::displayName(name);
        if (isDir)
            ++m_folders;
        else
            ++m_files;
        m_sink(makeRow(m_files + m_folders, f.sub, e, shortForm), e);
    }
    return any ? 2 : 1;
}

void FolderWalk::findAllFolder(Frame &f, int level)
{
    const bool hideH = !(m_s.attrSet & fs::AttrHidden);
    for (const fs::DirItem &it : f.listing.items) {
        const std::string_view name = f.listing.name(it);
        maybeYield();
        if (hideH && name[0] == '.')
            continue;
        Hint hint = it.hint;
        if (hint == Hint::Unknown)
            hint = f.dir->hint(name);
        if (hint != Hint::Dir) // linked folders are never entered
            continue;
        if (level >= m_s.depth)
            return;
        if (m_stop != StopNone)
            return;
        Frame child;
        child.parent = &f;
        child.nameInParent.assign(name);
        child.sub = f.sub + fs::displayName(name) + QLatin1Char('/');
        child.dir = f.dir->openChild(name);
        if (!child.dir || !child.dir->read(child.listing))
            continue; // unreadable folders simply yield nothing
        if (findInFolder(child) == 0)
            return;
        findAllFolder(child, level + 1);
    }
}

} // namespace vt
