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
    // Calls on a bus that never connected are answered by no one, not even with an error.
    if (!bus().isConnected()) {
        reportMissingService(bus().lastError().message());
        return;
    }
    const Pending notification{summary, body};
    switch (m_markup) {
    case BodyMarkup::Unknown:
        m_pending = notification;
        askCapabilities();
        break;
    case BodyMarkup::Asking: // only the latest waits for the answer
        m_pending = notification;
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
    std::optional<Pending> pending = std::exchange(m_pending, std::nullopt);
    if (reply.isError()) {
        // Asked again with the next notification: a service may start later.
        m_markup = BodyMarkup::Unknown;
        reportMissingService(reply.error().message());
        return;
    }
    m_markup = reply.value().contains(QStringLiteral("body-markup")) ? BodyMarkup::Read
                                                                     : BodyMarkup::NotRead;
    if (pending)
        send(*pending);
}

void DBusNotifier::send(const Pending& notification)
{
    const QString body =
        m_markup == BodyMarkup::Read ? notification.body.toHtmlEscaped() : notification.body;
    const QVariantMap hints{{QStringLiteral("desktop-entry"), IconName}};
    QDBusMessage call = serviceCall(QStringLiteral("Notify"));
    call.setArguments({AppName, m_lastId, IconName, notification.summary, body, QStringList(),
                       hints, DefaultTimeout});
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DBusNotifier::onSent);
}

void DBusNotifier::onSent(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        m_markup = BodyMarkup::Unknown;
        reportMissingService(reply.error().message());
        return;
    }
    m_lastId = reply.value();
}

void DBusNotifier::reportMissingService(const QString& error)
{
    if (m_missingReported)
        return;
    m_missingReported = true;
    qCInfo(lcNotify).noquote() << "No desktop notification shown:" << error;
}

} // namespace tarvex
