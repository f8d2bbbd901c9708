#pragma once
// The per-entry tests of a search, built once from its parameters: attributes
// left out, kind, modification stamp and size. The folder walk and the
// row-append operation both use it, so a path added by hand passes exactly
// the tests a found one does.
#include "base/limits.h"
#include "platform/fileentry.h"

namespace vt {

struct EntryFilter {
    quint32 attrSet = fs::AttrAll;   // H, S and R remove their bits
    quint32 minStamp = 0, maxStamp = 0xFFFFFFFFu;
    qint64 minKb = 0, maxKb = kSizeKbMax;
    bool files = true, folders = true;

    bool hidesHidden() const { return !(attrSet & fs::AttrHidden); }
    bool hidesSystem() const { return !(attrSet & fs::AttrSystem); }
    bool testsAttrs() const { return attrSet != fs::AttrAll; }

    // Left out as a folder listing leaves out hidden and system entries.
    bool hiddenFromListing(quint32 attrs) const
    {
        return ((attrs & fs::AttrHidden) && hidesHidden())
            || ((attrs & fs::AttrSystem) && hidesSystem());
    }
    bool wantsKind(bool dir) const { return dir ? folders : files; }
    // Attributes, kind, stamp (compared unsigned) and, for files, size in whole KB.
    bool accepts(const fs::Entry &e) const
    {
        if (testsAttrs() && ((e.attrs & 0xFF) & ~attrSet))
            return false;
        const bool dir = e.isDir();
        if (!wantsKind(dir))
            return false;
        if (e.stamp < minStamp || e.stamp > maxStamp)
            return false;
        if (!dir) {
            const qint64 k = e.size / 1024;
            if (k < minKb || k > maxKb)
                return false;
        }
        return true;
    }
};

} // namespace vt
