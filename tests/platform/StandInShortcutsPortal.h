#pragma once

#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;

// A session of the stand-in backend: the frontend closes it when its client does.
class StandInSession final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.Session")

public:
    StandInSession(QStringList& calls, QObject* parent) : QObject(parent), m_calls(calls) {}

public slots:
    void Close()
    {
        m_calls << "Close";
        deleteLater();
    }

signals:
    void Closed();

private:
    QStringList& m_calls;
};

// A GlobalShortcuts backend that follows the documented flow, for the real frontend: sessions
// start empty whatever CreateSession's options say, and BindShortcuts asks "the user", who
// answers `answer` (0 yes, 1 no), binding the list given there. Records "CreateSession",
// "ListShortcuts", "BindShortcuts id=trigger (description), ..." and "Close".
class StandInShortcutsPortal final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

public:
    QStringList calls;
    uint answer = 0;
    QString session; // the last session created

    explicit StandInShortcutsPortal(const QDBusConnection& bus) : m_bus(bus)
    {
        qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
        qDBusRegisterMetaType<PortalShortcuts>();
        // The slot below names the list by this name.
        qRegisterMetaType<PortalShortcuts>("PortalShortcuts");
    }
    uint version() const { return 1; }

    // The user presses shortcut `id` of `session`.
    void press(const QString& id, const QString& inSession)
    {
        emit Activated(QDBusObjectPath(inSession), id, 0, {});
    }

public slots:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle, const QString&,
                       const QVariantMap&, QVariantMap&)
    {
        calls << "CreateSession";
        session = sessionHandle.path();
        m_bound.remove(session);
        m_bus.registerObject(session, new StandInSession(calls, this),
                             QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals);
        return 0;
    }
    uint ListShortcuts(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle,
                       QVariantMap& results)
    {
        calls << "ListShortcuts";
        results.insert("shortcuts", QVariant::fromValue(m_bound.value(sessionHandle.path())));
        return 0;
    }
    uint BindShortcuts(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle,
                       const PortalShortcuts& shortcuts, const QString&, const QVariantMap&,
                       QVariantMap& results)
    {
        QStringList listed;
        for (const auto& [id, properties] : shortcuts)
            listed << QString("%1=%2 (%3)")
                          .arg(id, properties.value("preferred_trigger").toString(),
                               properties.value("description").toString());
        calls << "BindShortcuts " + listed.join(", ");
        if (answer != 0)
            return answer;
        m_bound.insert(sessionHandle.path(), shortcuts);
        results.insert("shortcuts", QVariant::fromValue(shortcuts));
        return 0;
    }

signals:
    void Activated(const QDBusObjectPath& session_handle, const QString& shortcut_id,
                   qulonglong timestamp, const QVariantMap& options);
    void Deactivated(const QDBusObjectPath& session_handle, const QString& shortcut_id,
                     qulonglong timestamp, const QVariantMap& options);
    void ShortcutsChanged(const QDBusObjectPath& session_handle, const PortalShortcuts& shortcuts);

private:
    QDBusConnection m_bus;
    QHash<QString, PortalShortcuts> m_bound;
};
