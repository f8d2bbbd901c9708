#pragma once
// The nine rename presets: Options/ren, nine TRenRule records, record k-1
// holding preset k.
#include "rename/core/renrule.h"

#include <QString>
#include <optional>

namespace vt {

class RenPresets {
public:
    static constexpr int kCount = 9;
    static constexpr int kFileSize = kCount * TRenRule::kSize;

    // Options/ren of the program folder.
    RenPresets();
    explicit RenPresets(const QString &path) : m_path(path) {}

    QString path() const { return m_path; }
    // A missing file, or one of the wrong size, is written anew with nine
    // empty slots; true when the file can then be used. A file of the right
    // size that cannot be read is kept as it is (false).
    bool InitFileRules();
    bool known() const { return m_valid; }

    // Preset n (1..9); nullopt when the file cannot be read. An empty slot
    // comes back with ObrFlags 0 (a flags value above 3 reads as 0).
    std::optional<TRenRule> read(int n) const;
    // Writes preset n, the other eight kept byte for byte; the file is
    // replaced whole, never left half written.
    bool write(int n, const TRenRule &rule);

    enum class ListState { NoFile, Unreadable, Ok };
    // "1: description\r\n\r\n2: ..." with "<нет пресеты>" for empty slots.
    ListState list(QString *text) const;

private:
    std::optional<QByteArray> readAll() const;
    QString m_path;
    bool m_valid = false;
};

// The preset buttons' questions and messages around the file.
// The file is known or could be set up; else the user was told.
bool presetFileReady(RenPresets &presets);
// Preset n to set as the current rule; nullopt (the user was told why) when
// the file cannot be read or the slot is empty.
std::optional<TRenRule> presetToLoad(RenPresets &presets, int n);
// Stores rule as preset n under a description the user gives (an old one
// may be kept); false when nothing was stored.
bool presetStore(RenPresets &presets, int n, TRenRule &rule);
// "Описания всех пресет" shown, or a beep without a preset file.
void presetShowList(const RenPresets &presets);

} // namespace vt
