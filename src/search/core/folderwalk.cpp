#include "search/core/folderwalk.h"

#include "base/operation.h"
#include "search/core/walkahead.h"

namespace vt {

using fs::Hint;

FolderWalk::FolderWalk(const WalkSettings &settings, Visitor visit, OperationContext *ops)
    : m_s(settings), m_visit(std::move(visit)), m_ops(ops), m_rules(std::make_unique<ScanRules>())
{
    for (const QString &m : m_s.masks)
        m_rules->masks.emplace_back(m);
    m_rules->filter = m_s.filter;
    m_rules->emptyFoldersOnly = m_s.emptyFoldersOnly;
    m_rules->depth = m_s.depth;
    m_rules->boundTimes();
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
    auto root = std::make_shared<WalkNode>();
    root->placed = true;
    root->nativeDir = fs::nativePath(m_s.start);
    if (!root->nativeDir.endsWith('/'))
        root->nativeDir += '/';
    std::unique_ptr<fs::Dir> dir = fs::Dir::open(root->nativeDir);
    if (!dir)
        return m_stop;
    root->dir = std::move(*dir);
    m_ahead = std::make_unique<WalkAhead>(*m_rules, m_s.workers < 0 ? WalkAhead::defaultWorkers() : m_s.workers);
    if (ready(root) && root->readable && findInFolder(*root) != 0 && m_s.depth > 0)
        findAllFolder(*root);
    m_ahead.reset(); // what was read ahead and not visited is dropped here
    return m_stop;
}

bool FolderWalk::ready(const std::shared_ptr<WalkNode> &n)
{
    return m_ahead->ready(n, [this] {
        if (m_ops)
            m_ops->pumpDue();
        return !stopped();
    });
}

const QString &FolderWalk::shortPrefix(WalkNode &f)
{
    if (!f.shortKnown) {
        f.shortKnown = true;
        if (!f.parent) {
            f.shortPrefix = fs::shortPath(m_s.start);
        } else {
            const QString &up = shortPrefix(*f.parent);
            if (!up.isNull()) {
                place(*f.parent); // its names are looked up by its path on Windows
                const QString part = f.parent->folderNames().shortName(f.nameIn(*f.parent));
                if (!part.isNull())
                    f.shortPrefix = up + part + QLatin1Char('/');
            }
        }
    }
    return f.shortPrefix;
}

void FolderWalk::place(WalkNode &f)
{
    if (f.placed)
        return;
    f.placed = true;
    place(*f.parent);
    const std::string_view name = f.nameIn(*f.parent);
    f.sub = f.parent->sub + fs::displayName(name) + QLatin1Char('/');
    f.nativeDir = f.parent->nativeDir;
    f.nativeDir.append(name.data(), qsizetype(name.size()));
    f.nativeDir += '/';
}

int FolderWalk::findInFolder(WalkNode &f)
{
    int r = 1;
    for (int i = 0; i < int(m_rules->masks.size()); ++i) {
        r = enumerate(f, i);
        if (r == 0)
            return 0;
    }
    return r;
}

// The entries' data was read ahead (scanFolder looks up exactly the entries
// this may need); what is done with it stays here, in listing order.
int FolderWalk::enumerate(WalkNode &f, int maskIndex)
{
    if (stopped())
        return 0;
    const fs::Wildcard &mask = m_rules->masks[size_t(maskIndex)];
    const EntryFilter &flt = m_s.filter;
    const bool hideH = flt.hidesHidden();
    const bool hideS = flt.hidesSystem();
    const bool attrTest = flt.testsAttrs();
    bool any = false;
    for (size_t i = 0; i < f.listing.items.size(); ++i) {
        const fs::DirItem &it = f.listing.items[i];
        const std::string_view name = f.listing.name(it);
        if (!mask.matches(name))
            continue;
        if (hideH && it.hidden)
            continue;
        const ScannedItem &found = f.items[i];
        bool haveStat = false;
        const Hint hint = it.hint;
        if (hideS) {
            if (it.system)
                continue;
            if (hint == Hint::Link || hint == Hint::Unknown) {
                if (!found.statOk)
                    continue;
                haveStat = true;
                if (found.entry.attrs & fs::AttrSystem)
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
        if (!found.statOk)
            continue; // vanished meanwhile
        if (!flt.accepts(found.entry))
            continue;
        if (m_s.emptyFoldersOnly && found.hasEntries)
            continue;
        place(f); // before folderNames(), which keeps the folder's path
        QString shortForm;
        const QString &prefix = shortPrefix(f);
        if (!prefix.isNull()) {
            const QString part = f.folderNames().shortName(name);
            if (!part.isNull())
                shortForm = prefix + part;
        }
        if (m_s.unreadable && !shortForm.isEmpty())
            continue;
        fs::Entry e = found.entry;
        e.validName = fs::validUtf8(name);
        e.name = fs::displayName(name);
        if (e.isDir())
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

void FolderWalk::findAllFolder(WalkNode &f)
{
    const bool hideH = m_s.filter.hidesHidden(), hideS = m_s.filter.hidesSystem();
    size_t next = 0; // the next of f's children
    for (size_t i = 0; i < f.listing.items.size(); ++i) {
        const fs::DirItem &it = f.listing.items[i];
        if (m_ops)
            m_ops->pump();
        if ((hideH && it.hidden) || (hideS && it.system))
            continue;
        if (f.items[i].kind != Hint::Dir) // linked folders are never entered
            continue;
        if (f.level >= m_s.depth)
            return;
        if (stopped())
            return;
        std::shared_ptr<WalkNode> child = std::move(f.children[next++]);
        child->parent = &f;
        if (!ready(child))
            return;
        if (!child->readable)
            continue; // unreadable folders simply yield nothing
        if (findInFolder(*child) == 0)
            return;
        findAllFolder(*child);
        if (m_stop == StopNone)
            m_ahead->recycle(*child);
    }
}

} // namespace vt
