#include "platform/linux/DBusRemoteControl.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnection>
#include <QtTest>

#include <future>

using namespace tarvex;

// The program's D-Bus interface on a private session bus, called as a script calls it, from
// another connection on a thread of its own (the program answers on this thread's event loop).
class TestRemoteControl final : public QObject
{
    Q_OBJECT

private slots:
    void requestsReachTheirHandlers()
    {
        QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start");
        QVERIFY(!call("Pause")); // nothing runs yet
        QStringList heard;
        const QStringList hotkeys{"(Ctrl)(Alt)t\t/bin/t", "ab\t-Log Off-"};
        auto program = std::make_unique<DBusRemoteControl>(connect("program"));
        QVERIFY(program->start({[&heard](bool paused) { heard << (paused ? "pause" : "resume"); },
                                [&heard] { heard << "reload"; }, [&heard] { heard << "show"; },
                                [&hotkeys] { return hotkeys; }}));
        for (const QString method : {"Pause", "Resume", "Reload", "ShowMainWindow"})
            QCOMPARE(call(method), std::optional<QStringList>(QStringList()));
        QCOMPARE(heard, (QStringList{"pause", "resume", "reload", "show"}));
        QCOMPARE(call("ListHotkeys"), std::optional<QStringList>(hotkeys));
        program.reset();
        QVERIFY(!call("Pause"));
        // No session bus: nothing is offered.
        QVERIFY(
            !DBusRemoteControl(QDBusConnection::connectToBus("unix:path=/none", "none")).start({}));
    }

private:
    QDBusConnection connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }

    std::optional<QStringList> call(const QString& method) const
    {
        auto answer = std::async(std::launch::async, [this, method] {
            return DBusRemoteControl::call(connect("script"), method);
        });
        (void)QTest::qWaitFor(
            [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        return answer.get();
    }

    PrivateBus m_bus{PrivateBus::Kind::Bare};
};

QTEST_GUILESS_MAIN(TestRemoteControl)
#include "TestRemoteControl.moc"
