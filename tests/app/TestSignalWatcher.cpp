// Termination signals arrive in the event loop in order (their end of a run: TestEndingE2E).

#include "shell/SignalWatcher.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

using namespace tarvex;

class TestSignalWatcher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsArriveInTheEventLoop()
    {
        SignalWatcher watcher({SIGTERM, SIGHUP});
        QVERIFY(watcher.isActive());
        QSignalSpy spy(&watcher, &SignalWatcher::signalReceived);
        ::raise(SIGTERM);
        ::raise(SIGHUP);
        // Nothing runs inside the handler itself.
        QCOMPARE(spy.count(), 0);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).first().toInt(), SIGTERM);
        QCOMPARE(spy.at(1).first().toInt(), SIGHUP);
    }

    void secondWatcherStaysInactive()
    {
        SignalWatcher first({SIGTERM});
        SignalWatcher second({SIGTERM});
        QVERIFY(first.isActive());
        QVERIFY(!second.isActive());
    }

    void destructionRestoresDefaultHandling()
    {
        {
            SignalWatcher watcher({SIGUSR1});
        }
        struct sigaction current = {};
        ::sigaction(SIGUSR1, nullptr, &current);
        QVERIFY(current.sa_handler == SIG_DFL);
    }
};

QTEST_MAIN(TestSignalWatcher)
#include "TestSignalWatcher.moc"
