#include "platform/linux/LockFileSingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarvex {

namespace {

Q_LOGGING_CATEGORY(lcInstance, "tarvex.instance")

// How long a later start waits for the holder's answer.
constexpr int AnswerWaitMilliseconds = 3000;

// The user's runtime folder; without one a file name of this user's own in the
// temporary folder, so two users never share a lock.
QString runtimePathFor(const QString& name, const QString& suffix)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        return folder + QLatin1Char('/') + name + suffix;
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') +
           QString::number(::getuid()) + suffix;
}

// The address of the socket; false when its path does not fit one.
bool socketAddress(const QString& path, sockaddr_un* address)
{
    const QByteArray name = QFile::encodeName(path);
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof(address->sun_path)))
        return false;
    std::memcpy(address->sun_path, name.constData(), size_t(name.size()));
    return true;
}

// True when the other end of `fd` runs as this user.
bool peerIsThisUser(int fd)
{
    ucred peer{};
    socklen_t length = sizeof(peer);
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
}

} // namespace

LockFileSingleInstance::LockFileSingleInstance(const QString& name)
    : m_path(runtimePathFor(name, QStringLiteral(".lock"))),
      m_socketPath(runtimePathFor(name, QStringLiteral(".socket")))
{}

LockFileSingleInstance::~LockFileSingleInstance()
{
    if (m_listenFd >= 0) {
        m_listening.reset();
        ::close(m_listenFd);
        // Only the holder binds the socket, so the file is its own.
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
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
        listen();
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

void LockFileSingleInstance::setActivationHandler(std::function<Presence()> comeForward)
{
    m_comeForward = std::move(comeForward);
}

// Holding the lock, this process owns the socket path: whatever a crashed holder left there
// goes. Without the socket, later starts still end; they only cannot ask to come forward.
void LockFileSingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, &address))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ::unlink(address.sun_path);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(fd, 4) != 0) {
        qCWarning(lcInstance).noquote()
            << "Cannot listen on" << m_socketPath << "-" << std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_listenFd = fd;
    m_listening = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_listening.get(), &QSocketNotifier::activated, m_listening.get(),
                     [this] { answerLaterStart(); });
}

void LockFileSingleInstance::answerLaterStart()
{
    const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    if (peerIsThisUser(fd)) {
        const Presence presence = m_comeForward ? m_comeForward() : Presence::NoAnswer;
        const char answer = char('0' + int(presence));
        if (::send(fd, &answer, 1, MSG_NOSIGNAL) != 1)
            qCDebug(lcInstance) << "A later start left before its answer";
    }
    ::close(fd);
}

SingleInstance::Presence LockFileSingleInstance::activateRunning()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, &address))
        return Presence::NoAnswer;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Presence::NoAnswer;
    char answer = 0;
    const timeval wait{AnswerWaitMilliseconds / 1000, 0};
    const bool answered =
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait)) == 0 &&
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        peerIsThisUser(fd) && ::recv(fd, &answer, 1, 0) == 1;
    ::close(fd);
    const int value = answer - '0';
    if (!answered || value < int(Presence::NoAnswer) || value > int(Presence::StandInWindow))
        return Presence::NoAnswer;
    return Presence(value);
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
