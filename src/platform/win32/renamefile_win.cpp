#include "platform/renamefile.h"

#include "platform/win32/winpath.h"

namespace vt::fs {
namespace {

RenameOutcome outcome(bool ok)
{
    if (ok)
        return {RenameResult::Ok, 0};
    const DWORD e = ::GetLastError();
    return {e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS ? RenameResult::Exists : RenameResult::Failed, int(e)};
}

bool fileId(const QByteArray &path, BY_HANDLE_FILE_INFORMATION &info)
{
    // The entry itself, as lstat sees it: a link is not followed.
    win::Handle h(::CreateFileW(win::apiPath(path).c_str(), 0, win::kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return h.ok() && ::GetFileInformationByHandle(h.get(), &info);
}

} // namespace

// MoveFileEx without MOVEFILE_REPLACE_EXISTING checks and renames in one
// step: a name that appears in between is reported, not replaced.
RenameOutcome renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    return outcome(::MoveFileExW(win::apiPath(from).c_str(), win::apiPath(to).c_str(), 0));
}

RenameOutcome renameReplace(const QByteArray &from, const QByteArray &to)
{
    return outcome(::MoveFileExW(win::apiPath(from).c_str(), win::apiPath(to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    BY_HANDLE_FILE_INFORMATION ia, ib;
    return fileId(a, ia) && fileId(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber
        && ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

} // namespace vt::fs
