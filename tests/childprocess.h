#pragma once
// Work done in a forked child, for faults the test process must not take on
// itself: a lower file-size limit, a user without root's rights, a SIGKILL.
// POSIX only (fork, setrlimit, setuid).
#ifndef _WIN32
#include "testfiles.h"

#include <QStringList>
#include <functional>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vt::test {

// Runs body in a child after limit(); the lines body returns come back
// through the scratch file ("<child failed>" when it did not end cleanly).
inline QStringList inChild(const QString &scratch, const std::function<void()> &limit,
                           const std::function<QStringList()> &body)
{
    writeTestFile(scratch, {});
    QFile::setPermissions(scratch, QFileDevice::Permissions(0x6666));
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        limit();
        const QStringList lines = body();
        QFile f(scratch);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(lines.join(QChar(0x1e)).toUtf8());
        f.close();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    QFile f(scratch);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<child failed>")};
    return QString::fromUtf8(f.readAll()).split(QChar(0x1e));
}

// In a child: become the user nobody, so that permissions apply to root too.
inline void dropRoot()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
}

// In a child: files may grow to bytes at most; writes beyond fail with
// EFBIG, as they would on a full disk (the signal is ignored).
inline void limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit lim = {bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &lim);
}

// Runs work over and over in a child and kills it with SIGKILL after
// delayUs microseconds, wherever it is.
inline void killMidway(const std::function<void(int round)> &work, int delayUs)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (int round = 0;; ++round)
            work(round);
    }
    ::usleep(useconds_t(delayUs));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace vt::test
#endif
