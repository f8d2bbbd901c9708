// Options/vtl.ini: the settings read at start and the line-keeping edit.
#include "base/settings.h"
#include "base/limits.h"
#include "fuzzhome.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    fuzz::put(QStringLiteral("Options/vtl.ini"), data, size);
    vt::GetStartDir(vt::StartDir::LoadAll);

    // A plain value set into any file reads back, and the other keys stay.
    QString v = QStringLiteral("/home/user/A b.1");
    if (size)
        v += QString::number(data[size - 1]);
    const QString main = QStringLiteral("MAIN");
    bool clvBefore = false, clvAfter = false;
    const QString clv = vt::ini::value(file, main, QStringLiteral("CLV"), &clvBefore);
    const QByteArray edited = vt::ini::setValue(file, main, QStringLiteral("LCM"), v);
    if (vt::ini::value(edited, main, QStringLiteral("LCM")) != v)
        fuzz::fail("a value set does not read back");
    if (vt::ini::value(edited, main, QStringLiteral("CLV"), &clvAfter) != clv || clvAfter != clvBefore)
        fuzz::fail("setting one key changed another");
    return 0;
}
