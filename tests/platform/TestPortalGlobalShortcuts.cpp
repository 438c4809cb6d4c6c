#include "platform/portal/PortalGlobalShortcuts.h"
#include "tests/fakes/PrivateBus.h"

#include <QtDBus>
#include <QtTest>

using namespace tarvex;
using State = GlobalShortcuts::State;
using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;
constexpr int Long = 60000; // the frontend and the buses are processes: a loaded machine is slow

// A GlobalShortcuts backend that follows the documented flow: sessions start empty, "the user"
// answers BindShortcuts with `answer` (0 yes, 1 no); `calls` records the calls.
class StandInShortcutsPortal final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    QStringList calls;
    uint answer = 0;
    QString session; // the last one created
    StandInShortcutsPortal()
    {
        qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
        qDBusRegisterMetaType<PortalShortcuts>();
        qRegisterMetaType<PortalShortcuts>("PortalShortcuts"); // as the slot below names it
    }
    uint version() const { return 1; }
    void press(const QString& id) { emit Activated(QDBusObjectPath(session), id, 0, {}); }
public slots:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle, const QString&,
                       const QVariantMap&, QVariantMap&)
    {
        calls << "CreateSession";
        session = sessionHandle.path();
        return 0;
    }
    uint ListShortcuts(const QDBusObjectPath&, const QDBusObjectPath&, QVariantMap&)
    {
        calls << "ListShortcuts";
        return 0;
    }
    uint BindShortcuts(const QDBusObjectPath&, const QDBusObjectPath&,
                       const PortalShortcuts& shortcuts, const QString&, const QVariantMap&,
                       QVariantMap& results)
    {
        QStringList listed;
        for (const auto& [id, properties] : shortcuts)
            listed << id + "=" + properties.value("preferred_trigger").toString() + " (" +
                          properties.value("description").toString() + ")";
        calls << "BindShortcuts " + listed.join(", ");
        results.insert("shortcuts", QVariant::fromValue(shortcuts));
        return answer;
    }
signals:
    void Activated(const QDBusObjectPath&, const QString&, qulonglong, const QVariantMap&);
};

// A portal that sends each request's Response before the call that made it returns, as portals
// may: a session, no shortcuts listed, all bound.
class EarlyAnsweringPortal final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options)
    {
        return respond(options, {{"session_handle", "/org/freedesktop/portal/desktop/session/a"}});
    }
    QDBusObjectPath ListShortcuts(const QDBusObjectPath&, const QVariantMap& options)
    {
        return respond(options, {});
    }
    QDBusObjectPath BindShortcuts(const QDBusObjectPath&, const PortalShortcuts&, const QString&,
                                  const QVariantMap& options)
    {
        return respond(options, {});
    }

private:
    QDBusObjectPath respond(const QVariantMap& options, const QVariantMap& results)
    {
        const QString path = "/org/freedesktop/portal/desktop/request/" +
                             message().service().mid(1).replace('.', '_') + '/' +
                             options.value("handle_token").toString();
        connection().send(
            QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response")
            << 0u << results);
        return QDBusObjectPath(path);
    }
};

