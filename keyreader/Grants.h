#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

namespace tarvex {

// Who has allowed the reader to pass their keys on: one file per user, named by the uid and
// holding the user's name, in `folder` (the service's state folder). Asking goes through
// polkit (action org.tarvex.read-keyboards, with the desktop's own dialog); a yes is written
// down, so each user is asked once. Removing the file takes the permission back.
class Grants final : public QObject
{
    Q_OBJECT

public:
    /// The polkit action the user is asked for.
    static constexpr const char* Action = "org.tarvex.read-keyboards";

    /// Keeps the files in `folder` and asks polkit on `bus`.
    Grants(const QString& folder, const QDBusConnection& bus, QObject* parent = nullptr);

    /// True when `uid` has allowed it (and the file names that same user).
    bool granted(uint uid) const;
    /// True while `uid` is being asked.
    bool asking(uint uid) const { return m_asking.contains(uid); }
    /// Asks the user `uid` of process `pid`, with the desktop's dialog; answered() follows.
    void ask(uint uid, uint pid);
    /// Forgets the permission of `uid`.
    void revoke(uint uid);

Q_SIGNALS:
    /// polkit answered for `uid` (the answer is written down when it is a yes).
    void answered(uint uid, bool yes);

private:
    QString fileOf(uint uid) const;
    void record(uint uid, bool yes);

    QString m_folder;
    QDBusConnection m_bus;
    QSet<uint> m_asking;
};

} // namespace tarvex
