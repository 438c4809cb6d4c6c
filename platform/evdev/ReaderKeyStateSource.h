#pragma once

#include "platform/evdev/devices/KeyboardState.h"
#include "platform/evdev/devices/ReaderProtocol.h"
#include "platform/evdev/EvdevHeldKeys.h"
#include "platform/KeyStateSource.h"

#include <QObject>

#include <memory>
#include <optional>
#include <utility>

class QSocketNotifier;

namespace tarvex {

class SessionKeymap;

// The key-state source that gets the keys from tarvex-keyreader, the small system service that
// reads the keyboards for the user in front of the computer once that user has allowed it (so
// Tarvex itself needs no access to any device). The keys come as the devices give them and are
// numbered here by the session's keymap, exactly as the source that reads the devices numbers
// them. The reader passes keys only while setListening(true) holds; problem() says what keeps
// them from coming, and askForAccess() asks the reader to ask the user (the desktop's dialog).
class ReaderKeyStateSource final : public QObject, public KeyStateSource
{
    Q_OBJECT

public:
    /// The reader's socket: TARVEX_KEYREADER_SOCKET, else the system's.
    static QString defaultSocketPath();
    /// Tells the reader at `socketPath` to forget the calling user's permission; false when it
    /// could not be reached.
    static bool revokeAccess(const QString& socketPath);

    /// Reads from the reader at `socketPath`, with key numbers from `keymap` (which must
    /// outlive the source). Nothing happens before start().
    ReaderKeyStateSource(SessionKeymap& keymap, const QString& socketPath,
                         QObject* parent = nullptr);
    ~ReaderKeyStateSource() override;

    /// Connects to the reader unless connected. Returns true.
    bool start();
    QString problem() const override;
    bool canAskForAccess() const override;
    void askForAccess() override;
    void setListening(bool listening) override;
    /// What the reader said last (nothing while not connected or not answered yet).
    std::optional<reader::Status> status() const { return m_status; }

private:
    void receive();
    void apply(const reader::Message& message);
    void send(reader::Request request);
    void disconnect();
    void closeConnection();
    void setStatus(reader::Status status);
    void releaseKeys();
    // What the user is told: problem() and canAskForAccess().
    using Snapshot = std::pair<QString, bool>;
    Snapshot snapshot() const;
    void announceChange(const Snapshot& before);

    QString m_socketPath;
    EvdevHeldKeys m_keys;
    KeyboardState m_state;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::optional<reader::Status> m_status;
    bool m_listening = false;
    bool m_started = false;
};

} // namespace tarvex
