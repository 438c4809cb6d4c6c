#include "platform/wayland/WlrDesktopWindows.h"
#include "tests/platform/WlrToplevelServer.h"

#include <QtTest>

using namespace tarvex;

// The foreign-toplevel client against a stand-in compositor that speaks the protocol.
class TestWlrDesktopWindows final : public QObject
{
    Q_OBJECT

private slots:
    void foregroundFollowsActivatedState()
    {
        WlrToplevelServer server;
        server.addToplevel(QString(60, 'x'), "org.example.long");
        // The 50th character opens a surrogate pair (U+1F600): the pair is not cut in two.
        const int emoji =
            server.addToplevel(QString(49, 'y') + QString::fromUcs4(U"\U0001F600z"), "");
        server.activate(1);
        WlrDesktopWindows windows(server.clientFd());
        QVERIFY(windows.isAvailable());
        const WindowId first = windows.foregroundWindow();
        QCOMPARE(QStringList({windows.windowTitle(first), windows.windowAppId(first)}),
                 QStringList({QString(50, 'x'), "org.example.long"}));
        server.activate(emoji);
        QCOMPARE(windows.windowTitle(windows.foregroundWindow()), QString(49, 'y'));
        // A window opened later is announced too, and takes the focus.
        server.activate(server.addToplevel("Browser", "org.example.browser"));
        const WindowId browser = windows.foregroundWindow();
        QVERIFY(browser != first);
        QCOMPARE(windows.windowTitle(browser), "Browser");
        // Its application is its app id; the running ones are those that gave one.
        QCOMPARE(std::tuple(windows.canTellApplications(), windows.applicationNames(browser),
                            windows.runningApplications()),
                 std::tuple(true, QStringList{"org.example.browser"},
                            QStringList{"org.example.long", "org.example.browser"}));
        server.activate(1);
        QCOMPARE(windows.foregroundWindow(), first);
        server.activate(0); // the focus is on no toplevel (a desktop layer, a locked screen)
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
        // Each call reaches the compositor at once; a maximized window stays so, as on X11.
        using W = WlrDesktopWindows;
        for (void (W::*call)(WindowId) : {&W::minimizeWindow, &W::maximizeWindow,
                                          &W::maximizeWindow, &W::showWindow, &W::closeWindow}) {
            const qsizetype sent = server.requests().size();
            (windows.*call)(browser);
            QTRY_VERIFY(server.requests().size() > sent);
        }
        QCOMPARE(server.requests(), QStringList({"set_minimized Browser", "set_maximized Browser",
                                                 "set_maximized Browser", "unset_minimized Browser",
                                                 "activate Browser", "close Browser"}));
    }

    void withoutTheProtocolNothingIsAvailable()
    {
        WlrToplevelServer server(false);
        server.activate(server.addToplevel("Editor", "org.example.editor"));
        WlrDesktopWindows windows(server.clientFd());
        QVERIFY(!windows.isAvailable());
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
    }
};

QTEST_GUILESS_MAIN(TestWlrDesktopWindows)
#include "TestWlrDesktopWindows.moc"
