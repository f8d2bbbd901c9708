// The saved operation logs: listed and read as the log viewer does, and a
// record appended to whatever the file holds without losing a byte of it.
#include "base/currentlog.h"
#include "base/savelog.h"
#include "base/textlines.h"
#include "base/textutil.h"
#include "base/limits.h"
#include "fuzzhome.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzz::beyond(size, vt::kStoreMaxBytes))
        return 0;
    const QString path = fuzz::put(QStringLiteral("Options/e1"), data, size);
    for (const vt::SavedLogFile &f : vt::savedLogFiles()) {
        bool ok = false;
        vt::decodeTextLines(vt::readWholeFile(f.path, &ok));
    }
    const QByteArray before(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!vt::SaveLog(vt::LogKind::DeleteFiles, QStringLiteral("Удалено: 1")))
        fuzz::fail("a record could not be appended");
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fuzz::fail("the log went missing");
    const QByteArray after = f.readAll();
    if (!after.startsWith(before) || after.size() <= before.size())
        fuzz::fail("appending a record changed what was there");
    return 0;
}
