#include "activation/HiddenWindowSlots.h"
#include "activation/SpecialActions.h"
#include "platform/wayland/WlrDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FakePowerControl.h"
#include "tests/platform/WlrToplevelServer.h"

#include <QtTest>

using namespace tarvex;

// The foreign-toplevel client against a stand-in compositor that speaks the protocol: which
// requests each action sends, and how the foreground window follows the compositor's states.
class TestWlrDesktopWindows final : public QObject
{
    Q_OBJECT

private slots:
    void foregroundFollowsActivatedState()
    {
        WlrToplevelServer server;
        server.addToplevel("Editor", "org.example.editor");
        const int terminal = server.addToplevel("Terminal", "foot");
        server.activate(terminal);
        WlrDesktopWindows windows(server.clientFd());
        QVERIFY(windows.isAvailable());
        const WindowId first = windows.foregroundWindow();
        QCOMPARE(windows.windowTitle(first), "Terminal");
        // A window opened later is announced too, and takes the focus.
        const int browser = server.addToplevel("Browser", "org.example.browser");
        server.activate(browser);
        const WindowId second = windows.foregroundWindow();
        QVERIFY(second != first);
        QCOMPARE(windows.windowTitle(second), "Browser");
        server.activate(terminal);
        QCOMPARE(windows.foregroundWindow(), first);
        server.activate(0); // the focus is on no toplevel (a desktop layer, a locked screen)
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
    }

    void windowActionsSendTheirRequests()
    {
        WlrToplevelServer server;
        server.addToplevel("Editor", "org.example.editor");
        const int terminal = server.addToplevel("Terminal", "foot");
        server.activate(terminal);
        WlrDesktopWindows windows(server.clientFd());
        FakeHiddenWindowIcons icons;
        FakePowerControl power;
        FakeDialogs dialogs;
        HiddenWindowSlots hiddenSlots(windows, icons);
        SpecialActions actions(windows, power, dialogs, hiddenSlots);
        // A maximized window stays maximized, as on X11.
        for (auto action : {SpecialAction::MinimizeWindow, SpecialAction::MaximizeWindow,
                            SpecialAction::MaximizeWindow})
            actions.RunSpecialAction(action);
        QTRY_COMPARE(server.requests(),
                     (QStringList{"set_minimized Terminal", "set_maximized Terminal",
                                  "set_maximized Terminal"}));
        QCOMPARE(server.states(terminal), (QStringList{"maximized", "minimized", "activated"}));
        // Hiding minimizes and keeps the window in a slot; a click on its icon brings it back
        // and gives it the focus again.
        actions.RunSpecialAction(SpecialAction::HideWindow);
        QCOMPARE(icons.entries().value(0), "Terminal");
        server.activate(1);
        icons.doubleClick(0);
        QTRY_COMPARE(server.requests().mid(3),
                     (QStringList{"set_minimized Terminal", "unset_minimized Terminal",
                                  "activate Terminal"}));
        QCOMPARE(server.states(1), QStringList{});
        QCOMPARE(windows.windowTitle(windows.foregroundWindow()), "Terminal");
        actions.RunSpecialAction(SpecialAction::CloseWindow);
        QTRY_COMPARE(server.requests().mid(6), QStringList{"close Terminal"});
    }

    void closedWindowNamesNothing()
    {
        WlrToplevelServer server;
        const int editor = server.addToplevel("Editor", "org.example.editor");
        server.activate(editor);
        WlrDesktopWindows windows(server.clientFd());
        const WindowId gone = windows.foregroundWindow();
        QVERIFY(gone != 0);
        server.close(editor);
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
        QCOMPARE(windows.windowTitle(gone), QString());
        windows.closeWindow(gone);
        windows.minimizeWindow(gone);
        windows.showWindow(gone);
        // A new window never gets the id of the closed one.
        const int next = server.addToplevel("Next", "next");
        server.activate(next);
        const WindowId fresh = windows.foregroundWindow();
        QVERIFY(fresh != 0 && fresh != gone);
        windows.closeWindow(fresh);
        QTRY_COMPARE(server.requests(), QStringList{"close Next"});
    }

    void titleAndAppId()
    {
        WlrToplevelServer server;
        const QString sixty = QString(60, 'x');
        const int plain = server.addToplevel(sixty, "org.example.long");
        // The 50th character opens a surrogate pair (U+1F600): the pair is not cut in two.
        const int emoji =
            server.addToplevel(QString(49, 'y') + QString::fromUcs4(U"\U0001F600z"), "");
        server.activate(plain);
        WlrDesktopWindows windows(server.clientFd());
        const WindowId first = windows.foregroundWindow();
        QCOMPARE(windows.windowTitle(first), QString(50, 'x'));
        QCOMPARE(windows.windowAppId(first), "org.example.long");
        server.activate(emoji);
        QCOMPARE(windows.windowTitle(windows.foregroundWindow()), QString(49, 'y'));
        // A change counts once the compositor says it is complete ("done").
        server.setTitle(plain, "Half told", false);
        windows.foregroundWindow();
        QCOMPARE(windows.windowTitle(first), QString(50, 'x'));
        server.activate(plain);
        QCOMPARE(windows.windowTitle(windows.foregroundWindow()), "Half told");
    }

    void withoutTheProtocolNothingIsAvailable()
    {
        WlrToplevelServer server(false);
        server.activate(server.addToplevel("Editor", "org.example.editor"));
        WlrDesktopWindows windows(server.clientFd());
        QVERIFY(!windows.isAvailable());
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
    }

    void compositorGoneLeavesNoWindows()
    {
        WlrToplevelServer server;
        server.activate(server.addToplevel("Editor", "org.example.editor"));
        WlrDesktopWindows windows(server.clientFd());
        const WindowId editor = windows.foregroundWindow();
        QVERIFY(editor != 0);
        server.disconnectClient();
        QTRY_COMPARE(windows.foregroundWindow(), WindowId(0));
        QVERIFY(!windows.isAvailable());
        windows.closeWindow(editor);
        QCOMPARE(windows.windowTitle(editor), QString());
    }
};

QTEST_GUILESS_MAIN(TestWlrDesktopWindows)
#include "TestWlrDesktopWindows.moc"
