#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QObject>

#include <QList>

#include <functional>
#include <optional>

class QDBusPendingCallWatcher;

namespace tarvex {

// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus). Nothing waits for the
// service: calls are sent and their answers arrive through the event loop.
// The first notification asks the service whether it reads markup in the body,
// so that a target holding "<" or "&" shows as it is written either way. Each
// notification replaces the previous one, so hotkeys pressed in quick
// succession do not pile notifications up; a report stands apart. Without a
// service nothing is shown (a report's stand-in runs); that is logged once
// under "tarvex.notify".
class DBusNotifier final : public QObject, public Notifier
{
    Q_OBJECT

public:
    /// Uses the session bus, connected at the first notification.
    explicit DBusNotifier(QObject* parent = nullptr);
    /// Uses `bus` (a private bus in tests).
    explicit DBusNotifier(const QDBusConnection& bus, QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body) override;
    void report(const QString& summary, const QString& body,
                std::function<void()> notShown) override;

private:
    enum class BodyMarkup { Unknown, Asking, Read, NotRead };
    struct Pending
    {
        QString summary;
        QString body;
        bool replaces = true;           // takes the place of the last plain notification
        std::function<void()> notShown; // runs when no service shows it
    };

    QDBusConnection& bus();
    void enqueue(Pending notification);
    void askCapabilities();
    void onCapabilities(QDBusPendingCallWatcher* watcher);
    void send(const Pending& notification);
    void onSent(QDBusPendingCallWatcher* watcher, const Pending& notification);
    void notShown(const Pending& notification, const QString& error);

    std::optional<QDBusConnection> m_bus;
    BodyMarkup m_markup = BodyMarkup::Unknown;
    // Waiting for the capabilities: the latest plain notification and every report.
    QList<Pending> m_pending;
    uint m_lastId = 0;
    bool m_missingReported = false;
};

} // namespace tarvex
