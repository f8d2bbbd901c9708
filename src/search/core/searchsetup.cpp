#include "search/core/searchsetup.h"

namespace vt {

int modeFor(const SearchParams &p)
{
    if (p.extMode)
        return ModeFiles;
    if (p.filesState == 2)
        return ModeFiles;
    if (p.filesState == 1)
        return ModeFilesAndFolders;
    return ModeAllFolders;
}

WalkSettings walkSettingsFor(const SearchParams &p, const ValidSearch &v, int mode, bool unreadable)
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
    s.mode = mode;
    s.attrSet = fs::AttrAll;
    if (p.hideH)
        s.attrSet &= ~quint32(fs::AttrHidden);
    if (p.hideS)
        s.attrSet &= ~quint32(fs::AttrSystem);
    if (p.hideR)
        s.attrSet &= ~quint32(fs::AttrReadOnly);
    s.minStamp = v.minStamp;
    s.maxStamp = v.maxStamp;
    s.minKb = p.minKb;
    s.maxKb = p.maxKb;
    s.depth = (p.depth < 0 || p.depth > 200) ? 0 : p.depth;
    s.limit = p.limit;
    s.unreadable = unreadable;
    return s;
}

} // namespace vt
