#include "platform/linux/LockFileSingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace tarvex {

namespace {

QString runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

} // namespace

LockFileSingleInstance::LockFileSingleInstance(const QString& name)
    : m_path(runtimeFolder() + QLatin1Char('/') + name + QLatin1String(".lock")), m_lock(m_path)
{
    // Never take a lock over because of its age: a long-running instance keeps it.
    // A lock whose process is gone is still recognised as stale by its process id.
    m_lock.setStaleLockTime(0);
}

bool LockFileSingleInstance::tryClaim()
{
    return m_lock.isLocked() || m_lock.tryLock(0);
}

} // namespace tarvex