// The portal client against the real frontend, which finds the stand-in through its .portal file.
class TestPortalGlobalShortcuts final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString frontend = "/usr/libexec/xdg-desktop-portal";
        if (!QFile::exists(frontend))
            QSKIP("xdg-desktop-portal is not installed (scripts/install-deps.sh installs it)");
        const QString portals = m_dir.filePath("xdg-desktop-portal/portals");
        QFile file(portals + "/tarvextest.portal");
        QVERIFY(QDir().mkpath(portals) && file.open(QIODevice::WriteOnly));
        file.write("[portal]\nDBusName=org.freedesktop.impl.portal.desktop.tarvextest\n"
                   "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts\nUseIn=tarvextest\n");
        file.close();
        QDBusConnection backend = QDBusConnection::connectToBus(m_bus.address(), "backend");
        QVERIFY(backend.registerObject("/org/freedesktop/portal/desktop", &m_backend,
                                       QDBusConnection::ExportAllContents));
        QVERIFY(backend.registerService("org.freedesktop.impl.portal.desktop.tarvextest"));
        // Version 1.16 reads backends from XDG_DESKTOP_PORTAL_DIR, later ones from XDG_DATA_DIRS.
        m_frontend.setEnvironment(
            QProcess::systemEnvironment()
            << "DBUS_SESSION_BUS_ADDRESS=" + m_bus.address() << "XDG_CURRENT_DESKTOP=tarvextest"
            << "XDG_DESKTOP_PORTAL_DIR=" + portals << "XDG_DATA_DIRS=" + m_dir.path());
        m_frontend.start(frontend, {"--replace"});
        QDBusConnection client = QDBusConnection::connectToBus(m_bus.address(), "client");
        QTRY_VERIFY_WITH_TIMEOUT(
            client.interface()->isServiceRegistered("org.freedesktop.portal.Desktop"), Long);
        QVERIFY(PortalGlobalShortcuts::isOffered(client));
        m_client = std::make_unique<PortalGlobalShortcuts>(client);
        m_client->setActivatedCallback([this](const QString& id) { m_activated << id; });
    }
    void cleanupTestCase() { m_frontend.terminate(), m_frontend.waitForFinished(); }

    void bindsThroughTheDocumentedFlow()
    {
        bindAndWait(
            {{"CTRL+ALT+k", "/usr/bin/kate", "CTRL+ALT+k"}, {"F12", "-Close Window-", "F12"}},
            State::Bound);
        QCOMPARE(m_backend.calls,
                 (QStringList{"CreateSession", "ListShortcuts",
                              "BindShortcuts CTRL+ALT+k=CTRL+ALT+k (/usr/bin/kate), "
                              "F12=F12 (-Close Window-)"}));
        m_backend.press("F12");
        QTRY_COMPARE_WITH_TIMEOUT(m_activated, QStringList{"F12"}, Long);
        bindAndWait({{"LOGO+e", "/usr/bin/nautilus", "LOGO+e"}}, State::Bound);
        m_backend.press("F12"); // no longer asked for
        m_backend.press("LOGO+e");
        QTRY_COMPARE_WITH_TIMEOUT(m_activated, QStringList{"LOGO+e"}, Long);
        bindAndWait({{"CTRL+q", "/usr/bin/x", "CTRL+q"}}, State::Declined);
        QVERIFY(!m_client->problem().isEmpty());
        m_client->bind({}); // a release waits for no answer
        QVERIFY(m_client->state() != State::Binding);
        QTRY_COMPARE_WITH_TIMEOUT(m_client->state(), State::Idle, Long);
    }

    // Each step goes on from its Response, also when it comes before the call's return.
    void bindsWhenAnsweredBeforeTheCallReturns()
    {
        PrivateBus bus(PrivateBus::Kind::Bare);
        QDBusConnection portal = QDBusConnection::connectToBus(bus.address(), "early");
        EarlyAnsweringPortal early;
        QVERIFY(portal.registerObject("/org/freedesktop/portal/desktop", &early,
                                      QDBusConnection::ExportAllSlots));
        QVERIFY(portal.registerService("org.freedesktop.portal.Desktop"));
        PortalGlobalShortcuts client(QDBusConnection::connectToBus(bus.address(), "asking"));
        client.bind({{"F12", "x", "F12"}});
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), State::Bound, Long);
    }

    // Nobody offers the portal, nor could start it; or no session bus at all (a bare Wayland).
    void missingWhereNoPortalAnswers()
    {
        PrivateBus bare(PrivateBus::Kind::Bare);
        const QDBusConnection bus = QDBusConnection::connectToBus(bare.address(), "bare");
        QVERIFY(!PortalGlobalShortcuts::isOffered(bus));
        for (const QDBusConnection& connection : {bus, QDBusConnection(QStringLiteral("none"))}) {
            PortalGlobalShortcuts client(connection);
            client.bind({{"F12", "x", "F12"}});
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), State::Missing, Long);
            QVERIFY(!client.problem().isEmpty());
        }
    }

private:
    void bindAndWait(const QList<GlobalShortcut>& shortcuts, State expected)
    {
        m_backend.calls.clear();
        m_activated.clear();
        m_backend.answer = expected == State::Declined ? 1 : 0;
        m_client->bind(shortcuts);
        QCOMPARE(m_client->state(), State::Binding);
        QTRY_COMPARE_WITH_TIMEOUT(m_client->state(), expected, Long);
    }

    QTemporaryDir m_dir;
    // No service starts on it: the frontend's calls to other services fail at once, not slowly.
    PrivateBus m_bus{PrivateBus::Kind::Bare};
    QProcess m_frontend;
    StandInShortcutsPortal m_backend;
    std::unique_ptr<PortalGlobalShortcuts> m_client;
    QStringList m_activated;
};

QTEST_GUILESS_MAIN(TestPortalGlobalShortcuts)
#include "TestPortalGlobalShortcuts.moc"
