#include "platform/linux/DBusRemoteControl.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QLoggingCategory>

namespace tarvex {

namespace {
Q_LOGGING_CATEGORY(lcRemote, "tarvex.remote", QtInfoMsg)
// A running program answers at once; one that is stuck is treated as not running.
constexpr int AnswerMilliseconds = 5000;
} // namespace

DBusRemoteControl::DBusRemoteControl(QObject* parent)
    : DBusRemoteControl(QDBusConnection::sessionBus(), parent)
{}

DBusRemoteControl::DBusRemoteControl(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_busName(bus.name())
{}

QDBusConnection DBusRemoteControl::bus() const
{
    return QDBusConnection(m_busName);
}

DBusRemoteControl::~DBusRemoteControl()
{
    if (m_offered) {
        bus().unregisterService(QLatin1String(ServiceName));
        bus().unregisterObject(QLatin1String(ObjectPath));
    }
}

bool DBusRemoteControl::start(Handlers handlers)
{
    m_handlers = std::move(handlers);
    if (m_offered)
        return true;
    QDBusConnection bus = this->bus();
    if (!bus.isConnected()) {
        qCDebug(lcRemote).noquote()
            << "No session bus, so Tarvex offers no D-Bus interface:" << bus.lastError().message();
        return false;
    }
    if (!bus.registerObject(QLatin1String(ObjectPath), this,
                            QDBusConnection::ExportScriptableSlots)) {
        qCDebug(lcRemote) << "Tarvex offers no D-Bus interface: the object path is taken.";
        return false;
    }
    if (!bus.registerService(QLatin1String(ServiceName))) {
        qCDebug(lcRemote).noquote()
            << "Tarvex offers no D-Bus interface:" << bus.lastError().message();
        bus.unregisterObject(QLatin1String(ObjectPath));
        return false;
    }
    m_offered = true;
    return true;
}

void DBusRemoteControl::Pause()
{
    if (m_handlers.setPaused)
        m_handlers.setPaused(true);
}

void DBusRemoteControl::Resume()
{
    if (m_handlers.setPaused)
        m_handlers.setPaused(false);
}

void DBusRemoteControl::Reload()
{
    if (m_handlers.reload)
        m_handlers.reload();
}

void DBusRemoteControl::ShowMainWindow()
{
    if (m_handlers.showMainWindow)
        m_handlers.showMainWindow();
}

QStringList DBusRemoteControl::ListHotkeys()
{
    return m_handlers.listHotkeys ? m_handlers.listHotkeys() : QStringList();
}

std::optional<QStringList> DBusRemoteControl::call(const QString& method)
{
    return call(QDBusConnection::sessionBus(), method);
}

std::optional<QStringList> DBusRemoteControl::call(const QDBusConnection& bus,
                                                   const QString& method)
{
    if (!bus.isConnected())
        return std::nullopt;
    QDBusMessage request =
        QDBusMessage::createMethodCall(QLatin1String(ServiceName), QLatin1String(ObjectPath),
                                       QLatin1String(InterfaceName), method);
    // A bus that could start the program for the call must not: only a running one answers.
    request.setAutoStartService(false);
    const QDBusMessage reply = bus.call(request, QDBus::Block, AnswerMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        qCDebug(lcRemote).noquote()
            << "No running Tarvex answered" << method << reply.errorMessage();
        return std::nullopt;
    }
    return reply.arguments().value(0).toStringList();
}

} // namespace tarvex
