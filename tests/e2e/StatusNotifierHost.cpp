#include "StatusNotifierHost.h"

#include <QDBusConnectionInterface>
#include <QDBusVariant>

namespace {
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
} // namespace

StatusNotifierHost::StatusNotifierHost() : m_connectionName(QStringLiteral("tray-under-test")) {}

StatusNotifierHost::~StatusNotifierHost()
{
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(3000))
        m_daemon.kill();
}

bool StatusNotifierHost::start()
{
    m_daemon.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000))
        return false;
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    QDBusConnection bus = QDBusConnection::connectToBus(m_address, m_connectionName);
    return bus.isConnected() && bus.registerService(WatcherService) &&
           bus.registerObject(WatcherPath, this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                  QDBusConnection::ExportAllProperties);
}

// Items name themselves by service (the path is then the usual one) or by path (the service is
// the caller).
void StatusNotifierHost::RegisterStatusNotifierItem(const QString& serviceOrPath,
                                                    const QDBusMessage& message)
{
    const QString item = serviceOrPath.startsWith('/')
                             ? message.service() + serviceOrPath
                             : serviceOrPath + QStringLiteral("/StatusNotifierItem");
    m_items << item;
    Q_EMIT StatusNotifierItemRegistered(item);
}

void StatusNotifierHost::RegisterStatusNotifierHost(const QString&)
{
    Q_EMIT StatusNotifierHostRegistered();
}

QVariant StatusNotifierHost::property(const QString& item, const QString& name)
{
    const qsizetype slash = item.indexOf('/');
    QDBusMessage call = QDBusMessage::createMethodCall(
        item.left(slash), item.mid(slash), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierItem") << name;
    const QDBusMessage reply =
        QDBusConnection(m_connectionName).call(call, QDBus::BlockWithGui, 5000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

bool StatusNotifierHost::activate(const QString& item)
{
    const qsizetype slash = item.indexOf('/');
    QDBusMessage call = QDBusMessage::createMethodCall(item.left(slash), item.mid(slash),
                                                       QStringLiteral("org.kde.StatusNotifierItem"),
                                                       QStringLiteral("Activate"));
    call << 0 << 0;
    const QDBusMessage reply =
        QDBusConnection(m_connectionName).call(call, QDBus::BlockWithGui, 5000);
    return reply.type() == QDBusMessage::ReplyMessage;
}
