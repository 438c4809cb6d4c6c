#include "keyreader/KeyReader.h"

#include "keyreader/Grants.h"
#include "keyreader/SeatWatch.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tarvex {

Q_DECLARE_LOGGING_CATEGORY(lcKeyReader)

using reader::Message;
using reader::Reply;
using reader::Request;
using reader::Status;

namespace {

// Keyboards udev gave to another seat (its ID_SEAT) belong to the user in front of that seat.
bool onFirstSeat(const QString& path)
{
    struct stat info
    {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return true;
    QFile data(
        QStringLiteral("/run/udev/data/c%1:%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev)));
    if (!data.open(QIODevice::ReadOnly))
        return true;
    for (const QByteArray& line : data.read(65536).split('\n')) {
        if (line.startsWith("E:ID_SEAT="))
            return line.mid(10) == "seat0";
    }
    return true;
}

Message statusMessage(Status status)
{
    return {quint8(Reply::Status), quint8(status), 0};
}

} // namespace

KeyReader::KeyReader(int listenFd, SeatWatch& seat, Grants& grants, const QString& folder,
                     QObject* parent)
    : QObject(parent), m_listenFd(listenFd), m_seat(seat), m_grants(grants),
      m_devices({[this](int key) {
                     sendToStreaming({quint8(Reply::Key), 1, quint16(key)});
                 },
                 [this](int key) {
                     sendToStreaming({quint8(Reply::Key), 0, quint16(key)});
                 },
                 {}},
                folder)
{
    m_devices.setAcceptance(&onFirstSeat);
    m_listenNotifier = std::make_unique<QSocketNotifier>(m_listenFd, QSocketNotifier::Read);
    connect(m_listenNotifier.get(), &QSocketNotifier::activated, this, &KeyReader::accept);
    connect(&m_seat, &SeatWatch::changed, this, &KeyReader::update);
    connect(&m_grants, &Grants::answered, this, &KeyReader::onAnswered);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, qApp, &QCoreApplication::quit);
}

KeyReader::~KeyReader()
{
    m_devices.stop();
    for (const auto& [fd, client] : m_clients)
        ::close(fd);
    m_listenNotifier.reset();
    ::close(m_listenFd);
}

void KeyReader::quitWhenIdle(int seconds)
{
    m_idle.setInterval(seconds * 1000);
    if (seconds > 0 && m_clients.empty())
        m_idle.start();
}

void KeyReader::accept()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0 && errno == EINTR)
            continue;
        if (fd < 0)
            return;
        ucred peer{};
        socklen_t size = sizeof(peer);
        if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || !mayConnect(peer.uid)) {
            ::close(fd);
            continue;
        }
        Client& client = m_clients[fd];
        client.fd = fd;
        client.uid = peer.uid;
        client.pid = uint(peer.pid);
        client.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        connect(client.notifier.get(), &QSocketNotifier::activated, this,
                [this, fd] { receive(fd); });
        m_idle.stop();
        qCInfo(lcKeyReader, "caller %u (user %u) connected", client.pid, client.uid);
    }
}

bool KeyReader::mayConnect(uint uid) const
{
    const auto ofUser = std::count_if(m_clients.begin(), m_clients.end(),
                                      [uid](const auto& entry) { return entry.second.uid == uid; });
    return m_clients.size() < MaxClients && ofUser < MaxClientsOfUser;
}

// Every packet must be one whole, valid request; anything else ends the connection.
void KeyReader::receive(int fd)
{
    for (;;) {
        // A caller that can no longer be told anything is still heard to the end: its last
        // request may be to take its permission back.
        const auto it = m_clients.find(fd);
        if (it == m_clients.end())
            return;
        char data[reader::MessageSize + 1];
        // MSG_TRUNC: the packet's real size, even when it is longer than the buffer.
        const ssize_t size = ::recv(fd, data, sizeof(data), MSG_DONTWAIT | MSG_TRUNC);
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0 && errno == EAGAIN)
            return;
        const std::optional<Message> message = size > 0 ? reader::decode(data, size) : std::nullopt;
        const std::optional<Request> request = message ? reader::requestOf(*message) : std::nullopt;
        if (!request || !handle(it->second, *request, message->value)) {
            if (size != 0)
                qCInfo(lcKeyReader, "caller %u sent what it may not: connection ended",
                       it->second.pid);
            remove(fd);
            return;
        }
    }
}

