#include "platform/portal/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <utility>

namespace tarvex {
namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

// The Response code of a request that ended other than by the user's answer.
constexpr uint Other = 2;

} // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, QObject* context, Answer answered)
    : QObject(context), m_bus(bus), m_answered(std::move(answered))
{}

void PortalRequest::send(const QDBusConnection& bus, const QString& interface,
                         const QString& method, QVariantList arguments, QVariantMap options,
                         QObject* context, Answer answered)
{
    auto* request = new PortalRequest(bus, context, std::move(answered));
    // Without a session bus no call is ever answered: said once this call has returned, as an
    // answer would be.
    if (!bus.isConnected()) {
        QMetaObject::invokeMethod(
            request,
            [request] {
                request->answer(Other, {},
                                QDBusError(QDBusError::Disconnected, QStringLiteral("no bus")));
            },
            Qt::QueuedConnection);
        return;
    }
    static quint64 requests = 0;
    const QString token = QStringLiteral("tarvex%1").arg(++requests);
    options.insert(QStringLiteral("handle_token"), token);
    QString sender = bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    request->watch(Path + QStringLiteral("/request/") + sender + u'/' + token);
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, interface, method);
    call.setArguments(arguments << options);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request,
            [request](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                // The Response may come before the call's return, which then has nothing to say.
                if (!request->m_answered)
                    return;
                const QDBusPendingReply<QDBusObjectPath> reply = *w;
                if (reply.isError())
                    request->answer(Other, {}, reply.error());
                else if (reply.value().path() != request->m_path)
                    request->watch(reply.value().path()); // an older portal's own path
            });
}

void PortalRequest::watch(const QString& path)
{
    if (!m_path.isEmpty())
        m_bus.disconnect(Service, m_path, RequestInterface, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
    m_path = path;
    if (!m_path.isEmpty())
        m_bus.connect(Service, m_path, RequestInterface, QStringLiteral("Response"), this,
                      SLOT(onResponse(uint, QVariantMap)));
}

void PortalRequest::onResponse(uint code, const QVariantMap& results)
{
    answer(code, results, QDBusError());
}

void PortalRequest::answer(uint code, const QVariantMap& results, const QDBusError& error)
{
    watch(QString());
    // Once only, and this object goes after its caller has taken the answer.
    const Answer answered = std::exchange(m_answered, nullptr);
    deleteLater();
    if (answered)
        answered(code, results, error);
}

} // namespace tarvex
