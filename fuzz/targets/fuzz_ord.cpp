// Options/ord2: the 255 category names, loaded and saved again.
#include "base/limits.h"
#include "fuzzhome.h"
#include "lists/core/ordstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    const QString path = fuzz::put(QStringLiteral("Options/ord2"), data, size);
    QStringList names;
    if (vt::loadOrdNames(path, &names) != vt::OrdLoad::Ok)
        return 0;
    if (names.size() != vt::kOrdCount)
        fuzz::fail("not 255 names");
    if (!vt::saveOrdNames(path, names))
        fuzz::fail("names read could not be saved");
    QStringList again;
    if (vt::loadOrdNames(path, &again) != vt::OrdLoad::Ok || again != names)
        fuzz::fail("names changed on their way back");
    return 0;
}
