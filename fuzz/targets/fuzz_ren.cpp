// Options/ren: the nine presets, and any stored rule applied to names.
#include "base/limits.h"
#include "fuzzhome.h"
#include "rename/core/renapply.h"
#include "rename/core/renpresets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    vt::TRenRule rule = vt::TRenRule::fromBytes(bytes.left(vt::TRenRule::kSize));
    if (vt::TRenRule::fromBytes(rule.toBytes()) != rule)
        fuzz::fail("a rule changed on its way back");
    vt::renNormalize(rule);
    const QString tail = QString::fromUtf8(bytes.mid(vt::TRenRule::kSize));
    for (bool dirs : {false, true}) {
        QString name = tail.isEmpty() ? QStringLiteral("Отчёт 2026 (копия)") : tail;
        QString ext = dirs ? QString() : QStringLiteral("Txt");
        vt::RenJob job; // no folder: nothing on disk is touched
        job.number = rule.NumStart;
        vt::ren(rule, dirs, job, name, ext);
    }

    vt::RenPresets presets(fuzz::put(QStringLiteral("Options/ren"), data, size));
    presets.InitFileRules();
    QString text;
    presets.list(&text);
    for (int n = 1; n <= vt::RenPresets::kCount; ++n)
        presets.read(n);
    return 0;
}
