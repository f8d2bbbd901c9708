#include "search/core/folderwalk.h"

#include "base/operation.h"
#include "platform/dirreader.h"
#include "platform/shortpath.h"
#include "platform/wildcard.h"

#include <memory>
#include <vector>

namespace vt {

using fs::Hint;

struct FolderWalk::State {
    std::vector<fs::Wildcard> masks; // one pass over each folder per mask
};

struct FolderWalk::Frame {
    std::unique_ptr<fs::Dir> dir;
    fs::Listing listing;
    std::unique_ptr<fs::FolderNames> names;
    Frame *parent = nullptr;
    std::string nameInParent;
    QString sub;            // relative folder with a trailing separator
    QByteArray nativeDir;   // full native folder path with a trailing separator
    QString shortPrefix;    // short form of start + sub; null when there is none
    bool shortKnown = false;

    fs::FolderNames &folderNames()
    {
        if (!names)
            names = std::make_unique<fs::FolderNames>(listing, nativeDir);
        return *names;
    }
};

FolderWalk::FolderWalk(const WalkSettings &settings, Visitor visit, OperationContext *ops)
    : m_s(settings), m_visit(std::move(visit)), m_ops(ops), m_state(std::make_unique<State>())
{
    for (const QString &m : m_s.masks)
        m_state->masks.emplace_back(m);
}

FolderWalk::~FolderWalk() = default;

bool FolderWalk::stopped()
{
    if (m_stop == StopNone && m_ops && m_ops->stopRequested())
        m_stop = StopUser;
    return m_stop != StopNone;
}

StopFlag FolderWalk::run()
{
    m_stop = StopNone;
    Frame root;
    root.nativeDir = fs::nativePath(m_s.start);
    if (!root.nativeDir.endsWith('/'))
        root.nativeDir += '/';
    root.dir = fs::Dir::open(root.nativeDir);
    if (!root.dir || !root.dir->read(root.listing))
        return m_stop;
    if (findInFolder(root) != 0 && m_s.depth > 0)
        findAllFolder(root, 0);
    return m_stop;
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
    if (stopped())
        return 0;
    const fs::Wildcard &mask = m_state->masks[size_t(maskIndex)];
    const EntryFilter &flt = m_s.filter;
    const bool hideH = flt.hidesHidden();
    const bool hideS = flt.hidesSystem();
    const bool attrTest = flt.testsAttrs();
    bool any = false;
    for (const fs::DirItem &it : f.listing.items) {
        const std::string_view name = f.listing.name(it);
        if (!mask.matches(name))
            continue;
        if (hideH && it.hidden)
            continue;
        fs::Entry e;
        bool haveStat = false;
        Hint hint = it.hint;
        if (hideS) {
            if (it.system)
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
        if (m_ops)
            m_ops->pump();
        if (stopped())
            return 0;
        if (m_files + m_folders >= m_s.limit) {
            m_stop = StopLimit;
            return 0;
        }
        // The kind is known from the listing for plain files and folders,
        // which saves a stat of every entry of the wrong kind.
        if (!haveStat && !attrTest) {
            if (hint == Hint::Dir && !flt.folders)
                continue;
            if (hint == Hint::File && !flt.files)
                continue;
        }
        if (!haveStat && !f.dir->stat(name, e))
            continue; // vanished meanwhile
        if (!flt.accepts(e))
            continue;
        const bool isDir = e.isDir();
        if (m_s.emptyFoldersOnly && f.dir->childHasEntries(name))
            continue;
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
        QByteArray native = f.nativeDir;
        native.append(name.data(), qsizetype(name.size()));
        if (!m_visit(WalkItem{e, native, f.sub, shortForm})) {
            m_stop = StopUser;
            return 0;
        }
    }
    return any ? 2 : 1;
}

void FolderWalk::findAllFolder(Frame &f, int level)
{
    const bool hideH = m_s.filter.hidesHidden();
    for (const fs::DirItem &it : f.listing.items) {
        const std::string_view name = f.listing.name(it);
        if (m_ops)
            m_ops->pump();
        if ((hideH && it.hidden) || (m_s.filter.hidesSystem() && it.system))
            continue;
        Hint hint = it.hint;
        if (hint == Hint::Unknown)
            hint = f.dir->hint(name);
        if (hint != Hint::Dir) // linked folders are never entered
            continue;
        if (level >= m_s.depth)
            return;
        if (stopped())
            return;
        Frame child;
        child.parent = &f;
        child.nameInParent.assign(name);
        child.sub = f.sub + fs::displayName(name) + QLatin1Char('/');
        child.nativeDir = f.nativeDir;
        child.nativeDir.append(name.data(), qsizetype(name.size()));
        child.nativeDir += '/';
        child.dir = f.dir->openChild(name);
        if (!child.dir || !child.dir->read(child.listing))
            continue; // unreadable folders simply yield nothing
        if (findInFolder(child) == 0)
            return;
        findAllFolder(child, level + 1);
    }
}

} // namespace vt
