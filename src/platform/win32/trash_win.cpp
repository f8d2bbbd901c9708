#include "platform/trash.h"

#include "platform/win32/winpath.h"

#include <shellapi.h>

namespace vt::fs {

bool moveToTrash(const QByteArray &path, QByteArray *where)
{
    if (path.size() < 4 || path[1] != ':' || path.endsWith('/'))
        return false;
    const std::wstring p = win::shellPath(path);
    // The shell cannot take longer paths; it would also delete for good
    // where a drive has no recycle bin, so that is asked first.
    if (p.size() >= MAX_PATH || ::GetFileAttributesW(win::apiPath(path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    const std::wstring root = p.substr(0, 3);
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(::SHQueryRecycleBinW(root.c_str(), &info)))
        return false;
    std::wstring from = p;
    from.push_back(L'\0'); // a list of names, ended by an empty one
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMMKDIR;
    if (::SHFileOperationW(&op) != 0 || op.fAnyOperationsAborted)
        return false;
    if (::GetFileAttributesW(win::apiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    if (where)
        where->clear(); // the recycle bin does not tell
    return true;
}

// The recycle bin keeps its own records of what it holds.
QByteArray trashInfoPath(const QByteArray &) { return {}; }

} // namespace vt::fs
