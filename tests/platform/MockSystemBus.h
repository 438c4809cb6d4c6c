#pragma once

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/prctl.h>

// A private bus configured as a system bus (dbus-daemon with a configuration file of its own),
// for services that talk to logind and polkit: point them at it with DBUS_SYSTEM_BUS_ADDRESS.
class PrivateSystemBus final
{
public:
    /// Starts the daemon; address() is empty when it did not start.
    PrivateSystemBus()
    {
        const QString config = m_folder.filePath("system.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-BUS Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>system</type><listen>unix:path=" +
                   QFile::encodeName(m_folder.filePath("bus")) +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow user=\"*\"/><allow own=\"*\"/><allow send_destination=\"*\"/>"
                   "<allow receive_sender=\"*\"/></policy></busconfig>\n");
        file.close();
        // The daemon ends with its owner, also when the owner is killed.
        m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_daemon.start("dbus-daemon", {"--config-file=" + config, "--nofork", "--print-address=1"});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateSystemBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    const QString& address() const { return m_address; }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
};

namespace mocksystembus {

template <typename First, typename Second>
QVariant structure(const First& first, const Second& second)
{
    QDBusArgument argument;
    argument.beginStructure();
    argument << first << second;
    argument.endStructure();
    return QVariant::fromValue(argument);
}

inline bool isGetAll(const QDBusMessage& message, const QString& interface)
{
    return message.interface() == u"org.freedesktop.DBus.Properties" &&
           message.member() == u"GetAll" && message.arguments().value(0).toString() == interface;
}

} // namespace mocksystembus

// A stand-in for systemd-logind's seat0 and its active session: the properties GetAll reads,
// and their change signal.
class MockLogindSeat final : public QDBusVirtualObject
{
public:
    static constexpr const char* SeatPath = "/org/freedesktop/login1/seat/seat0";
    static constexpr const char* SessionPath = "/org/freedesktop/login1/session/c1";

    uint user = 0;
    bool hasSession = true;
    bool active = true;
    bool locked = false;

    /// User `uid`'s session is in front, active and unlocked.
    void reset(uint uid)
    {
        user = uid;
        hasSession = true;
        active = true;
        locked = false;
    }

    /// Serves the logind name on `bus`.
    bool serve(QDBusConnection bus)
    {
        return bus.registerVirtualObject("/org/freedesktop/login1", this,
                                         QDBusConnection::SubPath) &&
               bus.registerService("org.freedesktop.login1");
    }
    /// Announces that the session's state changed (the signal carries no values, as logind
    /// may send it).
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
        using namespace mocksystembus;
        QVariantMap properties;
        if (message.path() == SeatPath && isGetAll(message, "org.freedesktop.login1.Seat")) {
            properties["ActiveSession"] =
                structure(QStringLiteral("c1"), QDBusObjectPath(hasSession ? SessionPath : "/"));
        } else if (message.path() == SessionPath &&
                   isGetAll(message, "org.freedesktop.login1.Session")) {
            properties["User"] = structure(user, QDBusObjectPath("/org/freedesktop/login1/user/u"));
            properties["Active"] = active;
            properties["LockedHint"] = locked;
        } else {
            return false;
        }
        return connection.send(message.createReply(QVariant::fromValue(properties)));
    }
};

// A stand-in for polkit's authority: it records each CheckAuthorization as
// "action flags pid uid" and answers `answer`.
class MockPolkit final : public QDBusVirtualObject
{
public:
    QStringList calls;
    bool answer = true;

    bool serve(QDBusConnection bus)
    {
        qDBusRegisterMetaType<QMap<QString, QString>>();
        return bus.registerVirtualObject("/org/freedesktop/PolicyKit1/Authority", this) &&
               bus.registerService("org.freedesktop.PolicyKit1");
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() != u"CheckAuthorization" || message.arguments().size() != 5)
            return false;
        const QDBusArgument subject = message.arguments().at(0).value<QDBusArgument>();
        QString kind;
        QVariantMap details;
        subject.beginStructure();
        subject >> kind >> details;
        subject.endStructure();
        calls << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(message.arguments().at(1).toString(), kind)
                     .arg(message.arguments().at(3).toUInt())
                     .arg(details.value("pid").toUInt())
                     .arg(details.value("uid").toInt());
        QDBusArgument result;
        result.beginStructure();
        result << answer << false << QMap<QString, QString>();
        result.endStructure();
        return connection.send(message.createReply(QVariant::fromValue(result)));
    }
};
