#pragma once

#include "tests/fakes/PrivateBus.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>

// A stand-in for systemd-logind's seat0 and its active session: the properties GetAll reads,
// and their change signal.
class MockLogindSeat final : public QDBusVirtualObject
{
public:
    static constexpr const char* SessionPath = "/org/freedesktop/login1/session/c1";

    uint user = 0;
    bool hasSession = true, active = true, locked = false;

    /// User `uid`'s session is in front, active and unlocked.
    void reset(uint uid)
    {
        user = uid;
        hasSession = active = true;
        locked = false;
    }
    bool serve(QDBusConnection bus)
    {
        return bus.registerVirtualObject("/org/freedesktop/login1", this,
                                         QDBusConnection::SubPath) &&
               bus.registerService("org.freedesktop.login1");
    }
    /// Announces that the session's state changed (without the values, as logind may send it).
    void announce(QDBusConnection bus)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            SessionPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        signal << QStringLiteral("org.freedesktop.login1.Session") << QVariantMap{}
               << QStringList{"Active", "LockedHint"};
        bus.send(signal);
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != u"org.freedesktop.DBus.Properties" ||
            message.member() != u"GetAll")
            return false;
        const QString asked = message.path() + ' ' + message.arguments().value(0).toString();
        QVariantMap properties;
        if (asked == "/org/freedesktop/login1/seat/seat0 org.freedesktop.login1.Seat") {
            properties["ActiveSession"] =
                structure(QStringLiteral("c1"), QDBusObjectPath(hasSession ? SessionPath : "/"));
        } else if (asked == SessionPath + QStringLiteral(" org.freedesktop.login1.Session")) {
            properties["User"] = structure(user, QDBusObjectPath("/org/freedesktop/login1/user/u"));
            properties["Active"] = active;
            properties["LockedHint"] = locked;
        } else {
            return false;
        }
        return connection.send(message.createReply(QVariant::fromValue(properties)));
    }

private:
    template <typename First, typename Second>
    static QVariant structure(const First& first, const Second& second)
    {
        QDBusArgument argument;
        argument.beginStructure();
        argument << first << second;
        argument.endStructure();
        return QVariant::fromValue(argument);
    }
};

// A stand-in for polkit's authority: it records each CheckAuthorization as
// "action kind flags pid uid" (kind: the subject's) and allows it.
class MockPolkit final : public QDBusVirtualObject
{
public:
    QStringList calls;

    bool serve(QDBusConnection bus)
    {
        qDBusRegisterMetaType<QMap<QString, QString>>();
        return bus.registerVirtualObject("/org/freedesktop/PolicyKit1/Authority", this) &&
               bus.registerService("org.freedesktop.PolicyKit1");
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QVariantList arguments = message.arguments();
        if (message.member() != u"CheckAuthorization" || arguments.size() != 5)
            return false;
        const QDBusArgument subject = arguments.at(0).value<QDBusArgument>();
        QString kind;
        QVariantMap details;
        subject.beginStructure();
        subject >> kind >> details;
        subject.endStructure();
        calls << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(arguments.at(1).toString(), kind)
                     .arg(arguments.at(3).toUInt())
                     .arg(details.value("pid").toUInt())
                     .arg(details.value("uid").toInt());
        QDBusArgument result;
        result.beginStructure();
        result << true << false << QMap<QString, QString>();
        result.endStructure();
        return connection.send(message.createReply(QVariant::fromValue(result)));
    }
};
