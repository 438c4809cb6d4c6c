#pragma once

#include "platform/evdev/devices/KeyboardDevices.h"
#include "platform/evdev/devices/ReaderProtocol.h"

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>

class QSocketNotifier;

namespace tarvex {

class Grants;
class SeatWatch;

// The key reader's server: it accepts Tarvex's connections on a listening socket, learns who
// each caller is from the socket (SO_PEERCRED), and passes the keys of the computer's keyboards
// to a caller only while all of this holds: its user is the one in front of the seat
// (SeatWatch), that user has allowed it (Grants), and the caller asked for keys (its hotkeys
// run). The keyboards are open only while some caller gets keys.
class KeyReader final : public QObject
{
    Q_OBJECT

public:
    /// At most this many callers are connected at once, and this many of one user (so no user
    /// can keep another from connecting); more are turned away.
    static constexpr int MaxClients = 64;
    static constexpr int MaxClientsOfUser = 4;

    /// Serves the listening socket `listenFd` (taken over) with the keyboards of `folder`
    /// (/dev/input), for the user `seat` names, as `grants` allow.
    KeyReader(int listenFd, SeatWatch& seat, Grants& grants, const QString& folder,
              QObject* parent = nullptr);
    ~KeyReader() override;

    /// With `seconds` > 0, the reader quits once it has had no caller for that long.
    void quitWhenIdle(int seconds);

private:
    struct Client
    {
        int fd = -1;
        uint uid = 0;
        uint pid = 0;
        std::unique_ptr<QSocketNotifier> notifier;
        bool greeted = false;
        bool listening = false;
        bool denied = false;
        bool broken = false;
        std::optional<reader::Status> sent;
    };

    void accept();
    bool mayConnect(uint uid) const;
    void receive(int fd);
    bool handle(Client& client, reader::Request request, quint8 value);
    void remove(int fd);
    void dropLater(Client& client);
    void update();
    reader::Status statusOf(const Client& client) const;
    bool send(Client& client, reader::Message message);
    void sendToStreaming(reader::Message message);
    void onAnswered(uint uid, bool yes);

    int m_listenFd;
    std::unique_ptr<QSocketNotifier> m_listenNotifier;
    SeatWatch& m_seat;
    Grants& m_grants;
    KeyboardDevices m_devices;
    std::map<int, Client> m_clients;
    QTimer m_idle;
    bool m_updating = false;
};

} // namespace tarvex
