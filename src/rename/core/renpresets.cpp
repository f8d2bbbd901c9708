#include "rename/core/renpresets.h"

#include "base/appdirs.h"
#include "base/storefile.h"
#include "base/textutil.h"

#include <QFileInfo>

namespace vt {

RenPresets::RenPresets()
{
    const QString opt = optPath();
    if (!opt.isEmpty())
        m_path = opt + QStringLiteral("ren");
}

std::optional<QByteArray> RenPresets::readAll() const
{
    if (m_path.isEmpty())
        return std::nullopt;
    QByteArray data;
    if (readStore(m_path, &data) != StoreRead::Ok || data.size() != kFileSize)
        return std::nullopt;
    return data;
}

bool RenPresets::InitFileRules()
{
    m_valid = false;
    if (m_path.isEmpty())
        return false;
    const QFileInfo fi(m_path);
    if (fi.exists() && fi.isFile() && fi.size() == kFileSize) {
        m_valid = readAll().has_value();
        return m_valid;
    }
    if ((fi.exists() && !fi.isFile()) || storeTooBig(m_path))
        return false; // a folder or device in its place, or a file too big to be ours, is never replaced
    m_valid = writeFileAtomic(m_path, QByteArray(kFileSize, '\0'));
    return m_valid;
}

std::optional<TRenRule> RenPresets::read(int n) const
{
    if (n < 1 || n > kCount)
        return std::nullopt;
    const std::optional<QByteArray> data = readAll();
    if (!data)
        return std::nullopt;
    TRenRule r = TRenRule::fromBytes(data->mid((n - 1) * TRenRule::kSize, TRenRule::kSize));
    if (r.ObrFlags > 3)
        r.ObrFlags = 0;
    return r;
}

bool RenPresets::write(int n, const TRenRule &rule)
{
    if (n < 1 || n > kCount)
        return false;
    std::optional<QByteArray> data = readAll();
    if (!data)
        return false;
    data->replace((n - 1) * TRenRule::kSize, TRenRule::kSize, rule.toBytes());
    return writeFileAtomic(m_path, *data);
}

RenPresets::ListState RenPresets::list(QString *text) const
{
    if (m_path.isEmpty() || !QFileInfo::exists(m_path))
        return ListState::NoFile;
    QStringList blocks;
    for (int n = 1; n <= kCount; ++n) {
        const std::optional<TRenRule> r = read(n);
        if (!r)
            return ListState::Unreadable;
        blocks << QString::number(n) + QStringLiteral(": ")
                      + (r->isEmpty() ? QStringLiteral("<нет пресеты>") : r->Descr);
    }
    if (text)
        *text = blocks.join(QStringLiteral("\r\n\r\n"));
    return ListState::Ok;
}

} // namespace vt
