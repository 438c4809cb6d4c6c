#include "platform/portal/PortalGlobalShortcuts.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;
using State = GlobalShortcuts::State;

namespace {
const QString Frontend = QStringLiteral("/usr/libexec/xdg-desktop-portal");
// The frontend and the buses are processes of their own: on a loaded machine their answers may
// take seconds, so every wait is for a state, and long.
constexpr int Long = 60000;
} // namespace

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
    // The user presses shortcut `id` of the last session.
    void press(const QString& id) { emit Activated(QDBusObjectPath(session), id, 0, {}); }

public slots:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle, const QString&,
                       const QVariantMap&, QVariantMap&)
    {
        calls << "CreateSession";
        session = sessionHandle.path();
        m_bound.remove(session);
        m_bus.registerObject(session, new StandInSession(calls, this),
                             QDBusConnection::ExportAllSlots);
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

private:
    QDBusConnection m_bus;
    QHash<QString, PortalShortcuts> m_bound;
};

// The portal client against the real xdg-desktop-portal frontend on a private bus, which hands
// the calls to a stand-in backend that follows the documented flow (found through its .portal
// file, as the frontend finds a desktop's own backend).
class TestPortalGlobalShortcuts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QFile::exists(Frontend))
            QSKIP("xdg-desktop-portal is not installed (scripts/install-deps.sh installs it)");
        const QString portals = m_dir.filePath("xdg-desktop-portal/portals");
        QVERIFY(QDir().mkpath(portals));
        QFile file(portals + "/tarvextest.portal");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[portal]\nDBusName=org.freedesktop.impl.portal.desktop.tarvextest\n"
                   "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts\nUseIn=tarvextest\n");
        file.close();
        const QString address = m_bus.address();
        QVERIFY2(!address.isEmpty(), "dbus-daemon did not start");
        QDBusConnection backend = QDBusConnection::connectToBus(address, "backend");
        m_backend = std::make_unique<StandInShortcutsPortal>(backend);
        QVERIFY(backend.registerObject("/org/freedesktop/portal/desktop", m_backend.get(),
                                       QDBusConnection::ExportAllContents));
        QVERIFY(backend.registerService("org.freedesktop.impl.portal.desktop.tarvextest"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        env.insert("XDG_CURRENT_DESKTOP", "tarvextest");
        // Version 1.16 reads backends from XDG_DESKTOP_PORTAL_DIR, later ones from XDG_DATA_DIRS.
        env.insert("XDG_DESKTOP_PORTAL_DIR", portals);
        env.insert("XDG_DATA_DIRS", m_dir.path());
        m_frontend.setProcessEnvironment(env);
        m_frontend.start(Frontend, {"--replace"});
        QDBusConnection client = QDBusConnection::connectToBus(address, "client");
        QTRY_VERIFY_WITH_TIMEOUT(
            client.interface()->isServiceRegistered("org.freedesktop.portal.Desktop"), Long);
        m_client = std::make_unique<PortalGlobalShortcuts>(client);
        m_client->setActivatedCallback([this](const QString& id) { m_activated << id; });
        QVERIFY(client.connect(
            "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
            "org.freedesktop.portal.GlobalShortcuts", "Activated", this,
            SLOT(countForwarded(QDBusObjectPath, QString, qulonglong, QVariantMap))));
        QVERIFY(PortalGlobalShortcuts::isOffered(client));
    }

    void cleanupTestCase()
    {
        m_client.reset();
        m_frontend.terminate();
        m_frontend.waitForFinished();
    }

    void bindsThroughTheDocumentedFlow()
    {
        bindAndWait(
            {{"CTRL+ALT+k", "/usr/bin/kate", "CTRL+ALT+k"}, {"F12", "-Close Window-", "F12"}},
            State::Bound);
        QCOMPARE(m_backend->calls,
                 (QStringList{"CreateSession", "ListShortcuts",
                              "BindShortcuts CTRL+ALT+k=CTRL+ALT+k (/usr/bin/kate), "
                              "F12=F12 (-Close Window-)"}));
        QVERIFY(m_client->problem().isEmpty());
        m_backend->press("F12");
        m_backend->press("F11"); // not asked for
        m_backend->press("CTRL+ALT+k");
        QTRY_COMPARE_WITH_TIMEOUT(m_activated, (QStringList{"F12", "CTRL+ALT+k"}), Long);
    }

    void changedListIsBoundInANewSession()
    {
        bindAndWait({{"F12", "-Close Window-", "F12"}}, State::Bound);
        const QString before = m_backend->session;
        bindAndWait({{"LOGO+e", "/usr/bin/nautilus", "LOGO+e"}}, State::Bound);
        QCOMPARE(m_backend->calls,
                 (QStringList{"Close", "CreateSession", "ListShortcuts",
                              "BindShortcuts LOGO+e=LOGO+e (/usr/bin/nautilus)"}));
        QCOMPARE(m_backend->session, before); // the same token: the desktop keeps one group
        m_backend->press("F12");              // no longer asked for
        m_backend->press("LOGO+e");
        QTRY_COMPARE_WITH_TIMEOUT(m_activated, QStringList{"LOGO+e"}, Long);
    }

    void declinedIsReportedAndNotBound()
    {
        bindAndWait({{"CTRL+q", "/usr/bin/x", "CTRL+q"}}, State::Declined);
        QVERIFY(m_backend->calls.last().startsWith("BindShortcuts"));
        QVERIFY(!m_client->problem().isEmpty());
        m_forwarded = 0;
        m_backend->press("CTRL+q");
        QTRY_COMPARE_WITH_TIMEOUT(m_forwarded, 1, Long);
        QVERIFY(m_activated.isEmpty());
        m_backend->answer = 0;
        m_client->bind({{"CTRL+q", "/usr/bin/x", "CTRL+q"}}); // asked again: now allowed
        QTRY_COMPARE_WITH_TIMEOUT(m_client->state(), State::Bound, Long);
    }

    void missingWhereNoPortalAnswers()
    {
        // A session bus with nobody offering the portal, and no service that it could start.
        PrivateBus bare(PrivateBus::Kind::Bare);
        const QString address = bare.address();
        QVERIFY(!address.isEmpty());
        const QDBusConnection bus = QDBusConnection::connectToBus(address, "bare");
        QVERIFY(bus.isConnected());
        QVERIFY(!PortalGlobalShortcuts::isOffered(bus));
        {
            PortalGlobalShortcuts client(bus);
            client.bind({{"F12", "x", "F12"}});
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), State::Missing, Long);
            QVERIFY(!client.problem().isEmpty());
        }
        QDBusConnection::disconnectFromBus("bare");
        // No session bus at all (a bare Wayland session): no call is ever answered.
        PortalGlobalShortcuts unconnected(QDBusConnection(QStringLiteral("none")));
        unconnected.bind({{"F12", "x", "F12"}});
        QTRY_COMPARE_WITH_TIMEOUT(unconnected.state(), State::Missing, Long);
    }

