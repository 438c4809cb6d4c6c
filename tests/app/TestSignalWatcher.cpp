// Termination signals arrive in the event loop in order, and end the run once open dialogs return.

#include "editor/hkCORE.h"
#include "shell/SignalWatcher.h"
#include "shell/TarvexApplication.h"
#include "tests/app/ShellFixture.h"
#include "ui/ProgramIcon.h"
#include "ui/ProgramTrayIcon.h"
#include "ui/QtDialogs.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <unistd.h>

using namespace tarvex;

namespace {

// How many pipes the process holds open (other descriptors may come and go meanwhile).
int OpenPipes()
{
    int pipes = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[16] = {};
        if (::readlink(QFile::encodeName(fds.filePath(fd)).constData(), target, sizeof target - 1) >
            0)
            pipes += QByteArrayView(target).startsWith("pipe:");
    }
    return pipes;
}

} // namespace

class TestSignalWatcher final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    // Signals arrive in order in the event loop, never inside the handler; one watcher per
    // signal; a watcher's end restores the default handling and closes its pipe.
    void signalsArriveInTheEventLoop()
    {
        const int pipes = OpenPipes();
        {
            SignalWatcher watcher({SIGTERM, SIGHUP, SIGUSR1});
            SignalWatcher second({SIGTERM});
            QVERIFY(watcher.isActive() && !second.isActive());
            QSignalSpy spy(&watcher, &SignalWatcher::signalReceived);
            ::raise(SIGTERM);
            ::raise(SIGHUP);
            QCOMPARE(spy.count(), 0);
            QTRY_COMPARE(spy, (QList<QVariantList>{{SIGTERM}, {SIGHUP}}));
        }
        struct sigaction current = {};
        ::sigaction(SIGUSR1, nullptr, &current);
        QVERIFY(current.sa_handler == SIG_DFL);
        QCOMPARE(OpenPipes(), pipes);
    }

    // A signal under a box's own event loop ends the run only after the box returns (its
    // window kept till then), and the hidden window comes back.
    void signalEndsTheRunAfterTheOpenDialog()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("h*-Hide Window-");
        f.desktop.setForeground(7);
        SignalWatcher watcher({SIGTERM});
        bool dialogRunning = false, endedUnderDialog = false, ownerKept = false;
        connect(f.shell.get(), &TarvexShell::finished, this,
                [&] { endedUnderDialog = dialogRunning; });
        QTimer::singleShot(0, this, [&] {
            f.keys.tap({72});
            f.shell->configureHotkeys();
            QPointer<QWidget> owner = f.shell->editor();
            QTimer::singleShot(100, [] { ::raise(SIGTERM); });
            dialogRunning = true;
            QtDialogs().warn(owner, ProgramTitle, QStringLiteral("A box that waits for an answer"));
            dialogRunning = false;
            ownerKept = !owner.isNull();
        });
        QCOMPARE(TarvexApplication::exec(*f.shell, watcher), 0);
        QCOMPARE(
            std::tuple(f.shell->hasFinished(), ownerKept, endedUnderDialog, f.desktop.isHidden(7)),
            std::tuple(true, true, false, false));
    }
};

QTEST_MAIN(TestSignalWatcher)
#include "TestSignalWatcher.moc"
