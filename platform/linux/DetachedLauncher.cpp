#include "platform/linux/DetachedLauncher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <vector>

extern char** environ;

namespace tarvex {

namespace {

// posix_spawn attributes: own session, no blocked signals, default handlers.
struct SpawnSetup
{
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t files;

    SpawnSetup()
    {
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                  POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
        // Descriptors opened without close-on-exec (by libraries) stay ours.
        posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
#endif
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
    }
};

} // namespace

DetachedLauncher::DetachedLauncher(QObject* parent) : QObject(parent) {}

DetachedLauncher::~DetachedLauncher()
{
    // Children that still run are reaped by a waiting thread each, so the
    // program can end at once.
    for (auto& [pidfd, child] : m_children) {
        child.notifier.reset();
        ::close(pidfd);
        std::thread([pid = child.pid] { ::waitpid(pid, nullptr, 0); }).detach();
    }
}

bool DetachedLauncher::start(const QString& program, const QStringList& arguments,
                             EndFunction ended)
{
    std::vector<QByteArray> texts{program.toLocal8Bit()};
    for (const QString& argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    SpawnSetup setup;
    pid_t pid = 0;
    // glibc reports a failed exec of the child (ENOEXEC, a missing interpreter) here too.
    m_lastError =
        ::posix_spawnp(&pid, argv[0], &setup.files, &setup.attributes, argv.data(), environ);
    if (m_lastError != 0)
        return false;
    watch(pid, std::move(ended));
    return true;
}

void DetachedLauncher::watch(int pid, EndFunction ended)
{
    const int pidfd = int(::syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0) { // a kernel before 5.3: a thread waits instead
        std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
        return;
    }
    auto notifier = std::make_unique<QSocketNotifier>(pidfd, QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, pidfd] { reap(pidfd); });
    m_children.emplace(pidfd, Child{pid, std::move(notifier), std::move(ended)});
}

void DetachedLauncher::reap(int pidfd)
{
    const auto it = m_children.find(pidfd);
    if (it == m_children.end())
        return;
    int status = 0;
    const bool waited = ::waitpid(it->second.pid, &status, WNOHANG) == it->second.pid;
    QSocketNotifier* notifier = it->second.notifier.release();
    notifier->setEnabled(false);
    notifier->deleteLater(); // its signal is being delivered
    const EndFunction ended = std::move(it->second.ended);
    m_children.erase(it);
    ::close(pidfd);
    if (waited && ended)
        ended(status);
}

} // namespace tarvex
