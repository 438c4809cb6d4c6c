// Termination signals arrive in the event loop in order, and end the run once open dialogs return.

#include "editor/hkCORE.h"
#include "shell/SignalWatcher.h"
#include "shell/Tarvex.h"
#include "shell/TarvexApplication.h"
#include "tests/app/ShellFixture.h"
#include "ui/ProgramIcon.h"
#include "ui/ProgramTrayIcon.h"
#include "ui/QtDialogs.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace tarvex;

class TestSignalWatcher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    void signalsArriveInTheEventLoop()
    {
        SignalWatcher watcher({SIGTERM, SIGHUP});
        QVERIFY(watcher.isActive());
        QSignalSpy spy(&watcher, &SignalWatcher::signalReceived);
        ::raise(SIGTERM);
        ::raise(SIGHUP);
        QCOMPARE(spy.count(), 0); // nothing runs inside the handler itself
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

    // A signal under a box's own event loop ends the run only after the box returns (its window
    // kept till then), and the hidden window comes back.
    void signalEndsTheRunAfterTheOpenDialog_data()
    {
        QTest::addColumn<bool>("overEditor");
        QTest::newRow("box over the editor") << true;
        QTest::newRow("box over the main window") << false;
    }

    void signalEndsTheRunAfterTheOpenDialog()
    {
        QFETCH(bool, overEditor);
        ShellFixture f({"automatic"});
        f.writeHotkeys("h*-Hide Window-");
        f.desktop.setForeground(7);
        SignalWatcher watcher({SIGTERM});
        bool dialogRunning = false;
        bool endedUnderDialog = false;
        bool ownerKeptThroughDialog = false;
        connect(f.shell.get(), &TarvexShell::finished, this,
                [&] { endedUnderDialog = dialogRunning; });
        QTimer::singleShot(0, this, [&] {
            f.keys.tap({72});
            f.shell->openFromTray();
            if (overEditor)
                f.shell->configureHotkeys();
            QPointer<QWidget> owner =
                overEditor ? static_cast<QWidget*>(f.shell->editor()) : f.shell->mainWindow();
            QTimer::singleShot(100, [] { ::raise(SIGTERM); });
            dialogRunning = true;
            QtDialogs().warn(owner, ProgramTitle, QStringLiteral("A box that waits for an answer"));
            dialogRunning = false;
            ownerKeptThroughDialog = !owner.isNull();
        });
        QCOMPARE(TarvexApplication::exec(*f.shell, watcher), 0);
        QVERIFY(f.shell->hasFinished());
        QVERIFY(ownerKeptThroughDialog);
        QVERIFY(!endedUnderDialog);
        QVERIFY(!f.desktop.isHidden(7));
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
