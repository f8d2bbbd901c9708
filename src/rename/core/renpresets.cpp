#include "rename/core/renpresets.h"

#include "base/appdirs.h"
#include "base/services.h"
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

namespace {
const QString kReadError = QStringLiteral("Ошибка чтения файла пресет");
} // namespace

bool presetFileReady(RenPresets &presets)
{
    if (presets.known() || presets.InitFileRules())
        return true;
    ui().inf(kReadError);
    return false;
}

std::optional<TRenRule> presetToLoad(RenPresets &presets, int n)
{
    std::optional<TRenRule> rec = presets.read(n);
    if (!rec) {
        ui().inf(kReadError);
    } else if (rec->isEmpty()) {
        ui().inf(QStringLiteral("Нет пресеты.\rДля сохранения пресеты на этой кнопке удерживайте Shift при клике\r"
                                "или выберите \"Запомнить правило\" в конт. меню этой кнопки."));
        rec.reset();
    }
    return rec;
}

bool presetStore(RenPresets &presets, int n, TRenRule &rule)
{
    const std::optional<TRenRule> slot = presets.read(n);
    if (!slot) {
        ui().inf(kReadError);
        return false;
    }
    const QString old = slot->isEmpty() ? QString() : slot->Descr.trimmed();
    QString start;
    if (!old.isEmpty()) {
        switch (ui().vprYesOK(QStringLiteral("На этой кнопке сохранена пресета:\r") + old
                              + QStringLiteral("\rПерезаписать пресету?\r[YES]: продолжить с данного описания\r"
                                               "[OK]: продолжить с нового описания"))) {
        case YesOk::Yes: start = old; break;
        case YesOk::Ok: break;
        case YesOk::Cancel: return false;
        }
    }
    const std::optional<QString> text =
        ui().input(QStringLiteral("Сохранить как пресету №") + QString::number(n),
                   QStringLiteral("Введите описание (до 255 симв)"), start);
    if (!text)
        return false;
    const QString descr = text->trimmed();
    if (descr.isEmpty()) {
        ui().beep();
        return false;
    }
    rule.Descr = descr.left(255);
    if (!presets.write(n, rule)) {
        ui().inf(QStringLiteral("Ошибка записи файла пресет"));
        return false;
    }
    ui().inf(QStringLiteral("Пресета ") + QString::number(n) + QStringLiteral(" сохранена"));
    return true;
}

void presetShowList(const RenPresets &presets)
{
    if (presets.path().isEmpty()) {
        ui().beep();
        return;
    }
    QString text;
    switch (presets.list(&text)) {
    case RenPresets::ListState::NoFile: ui().inf(QStringLiteral("Нет пресет")); break;
    case RenPresets::ListState::Unreadable: ui().inf(QStringLiteral("Ошибка")); break;
    case RenPresets::ListState::Ok: ui().inf(text); break;
    }
}

} // namespace vt
