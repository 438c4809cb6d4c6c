#pragma once

#include "platform/PowerControl.h"

#include <QDBusConnection>
#include <QVariantList>

#include <optional>

namespace tarvex {

// Session and power requests to systemd-logind over D-Bus. The ordinary rows
// may let logind ask for a password (interactive) and respect the inhibitor
// locks that running programs hold. The instant rows go the most direct way
// logind offers without asking anyone: the *WithFlags methods with the flag
// that skips inhibitor locks (systemd 256 and later), non-interactive; where
// logind does not know that flag, the plain non-interactive method, which goes
// ahead over blocking locks when the user may override them. Instant shutdown
// halts (the system stops without switching the power off), instant poweroff
// switches it off. Requests are sent without waiting for the answer.
class LogindPowerControl final : public PowerControl
{
public:
    /// Talks to logind on the system bus, connected at the first request.
    LogindPowerControl() = default;
    /// Talks to logind on `bus` (a private bus in tests).
    explicit LogindPowerControl(const QDBusConnection& bus);

    /// Terminates the current session (XDG_SESSION_ID, else the caller's own).
    bool logOff() override;
    /// PowerOff, interactive.
    bool shutDown() override;
    /// Reboot, interactive.
    bool restart() override;
    /// HaltWithFlags skipping inhibitors, else Halt.
    bool instantShutdown() override;
    /// RebootWithFlags skipping inhibitors, else Reboot.
    bool instantRestart() override;
    /// PowerOffWithFlags skipping inhibitors, else PowerOff.
    bool instantPoweroff() override;

private:
    bool send(const QString& method, const QVariantList& arguments);
    bool sendInstant(const QString& method);
    QDBusConnection& bus();

    std::optional<QDBusConnection> m_bus;
};

} // namespace tarvex
