#include "platform/linux/DBusNotifier.h"
#include "tests/platform/MockNotifications.h"

#include "tests/fakes/PrivateBus.h"
#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QProcess>
#include <QtTest>

using namespace tarvex;

// Activation notifications as a notification service receives them, on a private
// dbus-daemon with a mock service.
class TestNotifier final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_address = m_bus.address();
        QVERIFY2(!m_address.isEmpty(), "dbus-daemon did not start");
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "service");
        QVERIFY(service.isConnected());
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

    void bodyShowsAsWritten_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("body");
        const QString target = "/home/u/R&D <draft>.txt";
        QTest::newRow("service reads markup")
            << QStringList{"body", "body-markup"} << "/home/u/R&amp;D &lt;draft&gt;.txt";
        QTest::newRow("plain text service") << QStringList{"body"} << target;
    }

    void bodyShowsAsWritten()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, body);
        m_service.capabilities = capabilities;
        DBusNotifier notifier(QDBusConnection::connectToBus(m_address, "client"));
        notifier.notify("(Ctrl)(Alt)k", "/home/u/R&D <draft>.txt");
        QTRY_COMPARE(m_service.shown.size(), 1);
        const MockNotifications::Shown& shown = m_service.shown[0];
        QCOMPARE(shown.appName, QString("Tarvex"));
        QCOMPARE(shown.summary, QString("(Ctrl)(Alt)k"));
        QCOMPARE(shown.body, body);
        QCOMPARE(shown.replacesId, 0u);
    }

    void laterNotificationReplacesEarlier()
    {
        DBusNotifier notifier(QDBusConnection::connectToBus(m_address, "client"));
        notifier.notify("a", "/first");
        QTRY_COMPARE(m_service.shown.size(), 1);
        roundTrip(); // the answer that carries the first one's id
        notifier.notify("b", "/second");
        QTRY_COMPARE(m_service.shown.size(), 2);
        QCOMPARE(m_service.shown[1].summary, QString("b"));
        QCOMPARE(m_service.shown[1].replacesId, 101u);
        // A report stands apart: it replaces none, and none replaces it.
        bool standIn = false;
        notifier.report("Tarvex", "Why", [&standIn] { standIn = true; });
        QTRY_COMPARE(m_service.shown.size(), 3);
        QCOMPARE(m_service.shown[2].replacesId, 0u);
        roundTrip();
        notifier.notify("c", "/third");
        QTRY_COMPARE(m_service.shown.size(), 4);
        QCOMPARE(m_service.shown[3].replacesId, 101u);
        QVERIFY(!standIn);
    }

    void withoutServiceNothingBreaks()
    {
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "service");
        QVERIFY(service.unregisterService("org.freedesktop.Notifications"));
        DBusNotifier notifier(QDBusConnection::connectToBus(m_address, "client"));
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
        QCOMPARE(m_service.shown[0].summary, QString("c"));
        // No bus at all: nothing is shown, nothing fails.
        DBusNotifier unconnected(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^No desktop notification shown: .+"));
        unconnected.notify("d", "/nowhere");
        unconnected.report("Tarvex", "Why", [&standIns] { ++standIns; });
        QCOMPARE(standIns, 2);
        QDBusConnection::disconnectFromBus("none");
    }

private:
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
    QString m_address;
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "TestNotifier.moc"
