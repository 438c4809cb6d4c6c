#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QProcess>
#include <QStringList>

// A minimal StatusNotifierItem tray for end-to-end tests: a private session bus (dbus-daemon)
// with a watcher that says a host is registered, records the items programs register and
// activates them as a click in such a tray does.
class StatusNotifierHost final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    // Qt reads the properties through the introspection data, which QtDBus makes from these.
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    StatusNotifierHost();
    ~StatusNotifierHost() override;

    // Starts the bus and claims the watcher's name on it; false on failure.
    bool start();
    // The address programs connect to (their DBUS_SESSION_BUS_ADDRESS).
    QString address() const { return m_address; }
    // The registered items as "service/path", oldest first.
    QStringList items() const { return m_items; }
    // Calls Activate(x, y) on `item`, as a left click in the tray does; false on an error reply.
    bool activate(const QString& item);
    // The item's property `name` (its Title, say), as a tray reads it; invalid on an error.
    QVariant property(const QString& item, const QString& name);

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& serviceOrPath, const QDBusMessage& message);
    void RegisterStatusNotifierHost(const QString& service);

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierHostRegistered();

private:
    QProcess m_daemon;
    QString m_address;
    QString m_connectionName;
    QStringList m_items;
};
