#pragma once

#include <QObject>
#include <QStringList>

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

    /// Starts `program` (a path, or a name looked up on PATH) with `arguments`;
    /// false when it could not be started.
    bool start(const QString& program, const QStringList& arguments);
    /// The number of started children that have not ended yet.
    int runningChildren() const { return int(m_children.size()); }

private:
    void watch(int pid);
    void reap(int pidfd);

    // pidfd → (child pid, notifier of its end)
    std::map<int, std::pair<int, std::unique_ptr<QSocketNotifier>>> m_children;
};

} // namespace tarvex
