// tarvex-keyreader: passes the keys typed at the computer to Tarvex on Wayland desktops, where
// no program sees the keys typed into another one.
//
// Security model (who can read what, when):
// - The reader runs as its own unprivileged user, started by systemd on the first connection
//   to its socket. Its only privilege is membership of the "input" group, and its sandbox lets
//   it open input devices for reading only; it has no capabilities, no network, and sees
//   neither the users' homes nor a writable system.
// - It opens keyboards read-only (never for writing, never grabbed), and only while some
//   caller gets keys; keyboards that udev gave to another seat are left alone.
// - A caller is known by its socket (SO_PEERCRED), never by what it says. It gets keys only
//   while (1) its user owns seat0's active session and that session is not locked (logind,
//   followed through its change signals), (2) that user has allowed it once through polkit
//   (action org.tarvex.read-keyboards, the desktop's own dialog), remembered in the service's
//   state folder until the user or an administrator removes it, and (3) the caller asked for
//   keys (its hotkeys run). The moment one of these ends, the keys stop.
// - It passes key presses and releases, nothing else about the devices. Every packet from a
//   caller is checked (size, type, values); anything else ends that connection.
// - It keeps no key anywhere: each one is passed on and forgotten.

#include "keyreader/Grants.h"
#include "keyreader/KeyReader.h"
#include "keyreader/SeatWatch.h"
#include "platform/evdev/devices/ReaderProtocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarvex {

Q_LOGGING_CATEGORY(lcKeyReader, "tarvex.keyreader")

namespace {

// systemd hands over the listening socket as descriptor 3 (sd_listen_fds(3)).
constexpr int FirstPassedFd = 3;
// A reader started by its socket leaves once nobody has used it for this long.
constexpr int IdleSecondsWhenActivated = 60;

struct Options
{
    QString socket;
    QString folder = QStringLiteral("/dev/input");
    QString state =
        qEnvironmentVariable("STATE_DIRECTORY", QStringLiteral("/var/lib/tarvex-keyreader"))
            .section(u':', 0, 0);
};

const char Usage[] = "usage: tarvex-keyreader [--socket PATH] [--folder DIR] [--state DIR]\n"
                     "Started by systemd (tarvex-keyreader.socket); --socket listens itself.\n";

bool parse(const QStringList& arguments, Options& options)
{
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        const QString& name = arguments.at(i);
        if (i + 1 >= arguments.size())
            return false;
        const QString& value = arguments.at(i + 1);
        if (name == u"--socket")
            options.socket = value;
        else if (name == u"--folder")
            options.folder = value;
        else if (name == u"--state")
            options.state = value;
        else
            return false;
    }
    return true;
}

// The socket systemd passed, when it passed exactly one listening packet socket to this process.
int passedSocket()
{
    const bool forUs = qEnvironmentVariableIntValue("LISTEN_PID") == int(::getpid()) &&
                       qEnvironmentVariableIntValue("LISTEN_FDS") == 1;
    qunsetenv("LISTEN_PID");
    qunsetenv("LISTEN_FDS");
    qunsetenv("LISTEN_FDNAMES");
    int type = 0;
    int listening = 0;
    socklen_t size = sizeof(int);
    if (!forUs || ::getsockopt(FirstPassedFd, SOL_SOCKET, SO_TYPE, &type, &size) != 0 ||
        ::getsockopt(FirstPassedFd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) != 0 ||
        type != SOCK_SEQPACKET || !listening)
        return -1;
    // The reader accepts until nobody waits: the socket must not block.
    const int flags = ::fcntl(FirstPassedFd, F_GETFL);
    if (flags < 0 || ::fcntl(FirstPassedFd, F_SETFL, flags | O_NONBLOCK) != 0 ||
        ::fcntl(FirstPassedFd, F_SETFD, FD_CLOEXEC) != 0)
        return -1;
    return FirstPassedFd;
}

// A socket of its own at `path` (for tests and for trying it by hand): a socket left there
// before is replaced, any other file is not.
int ownSocket(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    struct stat info
    {};
    if (name.size() >= qsizetype(sizeof(address.sun_path)) ||
        (::lstat(name.constData(), &info) == 0 && !S_ISSOCK(info.st_mode)))
        return -1;
    ::unlink(name.constData());
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // Anyone may connect: the reader decides whom it serves by the caller's credentials.
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::chmod(name.constData(), 0666) != 0 || ::listen(fd, KeyReader::MaxClients) != 0) {
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

} // namespace tarvex

int main(int argc, char* argv[])
{
    using namespace tarvex;
    QCoreApplication application(argc, argv);
    Options options;
    if (!parse(QCoreApplication::arguments(), options)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const int passed = options.socket.isEmpty() ? passedSocket() : -1;
    const int listenFd = passed >= 0 ? passed : ownSocket(options.socket);
    if (listenFd < 0) {
        std::fprintf(stderr, "tarvex-keyreader: no socket to serve (%s)\n",
                     options.socket.isEmpty() ? "not started by its socket unit"
                                              : qPrintable(options.socket));
        return 1;
    }
    const QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        qCWarning(lcKeyReader, "no system bus: nobody is served");
    SeatWatch seat(bus);
    Grants grants(options.state + QStringLiteral("/granted"), bus);
    KeyReader reader(listenFd, seat, grants, options.folder);
    if (passed >= 0)
        reader.quitWhenIdle(IdleSecondsWhenActivated);
    return QCoreApplication::exec();
}
