#pragma once
// The folders one copy or move writes into below its target, entered through
// handles and never through a link, and kept open for the batch: a folder
// swapped for a link while the batch runs cannot carry a file outside.
#include "platform/dirhandle.h"

#include <QByteArray>
#include <QHash>
#include <memory>

namespace vt {

class TargetFolders {
public:
    // The target as the user chose it (links on its own path were chosen too).
    explicit TargetFolders(const QByteArray &target);
    bool ok() const { return bool(m_root); }

    // The folder rel below the target ("" the target itself, "a/b/"), made
    // level by level when create is set; null when it cannot be reached
    // (error ELOOP: a link where a folder is expected). Valid until the next call.
    const fs::DirHandle *folder(const QByteArray &rel, bool create, int *error = nullptr);

private:
    std::unique_ptr<fs::DirHandle> m_root;
    QHash<QByteArray, std::shared_ptr<fs::DirHandle>> m_open;
};

} // namespace vt
