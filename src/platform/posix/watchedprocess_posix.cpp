#include "platform/posix/watchedprocess.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace vt::fs {
namespace {

// Runs in the forked go-between: only async-signal-safe calls from here on.
[[noreturn]] void goBetween(int reportFd, char *const argv[])
{
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    ::sigaction(SIGCHLD, &dfl, nullptr);
    struct sigaction ign {};
    ign.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ign, nullptr);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::setsid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(reportFd);
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0)
            ::dup2(null, STDIN_FILENO);
        ::execve(argv[0], argv, environ);
        ::_exit(127);
    }
    int code = -1;
    if (child > 0) {
        int status = 0;
        pid_t r;
        do
            r = ::waitpid(child, &status, 0);
        while (r < 0 && errno == EINTR);
        if (r == child && WIFEXITED(status))
            code = WEXITSTATUS(status);
    }
    // Nobody may be listening any more; that is fine.
    [[maybe_unused]] const ssize_t w = ::write(reportFd, &code, sizeof code);
    ::_exit(0);
}

} // namespace

bool startWatched(const QString &program, const QStringList &args, std::function<void(int)> onExit)
{
    const QString exe = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (exe.isEmpty())
        return false;
    // Everything the child needs is made before the fork.
    std::vector<QByteArray> store{QFile::encodeName(exe)};
    for (const QString &a : args)
        store.push_back(QFile::encodeName(a));
    std::vector<char *> argv;
    for (QByteArray &b : store)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t helper = ::fork();
    if (helper < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (helper == 0)
        goBetween(fds[1], argv.data());
    ::close(fds[1]);

    const int fd = fds[0];
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, fd, helper, onExit] {
        int code = -1;
        ssize_t got;
        do
            got = ::read(fd, &code, sizeof code);
        while (got < 0 && errno == EINTR);
        if (got != ssize_t(sizeof code))
            code = -1;
        notifier->setEnabled(false);
        ::close(fd);
        // The go-between ends right after its report.
        while (::waitpid(helper, nullptr, 0) < 0 && errno == EINTR) {
        }
        notifier->deleteLater();
        if (onExit)
            onExit(code);
    });
    return true;
}

bool openWithDesktop(const QString &path, std::function<void(int)> onExit)
{
    return startWatched(QStringLiteral("xdg-open"), {path}, std::move(onExit));
}

} // namespace vt::fs
