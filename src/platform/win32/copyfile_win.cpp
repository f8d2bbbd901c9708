#include "platform/copyfile.h"

#include "platform/renamefile.h"
#include "platform/win32/winpath.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>

namespace vt::fs {
namespace {

std::atomic<CopyMethod> g_method{CopyMethod::Offload};

// Files above this size are asked whether to stop (as the chunks elsewhere).
constexpr quint64 kAskedFrom = quint64(8) << 20;

CopyOutcome fail(int e) { return {CopyResult::Failed, e}; }

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(slash);
}

// A temporary that is read-only cannot be deleted as it is.
void removeTemp(const QByteArray &tmp)
{
    const std::wstring p = win::apiPath(tmp);
    ::SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(p.c_str());
}

struct Progress {
    const StopCheck *stop;
};

// Asked by CopyFileEx after every chunk; the first call comes before any data.
DWORD CALLBACK onProgress(LARGE_INTEGER, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                          HANDLE, HANDLE, LPVOID data)
{
    const auto *p = static_cast<const Progress *>(data);
    if (transferred.QuadPart > 0 && *p->stop && (*p->stop)())
        return PROGRESS_CANCEL;
    return PROGRESS_CONTINUE;
}

// The data of the copy on the disk before it is published.
bool flush(const QByteArray &tmp)
{
    const std::wstring p = win::apiPath(tmp);
    const DWORD attrs = ::GetFileAttributesW(p.c_str());
    const bool readOnly = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        ::SetFileAttributesW(p.c_str(), attrs & ~DWORD(FILE_ATTRIBUTE_READONLY));
    win::Handle h(::CreateFileW(p.c_str(), GENERIC_WRITE, win::kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    const bool ok = h.ok() && ::FlushFileBuffers(h.get());
    h.reset();
    if (readOnly)
        ::SetFileAttributesW(p.c_str(), attrs);
    return ok;
}

bool missing(DWORD e) { return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND; }

} // namespace

void setCopyMethod(CopyMethod m) { g_method = m; }
CopyMethod copyMethod() { return g_method.load(); }

namespace {

constexpr char kTempHead[] = ".vt-";
constexpr char kTempTail[] = ".part";

bool plainName(const QByteArray &n)
{
    return !n.isEmpty() && n != "." && n != ".." && !n.contains('/') && !n.contains('\\') && !n.contains(':')
        && !n.contains('\0');
}

// A source found as a link is copied only when the row was a link.
bool refusedLink(const std::wstring &src, const CopyOptions &opt)
{
    return !opt.followLink && win::isLinkPath(src);
}

// The copy into `to`, whose folder the caller holds.
CopyOutcome copyInto(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    const std::wstring src = win::apiPath(from);
    if (refusedLink(src, opt))
        return {CopyResult::SourceMissing, ELOOP};
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!::GetFileAttributesExW(src.c_str(), GetFileExInfoStandard, &a))
        return {missing(::GetLastError()) ? CopyResult::SourceMissing : CopyResult::Failed, win::lastError()};
    if (a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {CopyResult::SourceMissing, ERROR_DIRECTORY};
    if (!opt.overwrite && ::GetFileAttributesW(win::apiPath(to).c_str()) != INVALID_FILE_ATTRIBUTES)
        return {CopyResult::Exists, ERROR_FILE_EXISTS}; // early answer only; the publish decides
    // A big file is also asked before it starts: Wine never calls the
    // progress routine, so there that is the only chance to stop it.
    const quint64 size = quint64(a.nFileSizeHigh) << 32 | a.nFileSizeLow;
    if (size > kAskedFrom && opt.stop && opt.stop())
        return {CopyResult::Stopped, 0};

    // A fresh name beside the destination; CopyFileEx keeps the times and
    // attributes, and takes back what it wrote when it fails or is stopped.
    const QByteArray dir = folderOf(to);
    QByteArray tmp;
    bool copied = false;
    Progress progress{&opt.stop};
    for (int attempt = 0; attempt < 100 && !copied; ++attempt) {
        tmp = dir + "/.vt-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
        copied = ::CopyFileExW(src.c_str(), win::apiPath(tmp).c_str(), onProgress, &progress, nullptr,
                               COPY_FILE_FAIL_IF_EXISTS);
        const DWORD e = copied ? 0 : ::GetLastError();
        if (e == ERROR_REQUEST_ABORTED) {
            removeTemp(tmp);
            return {CopyResult::Stopped, 0};
        }
        if (!copied && e != ERROR_FILE_EXISTS && e != ERROR_ALREADY_EXISTS) {
            removeTemp(tmp);
            return {missing(e) && ::GetFileAttributesW(src.c_str()) == INVALID_FILE_ATTRIBUTES ? CopyResult::SourceMissing
                                                                                              : CopyResult::Failed,
                    int(e)};
        }
    }
    if (!copied)
        return fail(ERROR_FILE_EXISTS);
    // Held (sharing everything but an exclusive open) until it is published:
    // a later copy's clean-up sees it is in use.
    const win::Handle lock(::CreateFileW(win::apiPath(tmp).c_str(), GENERIC_READ, win::kShareAll, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if ((opt.overwrite || opt.flush) && !flush(tmp)) {
        const int e = win::lastError();
        removeTemp(tmp);
        return fail(e);
    }
    const RenameOutcome pub = opt.overwrite ? renameReplace(tmp, to) : renameNoReplace(tmp, to);
    if (pub.result == RenameResult::Ok)
        return {CopyResult::Ok, 0};
    removeTemp(tmp);
    return {pub.result == RenameResult::Exists ? CopyResult::Exists : CopyResult::Failed, pub.error};
}

CopyOutcome moveInto(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    if (refusedLink(win::apiPath(from), opt))
        return {CopyResult::SourceMissing, ELOOP};
    const RenameOutcome r = opt.overwrite ? renameReplace(from, to) : renameNoReplace(from, to);
    if (r.result == RenameResult::Ok)
        return {CopyResult::Ok, 0};
    if (r.result == RenameResult::Exists)
        return {CopyResult::Exists, r.error};
    const std::wstring src = win::apiPath(from);
    if (missing(DWORD(r.error)) && ::GetFileAttributesW(src.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {CopyResult::SourceMissing, r.error};
    if (r.error != ERROR_NOT_SAME_DEVICE)
        return fail(r.error);

    // Another volume: the source goes only once its copy is safe on disk.
    CopyOptions copy = opt;
    copy.flush = true;
    const CopyOutcome c = copyInto(from, to, copy);
    if (!c.ok())
        return c;
    const DWORD attrs = ::GetFileAttributesW(src.c_str());
    ::SetFileAttributesW(src.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileW(src.c_str())) {
        const int e = win::lastError();
        ::SetFileAttributesW(src.c_str(), attrs);
        if (!opt.overwrite)
            removeTemp(to); // the source stays; take the copy back
        return fail(e);
    }
    return {CopyResult::Ok, 0};
}

} // namespace

CopyOutcome copyFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name, const CopyOptions &opt)
{
    if (!plainName(name))
        return fail(ERROR_INVALID_NAME);
    return copyInto(from, dir.path() + name, opt);
}

CopyOutcome moveFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name, const CopyOptions &opt)
{
    if (!plainName(name))
        return fail(ERROR_INVALID_NAME);
    return moveInto(from, dir.path() + name, opt);
}

CopyOutcome copyFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    int e = 0;
    const std::unique_ptr<DirHandle> dir = DirHandle::open(folderOf(to), &e);
    if (!dir)
        return fail(e);
    return copyFile(from, *dir, to.mid(to.lastIndexOf('/') + 1), opt);
}

CopyOutcome moveFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt)
{
    int e = 0;
    const std::unique_ptr<DirHandle> dir = DirHandle::open(folderOf(to), &e);
    if (!dir)
        return fail(e);
    return moveFile(from, *dir, to.mid(to.lastIndexOf('/') + 1), opt);
}

int removeStaleTemps(const DirHandle &dir, QList<QByteArray> *removed, int minAgeSeconds)
{
    const std::wstring folder = win::apiPath(dir.path()) + L'\\';
    WIN32_FIND_DATAW fd;
    const HANDLE find = ::FindFirstFileExW((folder + L".vt-*.part").c_str(), FindExInfoBasic, &fd,
                                           FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    FILETIME nowFt;
    ::GetSystemTimeAsFileTime(&nowFt);
    const qint64 now = win::fileTimeToSecs(nowFt);
    int count = 0;
    do {
        const QByteArray name = win::narrow(fd.cFileName, wcslen(fd.cFileName));
        if (!name.startsWith(kTempHead) || !name.endsWith(kTempTail) || name.size() <= 9
            || (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            continue;
        // Opened alone: it fails while a copy holds the temporary.
        win::Handle h(::CreateFileW((folder + fd.cFileName).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                    0, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!h.ok() || !::GetFileInformationByHandle(h.get(), &info)
            || now - win::fileTimeToSecs(info.ftLastWriteTime) < minAgeSeconds)
            continue;
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic);
        FILE_DISPOSITION_INFO gone{TRUE};
        if (!::SetFileInformationByHandle(h.get(), FileDispositionInfo, &gone, sizeof gone))
            continue;
        ++count;
        if (removed)
            removed->append(name);
    } while (::FindNextFileW(find, &fd));
    ::FindClose(find);
    return count;
}

} // namespace vt::fs
