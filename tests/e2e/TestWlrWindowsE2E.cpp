#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WlrDesktopWindows.h"
#include "SwayTree.h"

#include <QtTest>

using namespace tarvex;

// The foreign-toplevel client on a real compositor (headless sway), with foot terminals as the
// windows of other programs and sway's own tree as the witness.
class TestWlrWindowsE2E final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (auto& foot : m_feet) {
            foot->kill();
            foot->waitForFinished(5000);
        }
        m_feet.clear();
    }

    void foregroundIsWhatSwayFocuses()
    {
        QVERIFY(openFoot("test.first", "First terminal"));
        WlrDesktopWindows windows;
        QVERIFY(windows.isAvailable());
        const WindowId first = windows.foregroundWindow();
        QCOMPARE(windows.windowTitle(first), swayFocused().value("name").toString());
        QCOMPARE(windows.windowAppId(first), "test.first");

        // A window opened while the client runs is told to it, with the focus it takes.
        QVERIFY(
            openFoot("test.second", "Second terminal with a title longer than fifty characters"));
        QTRY_COMPARE(windows.windowTitle(windows.foregroundWindow()),
                     swayFocused().value("name").toString().left(50));
        E2EHarness::run("swaymsg", {"[app_id=test.first]", "focus"});
        QTRY_COMPARE(windows.foregroundWindow(), first);
        QCOMPARE(swayFocused().value("name").toString(), "First terminal");
    }

    void closeEndsTheWindow()
    {
        QVERIFY(openFoot("test.stays", "Stays"));
        QVERIFY(openFoot("test.closed", "Closed"));
        WlrDesktopWindows windows;
        const WindowId focused = windows.foregroundWindow();
        QCOMPARE(windows.windowAppId(focused), "test.closed");
        windows.closeWindow(focused);
        QTRY_VERIFY_WITH_TIMEOUT(!swayAppIds().contains("test.closed"), 10000);
        QVERIFY(swayAppIds().contains("test.stays"));
        QTRY_COMPARE(windows.windowAppId(windows.foregroundWindow()), "test.stays");
        QCOMPARE(windows.windowTitle(focused), QString());
    }

    // sway ignores minimize requests; hiding moves the window to sway's scratchpad, and showing
    // brings it back tiled, with the focus.
    void hideUsesTheScratchpad()
    {
        QVERIFY(openFoot("test.other", "Other"));
        QVERIFY(openFoot("test.hidden", "Hidden"));
        const QString workspace = swayPlaceOf("test.hidden").first;
        WlrDesktopWindows windows;
        windows.useSwayScratchpad(std::make_unique<SwayIpc>(qEnvironmentVariable("SWAYSOCK")));
        const WindowId hidden = windows.foregroundWindow();
        windows.hideWindow(hidden);
        QTRY_COMPARE(swayPlaceOf("test.hidden"), qMakePair(QString("__i3_scratch"), true));
        QTRY_COMPARE(swayFocused().value("app_id").toString(), "test.other");

        windows.showWindow(hidden);
        QTRY_COMPARE(swayPlaceOf("test.hidden"), qMakePair(workspace, false));
        QTRY_COMPARE(swayFocused().value("app_id").toString(), "test.hidden");
        QCOMPARE(windows.foregroundWindow(), hidden);
    }

private:
    bool openFoot(const QString& appId, const QString& title);
    std::vector<std::unique_ptr<QProcess>> m_feet;
};

// A foot terminal running a quiet program, so no shell changes the title it was given.
bool TestWlrWindowsE2E::openFoot(const QString& appId, const QString& title)
{
    auto foot = std::make_unique<QProcess>();
    foot->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    foot->start("foot", {"--app-id=" + appId, "--title=" + title, "sleep", "600"});
    if (!foot->waitForStarted())
        return false;
    m_feet.push_back(std::move(foot));
    return waitForFocus(appId);
}

QTEST_GUILESS_MAIN(TestWlrWindowsE2E)
#include "TestWlrWindowsE2E.moc"
