#pragma once

#include "platform/KeyInjector.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tarvex {

/// Types keys through the desktop portal's remote control (`org.freedesktop.portal.Desktop`,
/// interface `org.freedesktop.portal.RemoteDesktop`), where KDE Plasma and GNOME let a program
/// type. Each character is sent as its keysym, so it arrives as itself whatever the layout.
///
/// The session is made at the first key: CreateSession, SelectDevices (the keyboard only, kept
/// until the user revokes it), Start; each step waits for its Request's Response. Keys asked
/// for meanwhile wait, and are sent once the session has started; when the user declines, or
/// the portal fails, they are dropped and no session is asked for again (the desktop asks the
/// user once); a session the desktop ends is started again at the next key. The restore token the
/// portal returns at each start is kept in `tokenFile` and handed back at the next start, so the
/// desktop restores the permission without asking. Keys are sent one after another without blocking
/// the caller, each once the portal has taken the one before; the session is closed on destruction.
///
/// No press is reported to the caller: the portal's keys are made inside the compositor, so the
/// kernel's devices Tarvex reads on Wayland never carry them, and they hold no modifier, so
/// they make no chord for the portal's shortcuts.
class PortalKeyInjector final : public QObject, public KeyInjector
{
    Q_OBJECT

public:
    explicit PortalKeyInjector(QString tokenFile,
                               const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               QObject* parent = nullptr);
    ~PortalKeyInjector() override;

    /// True when the portal on `bus` offers remote control with a keyboard (asked within
    /// `timeoutMs`; this may start the portal).
    static bool isOffered(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                          int timeoutMs = 3000);

    bool available() const override;
    QString unavailableReason() const override;
    QList<int> pressBackspace(int count) override;
    QList<int> typeText(const QString& text, const std::function<bool()>& stillFocused) override;

private Q_SLOTS:
    void onSessionClosed();

private:
    enum class State { Idle, Starting, Started, Declined, Failed };

    void type(const std::vector<uint32_t>& keysyms, const std::function<bool()>& stillFocused = {});
    void step(const QString& method, const QVariantList& arguments, const QVariantMap& options,
              void (PortalKeyInjector::*next)(const QVariantMap&));
    void onCreated(const QVariantMap& results);
    void onSelected(const QVariantMap& results);
    void onStarted(const QVariantMap& results);
    void keepToken(const QString& token);
    void stop(State state, const QString& detail);
    void closeSession();
    void sendNext();

    QString m_tokenFile;
    QDBusConnection m_bus;
    State m_state = State::Idle;
    QString m_detail;
    QString m_session;
    // A key event not sent yet: keysym, state (1 pressed, 0 released), and the question its
    // text's presses ask first (shared by the text's events; false drops those left).
    struct KeyEvent
    {
        uint32_t keysym;
        uint state;
        std::shared_ptr<const std::function<bool()>> stillFocused;
    };
    std::deque<KeyEvent> m_waiting;
    bool m_sending = false;
    bool m_sendFailed = false;
};

} // namespace tarvex
