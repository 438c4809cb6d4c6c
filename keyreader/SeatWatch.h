#pragma once

#include <QDBusConnection>
#include <QObject>

#include <optional>

namespace tarvex {

// Whose session is in front of the computer: the user of seat0's active session, as
// systemd-logind tells it on the system bus, while that session is active and not locked
// (its LockedHint). logind's change signals refresh it at once.
class SeatWatch final : public QObject
{
    Q_OBJECT

public:
    /// Asks logind on `bus` now and on every change it reports.
    explicit SeatWatch(const QDBusConnection& bus, QObject* parent = nullptr);

    /// The uid of the user in front of the computer, or nothing (no active session, a locked
    /// one, or logind does not answer).
    std::optional<uint> activeUser() const { return m_activeUser; }
    /// Asks logind again.
    void refresh();

Q_SIGNALS:
    /// activeUser() changed.
    void changed();

private Q_SLOTS:
    void onPropertiesChanged();

private:
    std::optional<uint> askLogind() const;
    QVariantMap properties(const QString& path, const QString& interface) const;

    QDBusConnection m_bus;
    std::optional<uint> m_activeUser;
};

} // namespace tarvex
