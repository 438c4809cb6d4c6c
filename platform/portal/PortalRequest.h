#pragma once

#include <QDBusConnection>
#include <QDBusError>
#include <QLoggingCategory>
#include <QObject>
#include <QVariantMap>

#include <functional>

// The portal clients' messages (tarvex.portal); each answer is a debug line.
Q_DECLARE_LOGGING_CATEGORY(lcPortal)

namespace tarvex {

/// One call of a desktop portal method that answers through a Request object
/// (`org.freedesktop.portal.Request`). The call gets a handle_token of its own, and the
/// Request's Response signal is watched before the call is sent, so a quick answer is not
/// missed (it may even come before the call's return); a portal that answers with another
/// request path is followed there. `answered` runs once: with the Response's code and results,
/// or with a valid error (and code 2) when the call failed or there is no bus. It never runs
/// after `context` is destroyed.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    using Answer =
        std::function<void(uint code, const QVariantMap& results, const QDBusError& error)>;

    static void send(const QDBusConnection& bus, const QString& interface, const QString& method,
                     QVariantList arguments, QVariantMap options, QObject* context,
                     Answer answered);

private Q_SLOTS:
    void onResponse(uint code, const QVariantMap& results);

private:
    PortalRequest(const QDBusConnection& bus, QObject* context, Answer answered);
    void watch(const QString& path);
    void answer(uint code, const QVariantMap& results, const QDBusError& error);

    QDBusConnection m_bus;
    QString m_path;
    Answer m_answered;
};

} // namespace tarvex
