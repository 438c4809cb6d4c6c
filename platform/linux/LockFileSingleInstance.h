#pragma once

#include "platform/SingleInstance.h"

#include <QString>

namespace tarvex {

// One running instance per user: a lock file in the user's runtime folder
// ($XDG_RUNTIME_DIR) with a kernel lock (flock) held for the life of the
// process. The kernel drops the lock when its process ends, however it ends,
// so whatever a file left behind holds (nothing, garbage, the process id of a
// crashed instance) it never makes a later start think one is running. A
// symlink or anything else that is not a plain file at the lock path is
// replaced by one.
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

    /// The path of the lock file.
    QString lockPath() const { return m_path; }

private:
    int openLockFile();

    QString m_path;
    int m_fd = -1;
};

} // namespace tarvex
