#include "platform/evdev/ReaderKeyStateSource.h"

#include "platform/evdev/devices/EvdevLogging.h"
#include "platform/evdev/KeyboardAccessTexts.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <linux/input-event-codes.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tarvex {

using reader::Message;
using reader::Reply;
using reader::Request;
using reader::Status;

namespace {

// The reader's keys arrive as those of one keyboard.
constexpr int Keyboard = 1;

int connectTo(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(address.sun_path)))
        return -1;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    // Without blocking: a reader that does not take connections must not hold Tarvex up.
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

bool sendTo(int fd, Request request, quint8 value = 0)
{
    const reader::Packet packet = reader::encode({quint8(request), value, 0});
    return ::send(fd, packet.data(), packet.size(), MSG_DONTWAIT | MSG_NOSIGNAL) ==
           ssize_t(packet.size());
}

} // namespace

QString ReaderKeyStateSource::defaultSocketPath()
{
    return qEnvironmentVariable("TARVEX_KEYREADER_SOCKET",
                                QString::fromLatin1(reader::DefaultSocketPath));
}

// The reader handles a connection's packets in order, also after the caller has gone.
bool ReaderKeyStateSource::revokeAccess(const QString& socketPath)
{
    const int fd = connectTo(socketPath);
    const bool sent =
        fd >= 0 && sendTo(fd, Request::Hello, reader::Version) && sendTo(fd, Request::Revoke);
    if (fd >= 0)
        ::close(fd);
    return sent;
}

ReaderKeyStateSource::ReaderKeyStateSource(SessionKeymap& keymap, const QString& socketPath,
                                           QObject* parent)
    : QObject(parent), m_socketPath(socketPath), m_keys(keymap),
      m_state({[this](int key) {
                   if (const int code = m_keys.keyDown(key))
                       notifyPressed(code);
               },
               [this](int key) { m_keys.keyUp(key); },
               {}})
{
    m_state.add(Keyboard);
}

ReaderKeyStateSource::~ReaderKeyStateSource()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ReaderKeyStateSource::start()
{
    if (m_fd >= 0)
        return true;
    const Snapshot before = snapshot();
    m_started = true;
    m_status.reset();
    m_fd = connectTo(m_socketPath);
    if (m_fd < 0 || !sendTo(m_fd, Request::Hello, reader::Version) ||
        !sendTo(m_fd, m_listening ? Request::Listen : Request::Quiet)) {
        const int error = errno;
        qCInfo(lcEvdev, "the key reader at %s does not answer (%s)", qPrintable(m_socketPath),
               strerror(error));
        closeConnection();
    } else {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this,
                &ReaderKeyStateSource::receive);
        qCInfo(lcEvdev, "connected to the key reader at %s", qPrintable(m_socketPath));
    }
    announceChange(before);
    return true;
}

QString ReaderKeyStateSource::problem() const
{
    if (!m_started)
        return {};
    if (m_status == Status::WrongVersion)
        return tr("The key reader installed does not match this Tarvex: install Tarvex again.");
    if (m_fd < 0)
        return KeyboardAccessTexts::withChoices(
            tr("Tarvex's key reader does not answer (it comes with the Tarvex package), so your "
               "hotkeys do not work."));
    switch (m_status.value_or(Status::Quiet)) {
    case Status::Streaming:
    case Status::Quiet:
        return {};
    case Status::NotActive:
        return tr("Your hotkeys wait: the key reader serves only the user of the active, "
                  "unlocked session at this computer.");
    case Status::NotAuthorised:
        return KeyboardAccessTexts::withChoices(
            tr("Tarvex cannot see your keys until you allow its key reader, so your hotkeys do "
               "not work yet."));
    case Status::Asking:
        return tr("The desktop asks whether Tarvex may see your keys: your hotkeys work once "
                  "you allow it.");
    case Status::Denied:
        return KeyboardAccessTexts::withChoices(
            tr("The key reader was not allowed (or the system could not ask you), so Tarvex "
               "cannot see your keys and your hotkeys do not work."));
    case Status::WrongVersion:
        break;
    }
    return {};
}

bool ReaderKeyStateSource::canAskForAccess() const
{
    return m_fd >= 0 && (m_status == Status::NotAuthorised || m_status == Status::Denied);
}

void ReaderKeyStateSource::askForAccess()
{
    if (canAskForAccess())
        send(Request::Authorise);
}

void ReaderKeyStateSource::setListening(bool listening)
{
    if (std::exchange(m_listening, listening) != listening && m_fd >= 0)
        send(listening ? Request::Listen : Request::Quiet);
}

// One packet at a time: a press may run an action that runs an event loop, which reads the
// packets after it, in order.
void ReaderKeyStateSource::receive()
{
    while (m_fd >= 0) {
        char data[reader::MessageSize + 1];
        const ssize_t size = ::recv(m_fd, data, sizeof(data), MSG_DONTWAIT | MSG_TRUNC);
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0 && errno == EAGAIN)
            return;
        const std::optional<Message> message = size > 0 ? reader::decode(data, size) : std::nullopt;
        if (!message || !reader::isValidReply(*message)) {
            qCInfo(lcEvdev, "the key reader ended the connection");
            disconnect();
            return;
        }
        apply(*message);
    }
}

void ReaderKeyStateSource::apply(const Message& message)
{
    switch (Reply(message.type)) {
    case Reply::Status:
        setStatus(Status(message.value));
        // The reader ends the connection; the status stays to say why.
        if (m_status == Status::WrongVersion)
            closeConnection();
        break;
    case Reply::Key:
        if (m_status == Status::Streaming)
            m_state.feed(Keyboard, EV_KEY, message.code, message.value);
        break;
    }
}

void ReaderKeyStateSource::send(Request request)
{
    if (m_fd >= 0 && !sendTo(m_fd, request))
        disconnect();
}

// The connection is gone: start() connects again.
void ReaderKeyStateSource::disconnect()
{
    const Snapshot before = snapshot();
    closeConnection();
    m_status.reset();
    releaseKeys();
    announceChange(before);
}

void ReaderKeyStateSource::closeConnection()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        // It may be the sender of the signal being handled.
        m_notifier.release()->deleteLater();
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void ReaderKeyStateSource::setStatus(Status status)
{
    const Snapshot before = snapshot();
    m_status = status;
    if (status != Status::Streaming)
        releaseKeys();
    announceChange(before);
}

// Keys held when the stream stops go up, so none stays down while nothing comes.
void ReaderKeyStateSource::releaseKeys()
{
    m_state.remove(Keyboard);
    m_state.add(Keyboard);
}

ReaderKeyStateSource::Snapshot ReaderKeyStateSource::snapshot() const
{
    return {problem(), canAskForAccess()};
}

void ReaderKeyStateSource::announceChange(const Snapshot& before)
{
    if (snapshot() != before)
        notifyProblemChanged();
}

} // namespace tarvex
