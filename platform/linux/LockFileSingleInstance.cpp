#include "platform/linux/LockFileSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvex {

namespace {

Q_LOGGING_CATEGORY(lcInstance, "tarvex.instance")

// The user's runtime folder; without one a file name of this user's own in the
// temporary folder, so two users never share a lock.
QString lockPathFor(const QString& name)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        return folder + QLatin1Char('/') + name + QLatin1String(".lock");
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') +
           QString::number(::getuid()) + QLatin1String(".lock");
}

} // namespace

LockFileSingleInstance::LockFileSingleInstance(const QString& name) : m_path(lockPathFor(name)) {}

LockFileSingleInstance::~LockFileSingleInstance()
{
    // Closing drops the lock. The file stays: removing it could let a later start lock a new
    // file while a process that just opened the old one locks that.
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LockFileSingleInstance::tryClaim()
{
    if (m_fd >= 0)
        return true;
    const int fd = openLockFile();
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        m_fd = fd;
        // For whoever looks at the file: the process that holds it.
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        if (::ftruncate(fd, 0) != 0 || ::write(fd, pid.constData(), size_t(pid.size())) < 0)
            qCDebug(lcInstance) << "Cannot write the process id into" << m_path;
        return true;
    }
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (fd >= 0 && error == EWOULDBLOCK)
        return false;
    // Refusing to start would be worse than the rare second instance.
    qCWarning(lcInstance).noquote() << "Cannot lock" << m_path << "-" << std::strerror(error)
                                    << "- starting without the one-instance check";
    return true;
}

// Opens the lock file, a plain file of its own; anything else at its path (a symlink, a
// folder, a file that cannot be opened) is removed once and the file created anew.
int LockFileSingleInstance::openLockFile()
{
    const QByteArray path = QFile::encodeName(m_path);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        struct stat status
        {};
        if (fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
            return fd;
        if (fd >= 0) {
            ::close(fd);
            errno = EINVAL;
        }
        const int error = errno;
        if (::unlink(path.constData()) != 0 && ::rmdir(path.constData()) != 0) {
            errno = error;
            return -1;
        }
        qCInfo(lcInstance).noquote() << "Replaced" << m_path << "(" << std::strerror(error) << ")";
    }
    return -1;
}

} // namespace tarvex
