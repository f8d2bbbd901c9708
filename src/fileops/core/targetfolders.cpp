#include "fileops/core/targetfolders.h"

#include <cerrno>

namespace vt {
namespace {
// Open folders kept at most: a batch over a thousand folders must not run out of handles.
constexpr qsizetype kKeptOpen = 64;
} // namespace

TargetFolders::TargetFolders(const QByteArray &target) : m_root(fs::DirHandle::open(target)) {}

const fs::DirHandle *TargetFolders::folder(const QByteArray &rel, bool create, int *error)
{
    if (!m_root) {
        if (error)
            *error = ENOENT;
        return nullptr;
    }
    QByteArray key = rel;
    while (key.startsWith('/'))
        key.remove(0, 1);
    if (key.isEmpty())
        return m_root.get();
    if (!key.endsWith('/'))
        key += '/';
    if (const auto it = m_open.constFind(key); it != m_open.constEnd())
        return it->get();
    std::shared_ptr<fs::DirHandle> d = m_root->below(key, create, error);
    if (!d)
        return nullptr;
    if (m_open.size() >= kKeptOpen)
        m_open.clear();
    return m_open.insert(key, std::move(d))->get();
}

} // namespace vt