public slots:
    // Every Activated signal that reaches the client's connection, used or not.
    void countForwarded(const QDBusObjectPath&, const QString&, qulonglong, const QVariantMap&)
    {
        ++m_forwarded;
    }

private:
    // Binds `shortcuts`, the user answering as `expected` needs.
    void bindAndWait(const QList<GlobalShortcut>& shortcuts, State expected)
    {
        m_backend->calls.clear();
        m_activated.clear();
        m_backend->answer = expected == State::Declined ? 1 : 0;
        m_client->bind(shortcuts);
        QCOMPARE(m_client->state(), State::Binding);
        QTRY_COMPARE_WITH_TIMEOUT(m_client->state(), expected, Long);
    }

    QTemporaryDir m_dir;
    // No service starts on it: the frontend's calls to the desktop's other services (documents,
    // permissions) fail at once instead of starting them, which on a loaded machine held the
    // frontend for many seconds.
    PrivateBus m_bus{PrivateBus::Kind::Bare};
    QProcess m_frontend;
    std::unique_ptr<StandInShortcutsPortal> m_backend;
    std::unique_ptr<PortalGlobalShortcuts> m_client;
    QStringList m_activated;
    int m_forwarded = 0;
};

QTEST_GUILESS_MAIN(TestPortalGlobalShortcuts)
#include "TestPortalGlobalShortcuts.moc"
