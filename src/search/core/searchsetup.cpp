#include "search/core/searchsetup.h"

namespace vt {

SearchMode modeFor(const SearchParams &p)
{
    if (p.extMode)
        return ModeFiles;
    if (p.filesState == 2)
        return ModeFiles;
    if (p.filesState == 1)
        return ModeFilesAndFolders;
    return ModeAllFolders;
}

EntryFilter entryFilterFor(const SearchParams &p, const ValidSearch &v, SearchMode mode)
{
    EntryFilter f;
    if (p.hideH)
        f.attrSet &= ~quint32(fs::AttrHidden);
    if (p.hideS)
        f.attrSet &= ~quint32(fs::AttrSystem);
    if (p.hideR)
        f.attrSet &= ~quint32(fs::AttrReadOnly);
    f.minStamp = v.minStamp;
    f.maxStamp = v.maxStamp;
    f.minKb = p.minKb;
    f.maxKb = p.maxKb;
    f.files = mode >= ModeFilesAndFolders;
    f.folders = mode != ModeFiles;
    return f;
}

WalkSettings walkSettingsFor(const SearchParams &p, const ValidSearch &v, SearchMode mode, bool unreadable)
{
    WalkSettings s;
    s.start = v.folder;
    if (p.extMode) {
        s.masks.clear();
        for (const QString &e : p.exts)
            s.masks << v.mask + QLatin1Char('.') + e;
    } else {
        s.masks = {v.mask};
    }
    s.filter = entryFilterFor(p, v, mode);
    s.emptyFoldersOnly = mode == ModeEmptyFolders;
    s.depth = clampDepth(p.depth);
    s.limit = p.limit;
    s.unreadable = unreadable;
    return s;
}

} // namespace vt
