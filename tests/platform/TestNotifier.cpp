#include "platform/linux/DBusNotifier.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QtTest>

using namespace tarvex;

// A stand-in for a desktop's notification service: it records every notification as
// "<app> <replaces id> <summary>|<body>" and answers with the capabilities a test gives it.
class MockNotifications final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList shown;
    QStringList capabilities;

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& appName, uint replacesId, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int)
    {
        shown << QStringLiteral("%1 %2 %3|%4").arg(appName).arg(replacesId).arg(summary, body);
        return replacesId != 0 ? replacesId : uint(shown.size() + 100);
    }
};

// Activation notifications as a notification service receives them, on a private
// dbus-daemon with a mock service.
class TestNotifier final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start");
        QDBusConnection service = QDBusConnection::connectToBus(m_bus.address(), "service");
        QVERIFY(service.registerObject("/org/freedesktop/Notifications", &m_service,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.Notifications"));
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("client");
    }
    void init()
    {
        m_service.shown.clear();
        m_service.capabilities = QStringList{"body", "body-markup"};
    }

    // The body is escaped for a service that reads markup, and plain for one that does not.
    void bodyShowsAsWritten()
    {
        for (const bool markup : {true, false}) {
            m_service.shown.clear();
            m_service.capabilities =
                markup ? QStringList{"body", "body-markup"} : QStringList{"body"};
            DBusNotifier notifier(client());
            notifier.notify("(Ctrl)(Alt)k", "/home/u/R&D <draft>.txt");
            QTRY_COMPARE(m_service.shown.size(), 1);
            QCOMPARE(m_service.shown[0],
                     markup ? "Tarvex 0 (Ctrl)(Alt)k|/home/u/R&amp;D &lt;draft&gt;.txt"
                            : "Tarvex 0 (Ctrl)(Alt)k|/home/u/R&D <draft>.txt");
        }
    }

    void laterNotificationReplacesEarlier()
    {
        DBusNotifier notifier(client());
        notifier.notify("a", "/first");
        QTRY_COMPARE(m_service.shown.size(), 1);
        roundTrip(); // the answer that carries the first one's id
        notifier.notify("b", "/second");
        QTRY_COMPARE(m_service.shown.size(), 2);
        QCOMPARE(m_service.shown[1], "Tarvex 101 b|/second");
        // A report stands apart: it replaces none, and none replaces it.
        bool standIn = false;
        notifier.report("Tarvex", "Why", [&standIn] { standIn = true; });
        QTRY_COMPARE(m_service.shown.size(), 3);
        QVERIFY2(m_service.shown[2].startsWith("Tarvex 0 "), qPrintable(m_service.shown[2]));
        roundTrip();
        notifier.notify("c", "/third");
        QTRY_COMPARE(m_service.shown.size(), 4);
        QVERIFY2(m_service.shown[3].startsWith("Tarvex 101 "), qPrintable(m_service.shown[3]));
        QVERIFY(!standIn);
    }

    void withoutServiceNothingBreaks()
    {
        QDBusConnection service = QDBusConnection::connectToBus(m_bus.address(), "service");
        QVERIFY(service.unregisterService("org.freedesktop.Notifications"));
        DBusNotifier notifier(client());
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^No desktop notification shown: .+"));
        notifier.notify("a", "/nobody listens");
        int standIns = 0;
        notifier.report("Tarvex", "Why", [&standIns] { ++standIns; });
        notifier.notify("b", "/nobody listens either");
        // The report's stand-in takes its place, once.
        QTRY_COMPARE(standIns, 1);
        roundTrip();
        QCOMPARE(standIns, 1);
        // A service that starts later is used.
        QVERIFY(service.registerService("org.freedesktop.Notifications"));
        notifier.notify("c", "/heard");
        QTRY_COMPARE(m_service.shown.size(), 1);
        QVERIFY2(m_service.shown[0].contains(" c|"), qPrintable(m_service.shown[0]));
        // No bus at all: nothing is shown, nothing fails.
        DBusNotifier unconnected(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^No desktop notification shown: .+"));
        unconnected.notify("d", "/nowhere");
        unconnected.report("Tarvex", "Why", [&standIns] { ++standIns; });
        QCOMPARE(standIns, 2);
        QDBusConnection::disconnectFromBus("none");
    }

private:
    QDBusConnection client() { return QDBusConnection::connectToBus(m_bus.address(), "client"); }
    // Answers come in order: once a later call of the client's is answered, the notifier has
    // had the answers to every call it made before.
    static void roundTrip()
    {
        const QDBusPendingCall later =
            QDBusConnection(QStringLiteral("client"))
                .asyncCall(QDBusMessage::createMethodCall(
                    "org.freedesktop.Notifications", "/org/freedesktop/Notifications",
                    "org.freedesktop.Notifications", "GetCapabilities"));
        QTRY_VERIFY_WITH_TIMEOUT(later.isFinished(), 10000);
        QCoreApplication::processEvents();
    }

    PrivateBus m_bus;
    MockNotifications m_service;
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "TestNotifier.moc"
