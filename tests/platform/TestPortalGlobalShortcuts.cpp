#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/portal/PortalKeyInjector.h"
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

// A portal frontend that sends each request's Response before the call that made it returns, as
// portals may.
class EarlyAnswers : public QObject, protected QDBusContext
{
    Q_OBJECT // QtDBus finds the context through the meta-object's casts
        protected : QDBusObjectPath
                    respond(const QVariantMap& options, const QVariantMap& results)
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

// Global shortcuts answered early: a session, no shortcuts listed, all bound.
class EarlyAnsweringPortal final : public EarlyAnswers
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
};

// A RemoteDesktop backend with a keyboard: "the user" answers Start with `answer` (0 yes, 1 no);
// `keys` records each key as "+keysym" (pressed) or "-keysym" (released), in hexadecimal.
class StandInRemoteDesktop final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.RemoteDesktop")
    Q_PROPERTY(uint version READ version)
    Q_PROPERTY(uint AvailableDeviceTypes READ keyboard)
public:
    QStringList keys;
    uint answer = 0;
    uint version() const { return 2; }
    uint keyboard() const { return 1; }
public slots:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath&, const QString&,
                       const QVariantMap&, QVariantMap&)
    {
        return 0;
    }
    uint SelectDevices(const QDBusObjectPath&, const QDBusObjectPath&, const QString&,
                       const QVariantMap&, QVariantMap&)
    {
        return 0;
    }
    uint Start(const QDBusObjectPath&, const QDBusObjectPath&, const QString&, const QString&,
               const QVariantMap&, QVariantMap& results)
    {
        results = {{"devices", 1u}};
        return answer;
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath&, const QVariantMap&, int keysym, uint state)
    {
        keys << (state ? "+" : "-") + QString::number(keysym, 16);
    }
};

// The frontend's RemoteDesktop as later versions keep its sessions (1.16 keeps none), answered
// early: each start with a new restore token; `selected` records SelectDevices' options.
class StandInRemoteDesktopFrontend final : public EarlyAnswers
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.RemoteDesktop")
public:
    QList<QVariantMap> selected;
public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options)
    {
        return respond(options, {{"session_handle", "/org/freedesktop/portal/desktop/session/s"}});
    }
    QDBusObjectPath SelectDevices(const QDBusObjectPath&, const QVariantMap& options)
    {
        selected << options;
        return respond(options, {});
    }
    QDBusObjectPath Start(const QDBusObjectPath&, const QString&, const QVariantMap& options)
    {
        return respond(options,
                       {{"devices", 1u}, {"restore_token", "t" + QString::number(++m_starts)}});
    }
    void NotifyKeyboardKeysym(const QDBusObjectPath&, const QVariantMap&, int, uint) {}

private:
    int m_starts = 0;
};

