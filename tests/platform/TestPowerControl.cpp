#include "platform/linux/LogindPowerControl.h"
#include "tests/platform/MockLogind.h"

#include "tests/fakes/PrivateBus.h"
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>

#include <QtTest>

using namespace tarvex;

// The power requests as logind receives them, on a private dbus-daemon with a
// mock logind: nothing is ever switched off.
class TestPowerControl final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_address = m_bus.address();
        QVERIFY2(!m_address.isEmpty(), "dbus-daemon did not start");
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "logind");
        QVERIFY(service.isConnected());
        QVERIFY(service.registerObject("/org/freedesktop/login1", &m_logind,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.login1"));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("logind");
        QDBusConnection::disconnectFromBus("client");
    }
    void init() { m_logind.calls.clear(); }

    void request_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("received");
        qputenv("XDG_SESSION_ID", "c7");
        QTest::newRow("log off") << "logOff"
                                 << "TerminateSession c7";
        QTest::newRow("shut down") << "shutDown"
                                   << "PowerOff true";
        QTest::newRow("restart") << "restart"
                                 << "Reboot true";
        QTest::newRow("instant shutdown halts") << "instantShutdown"
                                                << "HaltWithFlags 16";
        QTest::newRow("instant restart") << "instantRestart"
                                         << "RebootWithFlags 16";
        QTest::newRow("instant poweroff") << "instantPoweroff"
                                          << "PowerOffWithFlags 16";
    }

    void request()
    {
        QFETCH(QString, request);
        QFETCH(QString, received);
        m_logind.refuseFlags = false;
        LogindPowerControl power(QDBusConnection::connectToBus(m_address, "client"));
        QVERIFY(run(power, request));
        QTRY_COMPARE(m_logind.calls, QStringList{received});
    }

    void instantFallsBackOnOlderLogind_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("received");
        QTest::newRow("shutdown") << "instantShutdown"
                                  << "Halt false";
        QTest::newRow("restart") << "instantRestart"
                                 << "Reboot false";
        QTest::newRow("poweroff") << "instantPoweroff"
                                  << "PowerOff false";
    }

    void instantFallsBackOnOlderLogind()
    {
        QFETCH(QString, request);
        QFETCH(QString, received);
        m_logind.refuseFlags = true;
        LogindPowerControl power(QDBusConnection::connectToBus(m_address, "client"));
        QVERIFY(run(power, request));
        QTRY_COMPARE(m_logind.calls, QStringList{received});
    }

    void noBusRefusesQuietly()
    {
        LogindPowerControl power(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
        QVERIFY(!power.shutDown());
        QVERIFY(!power.instantPoweroff());
    }

private:
    static bool run(LogindPowerControl& power, const QString& request);

    PrivateBus m_bus;
    MockLogind m_logind;
    QString m_address;
};

bool TestPowerControl::run(LogindPowerControl& power, const QString& request)
{
    const QMap<QString, bool (LogindPowerControl::*)()> requests{
        {"logOff", &LogindPowerControl::logOff},
        {"shutDown", &LogindPowerControl::shutDown},
        {"restart", &LogindPowerControl::restart},
        {"instantShutdown", &LogindPowerControl::instantShutdown},
        {"instantRestart", &LogindPowerControl::instantRestart},
        {"instantPoweroff", &LogindPowerControl::instantPoweroff},
    };
    return (power.*requests.value(request))();
}

QTEST_GUILESS_MAIN(TestPowerControl)
#include "TestPowerControl.moc"
