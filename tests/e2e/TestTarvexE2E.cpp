#include "AppDriver.h"
#include "E2EHarness.h"
#include "StatusNotifierHost.h"

#include <QtTest>

#include <csignal>

// The whole program, build/tarvex, on a private X session with a window manager (openbox)
// and an XEmbed tray (trayer): what a user sees and does, observed with the X tools.
class TestTarvexE2E final : public AppTestCase
{
    Q_OBJECT

private slots:
    void automaticStartShowsOnlyTrayIcon()
    {
        m_app->start({"AUTOMATIC"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        QCOMPARE(m_app->managedWindows(), QStringList());
        // A first start on a clean settings store also writes the login entry.
        QFile entry(m_harness->home() + "/.config/autostart/tarvex.desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(entry.readAll()).contains(" automatic"));
    }

    void secondStartIsRefused_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("hotkeys in the notification area: a box says so") << true;
        QTest::newRow("main window open: it comes to the front, no box") << false;
    }

    void secondStartIsRefused()
    {
        QFETCH(bool, automatic);
        QProcess& first = m_app->start(automatic ? QStringList{"automatic"} : QStringList{});
        QString main;
        if (automatic) {
            QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        } else {
            QVERIFY(!(main = AppDriver::waitForWindow("Tarvex")).isEmpty());
            QVERIFY(!m_app->openVictim("Victim in front").isEmpty());
        }
        std::unique_ptr<QProcess> second = m_app->startAnother({});
        if (automatic) {
            const QString box =
                E2EHarness::findWindow({"--pid", QString::number(second->processId())});
            QVERIFY(!box.isEmpty());
            QCOMPARE(E2EHarness::xdotool({"getwindowname", box}).trimmed(), QString("Tarvex"));
            E2EHarness::xdotool({"windowactivate", "--sync", box});
            press("Return");
        }
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        if (automatic)
            QCOMPARE(m_app->managedWindows(), QStringList());
        else
            QTRY_COMPARE_WITH_TIMEOUT(E2EHarness::xdotool({"getactivewindow"}).trimmed(), main,
                                      5000);
    }

    // A confirmation box of the program is open (it waits for the user, who does not answer it):
    // the other hotkeys still fire. The box is never answered here: its Yes would restart the
    // machine where the system allows it.
    void hotkeysFireWhileAQuestionIsOpen()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(
            m_harness->writeHotkeys({"(Ctrl)(Alt)r*-Instant Restart-", "(Ctrl)(Alt)t*" + target}));
        m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        press("ctrl+alt+r");
        QVERIFY(!m_app->waitForNewWindow("Restart Computer").isEmpty());
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
        QVERIFY(!AppDriver::windowGone("Restart Computer")); // still waiting for its answer
    }

    void trayExitEndsWithoutMainWindowAndRestoresHidden()
    {
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& program = m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        const QString victim = m_app->openVictim("Victim exit");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        m_app->chooseFromTrayMenu(icon, 4); // "Exit"
        // Watch the task list until the program has ended: the main window never appears.
        QStringList seen;
        const QDeadlineTimer deadline(8000);
        while (program.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            seen << m_app->managedWindows();
            program.waitForFinished(20);
        }
        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(seen, QStringList());
        QCOMPARE(AppDriver::mapState(victim), QString("IsViewable"));
    }

    // On an XEmbed tray a single click does nothing; the double-click opens.
    void trayDoubleClickStopsHotkeysAndShowsMainWindow()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target}));
        m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        AppDriver::click(AppDriver::centreOf(icon));
        QVERIFY(!QTest::qWaitFor([&] { return !m_app->managedWindows().isEmpty(); }, 1000));
        AppDriver::doubleClick(AppDriver::centreOf(icon));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_app->embeddedIcons().isEmpty(), 5000);
        press("ctrl+alt+t");
        QVERIFY(!QTest::qWaitFor([&] { return !m_harness->logLines().isEmpty(); }, 1000));
    }

    // One set of hidden-window slots for the whole run: a window hidden before the tray menu's
    // "Open" reloads the main window still comes back from its icon, and at the program's end.
    void hiddenWindowsComeBackAfterOpenAndAtExit()
    {
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& program = m_app->start({"automatic"});
        const QString programIcon = m_app->waitForProgramIcon();
        QVERIFY(!programIcon.isEmpty());
        const QString first = m_app->openVictim("Victim one");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(first), QString("IsUnMapped"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 2, 10000);
        QStringList hiddenIcons = m_app->embeddedIcons();
        hiddenIcons.removeAll(programIcon);
        QCOMPARE(hiddenIcons.size(), 1);

        m_app->chooseFromTrayMenu(programIcon, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
        // Started with "automatic", the reloaded main window starts the hotkeys again.
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 2, 10000);
        AppDriver::doubleClick(AppDriver::centreOf(hiddenIcons.first()));
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(first), QString("IsViewable"), 5000);

        const QString second = m_app->openVictim("Victim two");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(second), QString("IsUnMapped"), 5000);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(AppDriver::mapState(second), QString("IsViewable"));
    }

    // A run killed while it holds a maximized window hidden leaves it unmapped; the next start
    // brings it back, still maximized.
    void windowHiddenByAKilledRunComesBackMaximized()
    {
        const auto maximized = [](const QString& window) {
            const QString state = E2EHarness::run("xprop", {"-id", window, "_NET_WM_STATE"});
            return state.contains("_NET_WM_STATE_MAXIMIZED_VERT") &&
                   state.contains("_NET_WM_STATE_MAXIMIZED_HORZ");
        };
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& killed = m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        const QString victim = m_app->openVictim("Victim killed");
        E2EHarness::run("wmctrl", {"-i", "-r", victim, "-b", "add,maximized_vert,maximized_horz"});
        QTRY_VERIFY_WITH_TIMEOUT(maximized(victim), 5000);
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(5000));
        QCOMPARE(AppDriver::mapState(victim), QString("IsUnMapped"));
        m_app->start({"automatic"});
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(maximized(victim), 5000);
    }

    // A StatusNotifierItem tray (here one written for the test, on a private session bus) draws
    // the icons itself and reports a click as an activation, never a double-click: one click on a
    // hidden window's icon brings the window back, one on the program's icon opens the main window.
    void statusNotifierTrayOpensOnSingleClick()
    {
        StatusNotifierHost tray;
        QVERIFY(tray.start());
        m_app->setSessionBus(tray.address());
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        m_app->start({"automatic"});
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 1, 15000);
        const QString programItem = tray.items().first();
        const QString victim = m_app->openVictim("Victim tray");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 2, 10000);
        // The icons live in the D-Bus tray only, never in the session's XEmbed tray.
        QCOMPARE(m_app->embeddedIcons(), QStringList());
        // A tray that lists its entries by title tells the hidden window from the program.
        QCOMPARE(tray.property(tray.items().last(), "Title").toString(), QString("Victim tray"));
        QCOMPARE(tray.property(programItem, "Title").toString(), QString("Tarvex"));
        QVERIFY(!tray.property(tray.items().last(), "IconPixmap").isNull());

        QVERIFY(tray.activate(tray.items().last()));
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 5000);
        QVERIFY(tray.activate(programItem));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
    }

    // Run in a session without a tray: a small window of the program's own keeps the icon's
    // double-click (and menu, tip and balloon) available.
    void standInWindowWithoutTray()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        QVERIFY(!m_app->mainWindowShown());
        AppDriver::doubleClick(AppDriver::centreOf(standIn));
        QTRY_VERIFY_WITH_TIMEOUT(m_app->mainWindowShown(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 5000);
    }

    // Run in a session without a tray: a tray started later (as at login) receives the icon, and
    // the stand-in window goes away.
    void trayStartedLaterTakesTheIcon()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        QProcess tray;
        tray.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                              "--width", "200", "--height", "24"});
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 10000);
        tray.terminate();
        tray.waitForFinished();
    }

    // Run in a session without a tray: the stand-in window grows a list of the hidden window, and
    // Enter there brings it back.
    void hiddenWindowListedWithoutTray()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        const int smallHeight = AppDriver::geometryOf(standIn).height();
        const QString victim = m_app->openVictim("Victim listed");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::geometryOf(standIn).height() > smallHeight, 5000);
        E2EHarness::xdotool({"windowactivate", "--sync", standIn});
        press("Return");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::geometryOf(standIn).height(), smallHeight, 5000);
    }

private:
    QString standInWindow() const { return m_app->programWindow(40, 200); }
    static void press(const QString& keys) { AppDriver::press(keys); }
};

QTEST_GUILESS_MAIN(TestTarvexE2E)
#include "TestTarvexE2E.moc"
