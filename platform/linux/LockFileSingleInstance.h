#pragma once

#include "platform/SingleInstance.h"

#include <QLockFile>
#include <QString>

namespace tarvex {

// One running instance per user: a lock file in the user's runtime folder
// ($XDG_RUNTIME_DIR), held for the life of the process. A lock left behind by
// a crashed instance names a process that no longer runs and is taken over.
class LockFileSingleInstance final : public SingleInstance
{
public:
    /// Uses the lock file "<name>.lock" in the runtime folder.
    explicit LockFileSingleInstance(const QString& name = QStringLiteral("tarvex"));

    /// Takes the lock; false when another running process holds it.
    bool tryClaim() override;

    /// The path of the lock file.
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace tarvex
