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

    // An older logind refuses the *WithFlags methods: the instant requests fall back on the
    // plain ones, without asking the user.
    void request_data()
    {
        QTest::addColumn<bool>("older");
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("received");
        qputenv("XDG_SESSION_ID", "c7");
        const auto row = [](const char* name, bool older, const char* request, const char* got) {
            QTest::newRow(name) << older << QString(request) << QString(got);
        };
        row("log off", false, "logOff", "TerminateSession c7");
        row("shut down", false, "shutDown", "PowerOff true");
        row("restart", false, "restart", "Reboot true");
        row("instant shutdown halts", false, "instantShutdown", "HaltWithFlags 16");
        row("instant restart", false, "instantRestart", "RebootWithFlags 16");
        row("instant poweroff", false, "instantPoweroff", "PowerOffWithFlags 16");
        row("older: instant shutdown", true, "instantShutdown", "Halt false");
        row("older: instant restart", true, "instantRestart", "Reboot false");
        row("older: instant poweroff", true, "instantPoweroff", "PowerOff false");
    }

    void request()
    {
        QFETCH(bool, older);
        QFETCH(QString, request);
        QFETCH(QString, received);
        m_logind.refuseFlags = older;
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
