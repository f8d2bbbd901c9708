#include "platform/renamefile.h"
#include "platform/posix/posixfs.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace vt::fs {

namespace {

int renameat2NoReplace(int fromDir, const char *from, int toDir, const char *to)
{
#ifdef SYS_renameat2
    return int(::syscall(SYS_renameat2, fromDir, from, toDir, to, RENAME_NOREPLACE));
#else
    errno = ENOSYS;
    return -1;
#endif
}

RenameOutcome failed(int e)
{
    return {e == EEXIST || e == ENOTEMPTY ? RenameResult::Exists : RenameResult::Failed, e};
}

} // namespace

RenameOutcome posix::renameNoReplaceAt(int fromDir, const char *from, int toDir, const char *to)
{
    if (renameat2NoReplace(fromDir, from, toDir, to) == 0)
        return {RenameResult::Ok, 0};
    const int e = errno;
    if (e != EINVAL && e != ENOSYS && e != ENOTSUP)
        return failed(e);
    // No atomic no-replace here (some network and FUSE file systems): link()
    // fails on an existing name, so only a file can be published this way.
    struct stat st;
    if (::fstatat(fromDir, from, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return failed(errno);
    if (S_ISDIR(st.st_mode))
        return {RenameResult::Failed, e};
    if (::linkat(fromDir, from, toDir, to, 0) != 0)
        return failed(errno);
    if (::unlinkat(fromDir, from, 0) != 0) {
        const int ue = errno;
        ::unlinkat(toDir, to, 0);
        return failed(ue);
    }
    return {RenameResult::Ok, 0};
}

RenameOutcome renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    return posix::renameNoReplaceAt(AT_FDCWD, from.constData(), AT_FDCWD, to.constData());
}

RenameOutcome renameReplace(const QByteArray &from, const QByteArray &to)
{
    if (::rename(from.constData(), to.constData()) == 0)
        return {RenameResult::Ok, 0};
    return {RenameResult::Failed, errno};
}

bool sameFile(const QByteArray &a, const QByteArray &b)
{
    struct stat sa, sb;
    return ::lstat(a.constData(), &sa) == 0 && ::lstat(b.constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace vt::fs