// The portal clients against the real frontend, which finds the stand-ins through their .portal
// files.
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
        // The remote control's stand-in is a backend of its own, as a desktop may have several.
        QFile keysFile(portals + "/tarvextestkeys.portal");
        QVERIFY(keysFile.open(QIODevice::WriteOnly));
        keysFile.write("[portal]\nDBusName=org.freedesktop.impl.portal.desktop.tarvextestkeys\n"
                       "Interfaces=org.freedesktop.impl.portal.RemoteDesktop\nUseIn=tarvextest\n");
        keysFile.close();
        QDBusConnection keys = QDBusConnection::connectToBus(m_bus.address(), "keys backend");
        QVERIFY(keys.registerObject("/org/freedesktop/portal/desktop", &m_keysBackend,
                                    QDBusConnection::ExportAllContents));
        QVERIFY(keys.registerService("org.freedesktop.impl.portal.desktop.tarvextestkeys"));
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
        EarlyAnsweringPortal early;
        QVERIFY(offerPortal(bus, early, "early"));
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

    // The first keys wait for the session to start; each character arrives as its keysym (a line
    // break as Return), and typing stops where the focus moved away.
    void typesThroughTheRemoteDesktopPortal()
    {
        const QDBusConnection client = QDBusConnection::connectToBus(m_bus.address(), "client");
        QVERIFY(PortalKeyInjector::isOffered(client));
        PortalKeyInjector injector(m_dir.filePath("token"), client);
        QVERIFY(injector.available());
        QVERIFY(injector.typeText("Grüße, €5 🙂\n", [] { return true; }).isEmpty());
        QVERIFY(injector.pressBackspace(2).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(m_keysBackend.keys,
                                  taps({0x47, 0x72, 0xfc, 0xdf, 0x65, 0x2c, 0x20, 0x20ac, 0x35,
                                        0x20, 0x101f642, 0xff0d, 0xff08, 0xff08}),
                                  Long);
        m_keysBackend.keys.clear();
        // Asked as each character goes out: the window loses the focus once "a" has arrived.
        injector.typeText("abc", [this] { return m_keysBackend.keys.isEmpty(); });
        injector.typeText("z", [] { return true; });
        QTRY_COMPARE_WITH_TIMEOUT(m_keysBackend.keys, taps({'a', 'z'}), Long);
    }

    // The user's no is kept: the injector says why it cannot type, and does not ask again.
    void keepsTheUsersNoToRemoteControl()
    {
        m_keysBackend.answer = 1;
        PortalKeyInjector injector(m_dir.filePath("token"),
                                   QDBusConnection::connectToBus(m_bus.address(), "declined"));
        injector.typeText("x", [] { return true; });
        QTRY_VERIFY_WITH_TIMEOUT(!injector.available(), Long);
        QVERIFY(!injector.unavailableReason().isEmpty());
        injector.pressBackspace(1);
        QVERIFY(!injector.available());
        m_keysBackend.answer = 0;
    }

    // Each start hands the portal the restore token of the last one, so the desktop restores
    // the permission instead of asking, and keeps the new token.
    void restoresRemoteControlWithTheLastToken()
    {
        PrivateBus bus(PrivateBus::Kind::Bare);
        StandInRemoteDesktopFrontend frontend;
        QVERIFY(offerPortal(bus, frontend, "frontend"));
        const QString token = m_dir.filePath("state/token");
        for (const QString saved : {"t1", "t2"}) {
            PortalKeyInjector injector(token, QDBusConnection::connectToBus(bus.address(), saved));
            injector.pressBackspace(1);
            QTRY_COMPARE_WITH_TIMEOUT(fileText(token), saved, Long);
        }
        QCOMPARE(frontend.selected.size(), 2);
        QCOMPARE(frontend.selected[0].value("types"), QVariant(1u));
        QCOMPARE(frontend.selected[0].value("persist_mode"), QVariant(2u));
        QVERIFY(!frontend.selected[0].contains("restore_token"));
        QCOMPARE(frontend.selected[1].value("restore_token"), QVariant("t1"));
        // A session the desktop ends is started again: keys until the injector has seen the end.
        PortalKeyInjector injector(token, QDBusConnection::connectToBus(bus.address(), "again"));
        injector.pressBackspace(1);
        QTRY_COMPARE_WITH_TIMEOUT(fileText(token), "t3", Long);
        QDBusConnection("frontend")
            .send(QDBusMessage::createSignal("/org/freedesktop/portal/desktop/session/s",
                                             "org.freedesktop.portal.Session", "Closed")
                  << QVariantMap());
        QTRY_COMPARE_WITH_TIMEOUT((injector.pressBackspace(1), fileText(token)), "t4", Long);
        QCOMPARE(frontend.selected.last().value("restore_token"), QVariant("t3"));
    }

private:
    // `portal` answers as the desktop portal frontend on `bus`, through the connection `name`.
    static bool offerPortal(const PrivateBus& bus, QObject& portal, const QString& name)
    {
        QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), name);
        return connection.registerObject("/org/freedesktop/portal/desktop", &portal,
                                         QDBusConnection::ExportAllSlots) &&
               connection.registerService("org.freedesktop.portal.Desktop");
    }
    static QStringList taps(const QList<int>& keysyms)
    {
        QStringList keys;
        for (int keysym : keysyms)
            keys << "+" + QString::number(keysym, 16) << "-" + QString::number(keysym, 16);
        return keys;
    }
    static QString fileText(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
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
    StandInRemoteDesktop m_keysBackend;
    std::unique_ptr<PortalGlobalShortcuts> m_client;
    QStringList m_activated;
};

QTEST_GUILESS_MAIN(TestPortalGlobalShortcuts)
#include "TestPortalGlobalShortcuts.moc"
