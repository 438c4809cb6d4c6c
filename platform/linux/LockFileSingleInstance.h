#pragma once

#include "platform/SingleInstance.h"

#include <QString>

#include <memory>

class QSocketNotifier;

namespace tarvex {

// One running instance per user: a lock file in the user's runtime folder
// ($XDG_RUNTIME_DIR) with a kernel lock (flock) held for the life of the
// process. The kernel drops the lock when its process ends, however it ends,
// so whatever a file left behind holds (nothing, garbage, the process id of a
// crashed instance) it never makes a later start think one is running. A
// symlink or anything else that is not a plain file at the lock path is
// replaced by one.
//
// The holder listens on a local socket beside the lock ("<name>.socket"), where
// a later start of the same user asks it to come forward; the answer is one
// byte, the Presence. Connections of other users are refused on both sides.
class LockFileSingleInstance final : public SingleInstance
{
public:
    /// Uses the lock file "<name>.lock" in the runtime folder.
    explicit LockFileSingleInstance(const QString& name = QStringLiteral("tarvex"));
    ~LockFileSingleInstance() override;
    LockFileSingleInstance(const LockFileSingleInstance&) = delete;
    LockFileSingleInstance& operator=(const LockFileSingleInstance&) = delete;

    /// Takes the lock; false only when another running process holds it. When no lock can
    /// be set up at all (no writable runtime folder) the claim succeeds with a logged warning.
    bool tryClaim() override;
    void setActivationHandler(std::function<Presence()> comeForward) override;
    Presence activateRunning() override;

    /// The path of the lock file.
    QString lockPath() const { return m_path; }
    /// The path of the socket where the holder is asked to come forward.
    QString socketPath() const { return m_socketPath; }

private:
    int openLockFile();
    void listen();
    void answerLaterStart();

    QString m_path;
    QString m_socketPath;
    int m_fd = -1;
    int m_listenFd = -1;
    std::unique_ptr<QSocketNotifier> m_listening;
    std::function<Presence()> m_comeForward;
};

} // namespace tarvex
