#include "platform/linux/LogindPowerControl.h"
#include "tests/fakes/PrivateBus.h"

#include <QtDBus>
#include <QtTest>

using namespace tarvex;

// A stand-in for logind's Manager, recording "Method argument"; like older ones, no HaltWithFlags.
class MockLogind final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QStringList calls;
public slots:
    void TerminateSession(const QString& id) { calls << "TerminateSession " + id; }
    void PowerOff(bool interactive) { calls << QString("PowerOff %1").arg(interactive); }
    void Reboot(bool interactive) { calls << QString("Reboot %1").arg(interactive); }
    void Halt(bool interactive) { calls << QString("Halt %1").arg(interactive); }
    void PowerOffWithFlags(qulonglong flags)
    {
        calls << QString("PowerOffWithFlags %1").arg(flags);
    }
};

// Requests as logind receives them; an instant one falls back on the plain method, not asking.
class TestPowerControl final : public QObject
{
    Q_OBJECT

private slots:
    void request()
    {
        PrivateBus bus;
        MockLogind logind;
        QDBusConnection service = QDBusConnection::connectToBus(bus.address(), "logind");
        QVERIFY(service.registerObject("/org/freedesktop/login1", &logind,
                                       QDBusConnection::ExportAllSlots) &&
                service.registerService("org.freedesktop.login1"));
        qputenv("XDG_SESSION_ID", "c7");
        using P = LogindPowerControl;
        const std::pair<bool (P::*)(), QString> rows[] = {
            {&P::logOff, "TerminateSession c7"}, {&P::shutDown, "PowerOff 1"},
            {&P::restart, "Reboot 1"},           {&P::instantPoweroff, "PowerOffWithFlags 16"},
            {&P::instantShutdown, "Halt 0"}, // halts
        };
        P power(QDBusConnection::connectToBus(bus.address(), "client"));
        for (const auto& [request, received] : rows) {
            logind.calls.clear();
            QVERIFY((power.*request)());
            QTRY_COMPARE(logind.calls, QStringList{received});
        }
        P none(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
        QVERIFY(!none.shutDown() && !none.instantPoweroff()); // no bus: refused quietly
    }
};

QTEST_GUILESS_MAIN(TestPowerControl)
#include "TestPowerControl.moc"
