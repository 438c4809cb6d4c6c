#include "platform/linux/DBusNotifier.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>
#include <QVariantMap>

#include <utility>

namespace tarvex {

namespace {

Q_LOGGING_CATEGORY(lcNotify, "tarvex.notify")

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString AppName = QStringLiteral("Tarvex");
const QString IconName = QStringLiteral("tarvex");
// -1: the service's own display time.
constexpr int DefaultTimeout = -1;

QDBusMessage serviceCall(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}

} // namespace

DBusNotifier::DBusNotifier(QObject* parent) : QObject(parent) {}

DBusNotifier::DBusNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{}

QDBusConnection& DBusNotifier::bus()
{
    if (!m_bus)
        m_bus = QDBusConnection::sessionBus();
    return *m_bus;
}

void DBusNotifier::notify(const QString& summary, const QString& body)
{
    enqueue({summary, body, true, {}});
}

void DBusNotifier::report(const QString& summary, const QString& body,
                          std::function<void()> notShown)
{
    enqueue({summary, body, false, std::move(notShown)});
}

void DBusNotifier::enqueue(Pending notification)
{
    // Calls on a bus that never connected are answered by no one, not even with an error.
    if (!bus().isConnected()) {
        notShown(notification, bus().lastError().message());
        return;
    }
    switch (m_markup) {
    case BodyMarkup::Unknown:
    case BodyMarkup::Asking:
        // Only the latest plain notification waits for the answer; every report does.
        if (notification.replaces)
            m_pending.removeIf([](const Pending& waiting) { return waiting.replaces; });
        m_pending.append(std::move(notification));
        if (m_markup == BodyMarkup::Unknown)
            askCapabilities();
        break;
    default:
        send(notification);
    }
}

void DBusNotifier::askCapabilities()
{
    m_markup = BodyMarkup::Asking;
    auto* watcher = new QDBusPendingCallWatcher(
        bus().asyncCall(serviceCall(QStringLiteral("GetCapabilities"))), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DBusNotifier::onCapabilities);
}

void DBusNotifier::onCapabilities(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<QStringList> reply = *watcher;
    const QList<Pending> pending = std::exchange(m_pending, {});
    if (reply.isError()) {
        // Asked again with the next notification: a service may start later.
        m_markup = BodyMarkup::Unknown;
        for (const Pending& notification : pending)
            notShown(notification, reply.error().message());
        return;
    }
    m_markup = reply.value().contains(QStringLiteral("body-markup")) ? BodyMarkup::Read
                                                                     : BodyMarkup::NotRead;
    for (const Pending& notification : pending)
        send(notification);
}

void DBusNotifier::send(const Pending& notification)
{
    const QString body =
        m_markup == BodyMarkup::Read ? notification.body.toHtmlEscaped() : notification.body;
    const QVariantMap hints{{QStringLiteral("desktop-entry"), IconName}};
    const uint replaces = notification.replaces ? m_lastId : 0;
    QDBusMessage call = serviceCall(QStringLiteral("Notify"));
    call.setArguments({AppName, replaces, IconName, notification.summary, body, QStringList(),
                       hints, DefaultTimeout});
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notification](QDBusPendingCallWatcher* done) { onSent(done, notification); });
}

void DBusNotifier::onSent(QDBusPendingCallWatcher* watcher, const Pending& notification)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        m_markup = BodyMarkup::Unknown;
        notShown(notification, reply.error().message());
        return;
    }
    if (notification.replaces)
        m_lastId = reply.value();
}

void DBusNotifier::notShown(const Pending& notification, const QString& error)
{
    if (!m_missingReported) {
        m_missingReported = true;
        qCInfo(lcNotify).noquote() << "No desktop notification shown:" << error;
    }
    if (notification.notShown)
        notification.notShown();
}

} // namespace tarvex
