#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class QSocketNotifier;

namespace tarvex {

// Starts programs as detached processes of their own (a new session, output to
// /dev/null), directly with posix_spawn: no shell, and no pause for the caller
// (QProcess::startDetached forks twice and closes every possible descriptor,
// which costs 3 to 20 ms per start). Each child is reaped when it ends, seen
// through a pidfd, so no zombie stays behind and nothing polls.
class DetachedLauncher final : public QObject
{
    Q_OBJECT

public:
    explicit DetachedLauncher(QObject* parent = nullptr);
    ~DetachedLauncher() override;

    /// Called with the child's wait status (as waitpid gives it) when it has ended.
    using EndFunction = std::function<void(int status)>;

    /// Starts `program` (a path, or a name looked up on PATH) with `arguments`;
    /// false when it could not be started (lastError() then tells why). `ended`,
    /// if given, is called from the event loop once the child has ended.
    bool start(const QString& program, const QStringList& arguments, EndFunction ended = {});
    /// The error number of the last start that failed (ENOEXEC, ENOENT, EACCES, ...).
    int lastError() const { return m_lastError; }
    /// The number of started children that have not ended yet.
    int runningChildren() const { return int(m_children.size()); }

private:
    struct Child
    {
        int pid = 0;
        std::unique_ptr<QSocketNotifier> notifier;
        EndFunction ended;
    };

    void watch(int pid, EndFunction ended);
    void reap(int pidfd);

    // pidfd → the child and the notifier of its end
    std::map<int, Child> m_children;
    int m_lastError = 0;
};

} // namespace tarvex
