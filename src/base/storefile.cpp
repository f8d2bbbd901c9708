#include "base/storefile.h"

#include "base/runstate.h"
#include "base/currentlog.h"
#include "platform/dirreader.h"
#include "platform/regularfile.h"

#include <QFileInfo>
#include <QSet>

namespace vt {
namespace {

void logTooBig(const QString &path)
{
    struct Told {
        QSet<QString> paths;
    };
    QSet<QString> &told = runState().get<Told>().paths;
    if (told.contains(path))
        return;
    told.insert(path);
    currentLog().append(logStamp() + QStringLiteral("Файл не прочитан (больше %1 МБ), оставлен как есть:\r\n")
                                         .arg(kStoreMaxBytes >> 20)
                        + path + QStringLiteral("\r\n-"));
}

} // namespace

StoreRead readStore(const QString &path, QByteArray *out)
{
    bool tooBig = false;
    switch (fs::readRegularLimited(fs::nativePath(path), kStoreMaxBytes, out, &tooBig)) {
    case fs::ReadStatus::Ok: return StoreRead::Ok;
    case fs::ReadStatus::Missing: return StoreRead::Missing;
    case fs::ReadStatus::Failed: break;
    }
    if (!tooBig)
        return StoreRead::Failed;
    logTooBig(path);
    return StoreRead::TooBig;
}

bool storeTooBig(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.isFile() || fi.size() <= kStoreMaxBytes)
        return false;
    logTooBig(path);
    return true;
}

} // namespace vt
