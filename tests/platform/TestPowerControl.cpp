#include "platform/linux/LogindPowerControl.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QtTest>

using namespace tarvex;

// A stand-in for systemd-logind's Manager object: it records every call as "Method argument"
// and can refuse the *WithFlags methods the way an older logind does.
class MockLogind final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;
    bool refuseFlags = false;

public slots:
    void TerminateSession(const QString& id) { calls << "TerminateSession " + id; }
    void PowerOff(bool interactive) { record("PowerOff", interactive); }
    void Reboot(bool interactive) { record("Reboot", interactive); }
    void Halt(bool interactive) { record("Halt", interactive); }
    void PowerOffWithFlags(qulonglong flags) { recordFlags("PowerOffWithFlags", flags); }
    void RebootWithFlags(qulonglong flags) { recordFlags("RebootWithFlags", flags); }
    void HaltWithFlags(qulonglong flags) { recordFlags("HaltWithFlags", flags); }

private:
    void record(const QString& method, bool interactive)
    {
        calls << method + (interactive ? " true" : " false");
    }
    void recordFlags(const QString& method, qulonglong flags)
    {
        if (refuseFlags)
            sendErrorReply(QDBusError::InvalidArgs, "Invalid flags parameter");
        else
            calls << method + ' ' + QString::number(flags);
    }
};

// The power requests as logind receives them, on a private dbus-daemon with a
// mock logind: nothing is ever switched off.
class TestPowerControl final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start");
        QDBusConnection service = QDBusConnection::connectToBus(m_bus.address(), "logind");
        QVERIFY(service.registerObject("/org/freedesktop/login1", &m_logind,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.login1"));
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("logind");
        QDBusConnection::disconnectFromBus("client");
    }

    // An older logind refuses the *WithFlags methods: the instant requests fall back on the
    // plain ones, without asking the user.
    void request()
    {
        using P = LogindPowerControl;
        qputenv("XDG_SESSION_ID", "c7");
        const struct
        {
            bool older;
            bool (P::*request)();
            const char* received;
        } rows[] = {
            {false, &P::logOff, "TerminateSession c7"},
            {false, &P::shutDown, "PowerOff true"},
            {false, &P::restart, "Reboot true"},
            {false, &P::instantShutdown, "HaltWithFlags 16"}, // halts
            {false, &P::instantRestart, "RebootWithFlags 16"},
            {false, &P::instantPoweroff, "PowerOffWithFlags 16"},
            {true, &P::instantShutdown, "Halt false"},
            {true, &P::instantRestart, "Reboot false"},
            {true, &P::instantPoweroff, "PowerOff false"},
        };
        for (const auto& row : rows) {
            LogindPowerControl power(QDBusConnection::connectToBus(m_bus.address(), "client"));
            m_logind.calls.clear();
            m_logind.refuseFlags = row.older;
            QVERIFY((power.*row.request)());
            QTRY_COMPARE(m_logind.calls, QStringList{row.received});
        }
    }

    void noBusRefusesQuietly()
    {
        LogindPowerControl power(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
        QVERIFY(!power.shutDown());
        QVERIFY(!power.instantPoweroff());
    }

private:
    PrivateBus m_bus;
    MockLogind m_logind;
};

QTEST_GUILESS_MAIN(TestPowerControl)
#include "TestPowerControl.moc"
