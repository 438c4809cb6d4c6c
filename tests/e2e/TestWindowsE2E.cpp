#include "AppDriver.h"
#include "E2EHarness.h"

#include <QtTest>

// The four window actions of the running hotkeys on a real window under a
// real window manager (openbox), and the tray icon of a hidden window in a
// real XEmbed tray (trayer).
class TestWindowsE2E final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_harness = std::make_unique<E2EHarness>();
        QVERIFY(m_harness->writeHotkeys(
            {"(Ctrl)(Alt)m*-Minimize Window-", "(Ctrl)(Alt)x*-maximize window-",
             "(Ctrl)(Alt)c*-Close Window-", "(Ctrl)(Alt)h*-Hide Window-"}));
        QVERIFY(m_harness->startHost());
    }

    void init() { m_windows = std::make_unique<AppDriver>(*m_harness); }
    void cleanup() { m_windows.reset(); } // its windows end with it

    void minimize()
    {
        const QString window = openVictim("Victim minimize");
        QVERIFY(!window.isEmpty());
        QVERIFY(property(window, "WM_STATE").contains("Normal"));
        press("ctrl+alt+m");
        QTRY_VERIFY_WITH_TIMEOUT(property(window, "WM_STATE").contains("Iconic"), 5000);
    }

    void maximize()
    {
        const QString window = openVictim("Victim maximize");
        QVERIFY(!window.isEmpty());
        QVERIFY(!property(window, "_NET_WM_STATE").contains("MAXIMIZED"));
        press("ctrl+alt+x");
        QTRY_VERIFY_WITH_TIMEOUT(
            property(window, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_VERT"), 5000);
        QVERIFY(property(window, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
    }

    void close()
    {
        const QString window = openVictim("Victim close");
        QVERIFY(!window.isEmpty());
        press("ctrl+alt+c");
        QVERIFY(m_windows->lastVictim().waitForFinished(5000));
    }

    void hideAndRestoreFromTray()
    {
        const QString window = openVictim("Victim hide");
        QVERIFY(!window.isEmpty());
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(mapState(window), QString("IsUnMapped"), 5000);
        QCOMPARE(m_harness->waitForHostLine("tray ", 5000), QString("tray 0"));
        QPoint icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = embeddedIconCentre()).isNull(), 10000);
        AppDriver::doubleClick(icon);
        QTRY_COMPARE_WITH_TIMEOUT(mapState(window), QString("IsViewable"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), window.toULongLong(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(embeddedIconCentre().isNull(), 5000);
    }

    // The foreground window may vanish between the hotkey and the action: nothing happens.
    void closedWindowIsNoError()
    {
        const QString window = openVictim("Victim gone");
        QVERIFY(!window.isEmpty());
        m_windows->lastVictim().kill();
        m_windows->lastVictim().waitForFinished();
        const qsizetype actions = m_harness->hostLines("action").size();
        const qsizetype trayIcons = m_harness->hostLines("tray").size();
        press("ctrl+alt+x");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->hostLines("action").size(), actions + 2, 5000);
        // The host is still running and acting, and hid nothing before.
        const QString next = openVictim("Victim after");
        press("ctrl+alt+m");
        QTRY_VERIFY_WITH_TIMEOUT(property(next, "WM_STATE").contains("Iconic"), 5000);
        QCOMPARE(m_harness->hostLines("tray").size(), trayIcons);
    }

    // Run in a session without a tray: the icon of a window hidden then appears
    // when a tray starts, and restores the window as usual.
    void trayStartedLater()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        const QString window = openVictim("Victim late tray");
        QVERIFY(!window.isEmpty());
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(mapState(window), QString("IsUnMapped"), 5000);
        QVERIFY(!m_harness->waitForHostLine("tray ", 5000).isEmpty());
        QVERIFY(embeddedIconCentre().isNull());
        QProcess tray;
        tray.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                              "--width", "200", "--height", "24"});
        QPoint icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = embeddedIconCentre()).isNull(), 10000);
        AppDriver::doubleClick(icon);
        QTRY_COMPARE_WITH_TIMEOUT(mapState(window), QString("IsViewable"), 5000);
        tray.terminate();
        tray.waitForFinished();
    }

private:
    QString openVictim(const QString& title) { return m_windows->openVictim(title); }
    void press(const QString& keys) { E2EHarness::xdotool({"key", keys}); }
    static QString property(const QString& window, const QString& name);
    static QString mapState(const QString& window) { return AppDriver::mapState(window); }
    static qulonglong activeWindow() { return AppDriver::activeWindow(); }
    static QPoint embeddedIconCentre();

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<AppDriver> m_windows;
};

QString TestWindowsE2E::property(const QString& window, const QString& name)
{
    return E2EHarness::run("xprop", {"-id", window, name});
}

// The centre of the host's tray icon once the tray has embedded it (the host's
// only window that carries _XEMBED_INFO), else a null point.
QPoint TestWindowsE2E::embeddedIconCentre()
{
    const QStringList windows = E2EHarness::xdotool({"search", "--classname", "tarvex_testhost"})
                                    .split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        if (!E2EHarness::run("xprop", {"-id", window, "_XEMBED_INFO"}).contains("= "))
            continue;
        if (AppDriver::geometryOf(window).x() > 0 && mapState(window) == "IsViewable")
            return AppDriver::centreOf(window);
    }
    return {};
}

QTEST_GUILESS_MAIN(TestWindowsE2E)
#include "TestWindowsE2E.moc"
