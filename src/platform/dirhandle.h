#pragma once
// Folders held open for what a batch writes below a folder the user chose.
// Each level below it is entered one name at a time and never through a
// symbolic link, and files are made relative to the open folder, so a link
// in the tree, or a folder swapped for one during the batch, can never carry
// a write outside. Names and paths are native bytes; the handle is the
// platform's own.
#include "platform/fileentry.h"

#include <QByteArray>
#include <QList>
#include <memory>

namespace vt::fs {

class DirHandle {
public:
    ~DirHandle();
    DirHandle(const DirHandle &) = delete;
    DirHandle &operator=(const DirHandle &) = delete;

    // The chosen folder by its path: links on that path were the user's choice.
    static std::unique_ptr<DirHandle> open(const QByteArray &path, int *error = nullptr);

    // The folder `name` one level down, made first when create is set and it
    // is missing (made tells). A link (error ELOOP), a file or anything else
    // of that name fails, and so do "", ".", ".." and names with a separator.
    std::unique_ptr<DirHandle> child(const QByteArray &name, bool create, int *error = nullptr,
                                     bool *made = nullptr) const;
    // A relative folder ("a/b/", separators at the ends ignored) level by level.
    std::unique_ptr<DirHandle> below(const QByteArray &relative, bool create, int *error = nullptr) const;

    // Anything of that name here, a dangling link included; out as lookupNative gives it.
    bool lookup(const QByteArray &name, Entry *out = nullptr) const;

    // How it was reached, with a trailing separator (for texts only).
    const QByteArray &path() const { return m_path; }
    qintptr handle() const { return m_handle; }

private:
    DirHandle(qintptr handle, QByteArray path) : m_handle(handle), m_path(std::move(path)) {}
    qintptr m_handle;
    QByteArray m_path;
};

// Writes a whole file under `name`: a new temporary beside it, flushed, then
// renamed over the name, so a link of that name is replaced, never written
// through; a regular file keeps its permission bits. Anything else of that
// name (a folder, a FIFO) is left alone and the result is false; so is every
// failure, with nothing left behind.
bool writeFileIn(const DirHandle &dir, const QByteArray &name, const QByteArray &data);

} // namespace vt::fs