// False when the connection must end.
bool KeyReader::handle(Client& client, Request request, quint8 value)
{
    if (request == Request::Hello) {
        if (client.greeted)
            return false;
        client.greeted = true;
        if (value != reader::Version) {
            send(client, statusMessage(Status::WrongVersion));
            return false;
        }
        m_seat.refresh();
    } else if (!client.greeted) {
        return false;
    } else if (request == Request::Listen || request == Request::Quiet) {
        client.listening = request == Request::Listen;
    } else if (request == Request::Authorise) {
        const Status status = statusOf(client);
        client.denied = false;
        if (status == Status::NotAuthorised || status == Status::Denied)
            m_grants.ask(client.uid, client.pid);
    } else if (request == Request::Revoke) {
        m_grants.revoke(client.uid);
    }
    update();
    return true;
}

void KeyReader::remove(int fd)
{
    const auto it = m_clients.find(fd);
    if (it == m_clients.end())
        return;
    qCInfo(lcKeyReader, "caller %u left", it->second.pid);
    it->second.notifier->setEnabled(false);
    // It may be the sender of the signal being handled.
    it->second.notifier.release()->deleteLater();
    ::close(fd);
    m_clients.erase(it);
    update();
}

// A caller that cannot take a message (it does not read) loses its connection; it is removed
// once the work at hand is done, since that may be the key stream itself.
void KeyReader::dropLater(Client& client)
{
    if (std::exchange(client.broken, true))
        return;
    client.notifier->setEnabled(false);
    const int fd = client.fd;
    QMetaObject::invokeMethod(
        this, [this, fd] { remove(fd); }, Qt::QueuedConnection);
}

// Tells each caller its status when it changed, and keeps the keyboards open only while
// some caller gets keys.
void KeyReader::update()
{
    if (std::exchange(m_updating, true))
        return;
    bool streaming = false;
    for (auto& [fd, client] : m_clients) {
        if (!client.greeted || client.broken)
            continue;
        const Status status = statusOf(client);
        streaming = streaming || status == Status::Streaming;
        if (client.sent == status)
            continue;
        qCInfo(lcKeyReader, "caller %u: status %d", client.pid, int(status));
        client.sent = status;
        if (!send(client, statusMessage(status)))
            dropLater(client);
    }
    if (streaming && !m_devices.isStarted())
        m_devices.start();
    else if (!streaming && m_devices.isStarted())
        m_devices.stop();
    if (m_clients.empty() && m_idle.interval() > 0)
        m_idle.start();
    m_updating = false;
}

Status KeyReader::statusOf(const Client& client) const
{
    if (m_seat.activeUser() != client.uid)
        return Status::NotActive;
    if (m_grants.asking(client.uid))
        return Status::Asking;
    if (!m_grants.granted(client.uid))
        return client.denied ? Status::Denied : Status::NotAuthorised;
    return client.listening ? Status::Streaming : Status::Quiet;
}

bool KeyReader::send(Client& client, Message message)
{
    const reader::Packet packet = reader::encode(message);
    const ssize_t sent =
        ::send(client.fd, packet.data(), packet.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    return sent == ssize_t(packet.size());
}

void KeyReader::sendToStreaming(Message message)
{
    for (auto& [fd, client] : m_clients) {
        if (client.sent == Status::Streaming && !client.broken && !send(client, message))
            dropLater(client);
    }
}

void KeyReader::onAnswered(uint uid, bool yes)
{
    for (auto& [fd, client] : m_clients) {
        if (client.uid == uid)
            client.denied = !yes;
    }
    update();
}

} // namespace tarvex
