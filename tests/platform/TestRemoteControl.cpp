#include "platform/linux/DBusRemoteControl.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QtTest>

#include <future>

using namespace tarvex;

// The program's D-Bus interface on a private session bus, called as a script calls it, from
// another connection (on a thread of its own: the program answers on this one's event loop).
class TestRemoteControl final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start"); }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("program");
        QDBusConnection::disconnectFromBus("second");
        QDBusConnection::disconnectFromBus("script");
        QDBusConnection::disconnectFromBus("none");
    }

    void requestsReachTheirHandlers()
    {
        QCOMPARE(call("Pause"), std::optional<QStringList>()); // nothing runs yet
        QStringList heard;
        RemoteControl::Handlers handlers;
        handlers.setPaused = [&heard](bool paused) { heard << (paused ? "pause" : "resume"); };
        handlers.reload = [&heard] { heard << "reload"; };
        handlers.showMainWindow = [&heard] { heard << "show"; };
        handlers.listHotkeys = [] { return QStringList{"(Ctrl)(Alt)t\t/bin/t", "ab\t-Log Off-"}; };
        auto program = std::make_unique<DBusRemoteControl>(connect("program"));
        QVERIFY(program->start(handlers));
        // A second program on the bus finds the name taken; the first keeps answering.
        DBusRemoteControl second(connect("second"));
        QVERIFY(!second.start({}));
        for (const QString method : {"Pause", "Resume", "Reload", "ShowMainWindow"})
            QCOMPARE(call(method), std::optional<QStringList>(QStringList()));
        QCOMPARE(heard, (QStringList{"pause", "resume", "reload", "show"}));
        QCOMPARE(call("ListHotkeys"),
                 std::optional<QStringList>({"(Ctrl)(Alt)t\t/bin/t", "ab\t-Log Off-"}));
        // As a script sees it: a list of strings.
        QCOMPARE(raw("ListHotkeys").signature(), QString("as"));
        QCOMPARE(raw("Quit").type(), QDBusMessage::ErrorMessage);
        QCOMPARE(heard.size(), 4);
        program.reset();
        QCOMPARE(call("Pause"), std::optional<QStringList>());
    }

    // No session bus: nothing is offered, and a request finds no program.
    void withoutBus()
    {
        const QDBusConnection none =
            QDBusConnection::connectToBus("unix:path=/nonexistent", "none");
        DBusRemoteControl program(none);
        QVERIFY(!program.start({}));
        QCOMPARE(DBusRemoteControl::call(none, "Pause"), std::optional<QStringList>());
    }

private:
    QDBusConnection connect(const QString& name) const
    {
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }

    // Calls from the script's connection on a thread while this one's event loop runs.
    template <typename Call> static auto fromScript(Call callOnBus)
    {
        auto answer = std::async(std::launch::async, callOnBus);
        (void)QTest::qWaitFor(
            [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            10000);
        return answer.get();
    }

    std::optional<QStringList> call(const QString& method) const
    {
        const QDBusConnection script = connect("script");
        return fromScript([&] { return DBusRemoteControl::call(script, method); });
    }

    QDBusMessage raw(const QString& method) const
    {
        const QDBusConnection script = connect("script");
        return fromScript([&] {
            return script.call(QDBusMessage::createMethodCall(
                "org.tarvex.Tarvex", "/org/tarvex/Tarvex", "org.tarvex.Tarvex", method));
        });
    }

    PrivateBus m_bus{PrivateBus::Kind::Bare};
};

QTEST_GUILESS_MAIN(TestRemoteControl)
#include "TestRemoteControl.moc"
