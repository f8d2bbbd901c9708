// The small text stores of Options/: recent folders and targets, the
// favourites and the extension lists. The first byte picks the store.
#include "fileops/core/recenttargets.h"
#include "base/limits.h"
#include "fuzzhome.h"
#include "lists/core/favourites.h"
#include "search/core/extstore.h"
#include "search/core/recentfolders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    if (size == 0)
        return 0;
    const int pick = data[0] % 7;
    ++data;
    --size;
    switch (pick) {
    case 0: {
        fuzz::put(QStringLiteral("Options/oldfd"), data, size);
        vt::RecentFolders r;
        r.InitOldFDir();
        if (r.list().size() > vt::RecentFolders::kKept)
            fuzz::fail("more recent folders than kept");
        QString folder;
        for (int n = 0; n < r.list().size() + 2; ++n)
            r.pick(n, &folder);
        break;
    }
    case 1: {
        fuzz::put(QStringLiteral("Options/oldcm"), data, size);
        const QStringList l = vt::RecentTargets::LoadOldCM();
        if (l.size() > vt::RecentTargets::kMax)
            fuzz::fail("more recent targets than kept");
        vt::RecentTargets::checkFolders(l).text();
        break;
    }
    case 2: {
        vt::FavouriteFolders f;
        f.load(fuzz::put(QStringLiteral("Options/open"), data, size));
        f.shown(true);
        f.shown(false);
        break;
    }
    case 3:
    case 4: {
        vt::FavouriteStrings f;
        f.load(fuzz::put(QString::fromLatin1(pick == 3 ? "Options/strshab" : "Options/strparam"), data, size));
        for (const QString &e : f.list())
            vt::FavouriteStrings::asResult(e, pick == 3 ? vt::FavouriteKind::Template
                                                        : vt::FavouriteKind::Parameter);
        break;
    }
    case 5: {
        fuzz::put(QStringLiteral("Options/strext"), data, size);
        QStringList list = vt::ext::loadList();
        vt::ext::addTyped(list, QStringLiteral("txt"));
        break;
    }
    default: {
        fuzz::put(QStringLiteral("Options/strexts"), data, size);
        for (const QString &line : vt::ext::loadFavourites())
            vt::ext::acceptedResult(vt::ext::joinExts(vt::ext::splitExts(line)));
        break;
    }
    }
    return 0;
}
