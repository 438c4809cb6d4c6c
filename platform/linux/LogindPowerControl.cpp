#include "platform/linux/LogindPowerControl.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace tarvex {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
// SD_LOGIND_SKIP_INHIBITORS of sd-login.
constexpr quint64 kSkipInhibitors = quint64(1) << 4;

QDBusMessage managerCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    call.setArguments(arguments);
    return call;
}

} // namespace

LogindPowerControl::LogindPowerControl(const QDBusConnection& bus) : m_bus(bus) {}

bool LogindPowerControl::logOff()
{
    // An empty session name means the caller's own session to logind.
    return send(QStringLiteral("TerminateSession"), {qEnvironmentVariable("XDG_SESSION_ID")});
}

bool LogindPowerControl::shutDown()
{
    return send(QStringLiteral("PowerOff"), {true});
}

bool LogindPowerControl::restart()
{
    return send(QStringLiteral("Reboot"), {true});
}

bool LogindPowerControl::instantShutdown()
{
    return sendInstant(QStringLiteral("Halt"));
}

bool LogindPowerControl::instantRestart()
{
    return sendInstant(QStringLiteral("Reboot"));
}

bool LogindPowerControl::instantPoweroff()
{
    return sendInstant(QStringLiteral("PowerOff"));
}

QDBusConnection& LogindPowerControl::bus()
{
    if (!m_bus)
        m_bus = QDBusConnection::systemBus();
    return *m_bus;
}

bool LogindPowerControl::send(const QString& method, const QVariantList& arguments)
{
    return bus().isConnected() && bus().send(managerCall(method, arguments));
}

// The flags variant first; on an error (an older logind rejects the flag or
// lacks the method) the plain non-interactive method.
bool LogindPowerControl::sendInstant(const QString& method)
{
    if (!bus().isConnected())
        return false;
    const QDBusMessage call =
        managerCall(method + QLatin1String("WithFlags"), {QVariant::fromValue(kSkipInhibitors)});
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                     [connection = bus(), method](QDBusPendingCallWatcher* finished) mutable {
                         if (finished->isError())
                             connection.send(managerCall(method, {false}));
                         finished->deleteLater();
                     });
    return true;
}

} // namespace tarvex
