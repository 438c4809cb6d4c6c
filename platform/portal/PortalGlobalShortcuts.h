#pragma once

#include "platform/GlobalShortcuts.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QSet>
#include <QVariantMap>

#include <functional>

namespace tarvex {

/// Global shortcuts through the desktop portal (`org.freedesktop.portal.Desktop`, interface
/// `org.freedesktop.portal.GlobalShortcuts`) on the session bus: no keyboard is read, the
/// desktop grabs the chords and says when one is pressed.
///
/// A bind closes the previous session and creates one again with the same session token (so
/// KDE Plasma names its shortcut group after it, and no group is left behind), with the list in
/// CreateSession's options: Plasma 5.27 registers shortcuts only from there. It then lists the
/// session's shortcuts; only when one is missing does it call BindShortcuts with the list (the
/// documented flow, where the desktop may ask the user; Plasma 5.27 opens its shortcut settings
/// there instead). Each step waits for its Request's Response before the next; a bind asked for
/// meanwhile starts when the portal has answered. Activated signals count only for the current
/// session and the ids it bound (Plasma reports others of its group; its timestamps are 0).
class PortalGlobalShortcuts final : public QObject, public GlobalShortcuts
{
    Q_OBJECT

public:
    /// Talks to the portal on `bus`.
    explicit PortalGlobalShortcuts(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                   QObject* parent = nullptr);
    /// Closes the session (the desktop releases the shortcuts).
    ~PortalGlobalShortcuts() override;

    /// True when the portal on `bus` offers GlobalShortcuts (asked within `timeoutMs`; this
    /// may start the portal).
    static bool isOffered(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                          int timeoutMs = 3000);

    void bind(const QList<GlobalShortcut>& shortcuts) override;
    State state() const override { return m_state; }
    QString problem() const override;

private Q_SLOTS:
    void onActivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);
    void onDeactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                       const QVariantMap& options);

private:
    enum class Step { CreateSession, ListShortcuts, BindShortcuts };

    void next();
    void createSession();
    void closeSession(const std::function<void()>& then);
    void request(Step step, const QString& method, const QVariantList& arguments,
                 const QVariantMap& options);
    void onResponse(uint code, const QVariantMap& results);
    void onCreated(const QVariantMap& results);
    void onListed(const QVariantMap& results);
    void callFailed(const QString& errorName, const QString& message);
    void finish(State state, const QString& detail = QString());
    QVariant shortcutsArgument() const;

    QDBusConnection m_bus;
    State m_state = State::Idle;
    QString m_detail;
    QList<GlobalShortcut> m_wanted;
    QList<GlobalShortcut> m_asking;
    QSet<QString> m_boundIds;
    QString m_session;
    Step m_step = Step::CreateSession;
    bool m_busy = false;
    bool m_pending = false;
};

} // namespace tarvex
