#include "E2EHarness.h"

#include <QtTest>

#include <csignal>

// The whole program, build/tarvex, on a private X session with a window manager (openbox)
// and an XEmbed tray (trayer): what a user sees and does, observed with the X tools.
class TestTarvexE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void automaticStartShowsOnlyTrayIcon();
    void savedHotkeyFiresOnKeyPress();
    void secondStartIsRefused();
    void trayExitEndsWithoutMainWindowAndRestoresHidden();
    void trayDoubleClickStopsHotkeysAndShowsMainWindow();
    void hiddenWindowsComeBackAfterOpenAndAtExit();
    void standInWindowWithoutTray();
    void trayStartedLaterTakesTheIcon();

private:
    std::unique_ptr<QProcess> startProgram(const QStringList& arguments);
    QString waitForProgramIcon();
    QStringList managedProgramWindows() const;
    QStringList embeddedIcons() const;
    QString programWindow(int minWidth, int maxWidth) const;
    QString standInWindow() const { return programWindow(40, 200); }
    bool mainWindowShown() const { return !programWindow(300, 400).isEmpty(); }
    QString openVictim(const QString& title);
    void chooseFromTrayMenu(const QString& icon, int position);

    static QPoint centreOf(const QString& window);
    static QString mapState(const QString& window);
    static void doubleClick(const QPoint& at);
    static void press(const QString& keys) { E2EHarness::xdotool({"key", keys}); }

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<QProcess> m_program;
    std::vector<std::unique_ptr<QProcess>> m_victims;
};

void TestTarvexE2E::init()
{
    m_harness = std::make_unique<E2EHarness>();
}

void TestTarvexE2E::cleanup()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
    for (auto& victim : m_victims) {
        victim->kill();
        victim->waitForFinished();
    }
    m_victims.clear();
    m_harness.reset();
}

// Starts the program in the test's HOME, with no session bus (the XEmbed tray is used).
std::unique_ptr<QProcess> TestTarvexE2E::startProgram(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_harness->home());
    env.insert("XDG_CONFIG_HOME", m_harness->home() + "/.config");
    env.insert("XDG_RUNTIME_DIR", m_harness->home());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(qEnvironmentVariable("TARVEX_PROGRAM"), arguments);
    process->waitForStarted();
    return process;
}

// The program's windows that the window manager manages (its task list), by title.
QStringList TestTarvexE2E::managedProgramWindows() const
{
    QStringList titles;
    const QString pid = QString::number(m_program->processId());
    const QStringList lines =
        E2EHarness::run("wmctrl", {"-l", "-p"}).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.simplified().split(' ');
        if (fields.size() >= 4 && fields[2] == pid)
            titles << fields.mid(4).join(' ');
    }
    return titles;
}

// The program's icons that the tray has embedded: its small shown windows that another
// window holds (every Qt window carries _XEMBED_INFO, balloons included; the window
// manager's frames hold the program's normal windows, which are larger).
QStringList TestTarvexE2E::embeddedIcons() const
{
    QStringList icons;
    const QStringList windows =
        E2EHarness::xdotool({"search", "--classname", "^tarvex$"}).split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString tree = E2EHarness::run("xwininfo", {"-id", window, "-tree"});
        const QString info = E2EHarness::run("xwininfo", {"-id", window});
        const auto value = [&info](const QString& name) {
            return info.section(name + ':', 1).section('\n', 0, 0).trimmed().toInt();
        };
        if (!tree.section("Parent window id:", 1).section('\n', 0, 0).contains("root window") &&
            value("Width") <= 64 && value("Height") <= 64 && mapState(window) == "IsViewable")
            icons << window;
    }
    return icons;
}

// The shown program window titled exactly "Tarvex" whose width lies in [minWidth, maxWidth].
QString TestTarvexE2E::programWindow(int minWidth, int maxWidth) const
{
    const QStringList windows =
        E2EHarness::xdotool({"search", "--onlyvisible", "--classname", "^tarvex$"})
            .split('\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        const QString info = E2EHarness::run("xwininfo", {"-id", window});
        const int width = info.section("Width:", 1).section('\n', 0, 0).toInt();
        if (info.contains("\"Tarvex\"") && width >= minWidth && width <= maxWidth)
            return window;
    }
    return QString();
}

QString TestTarvexE2E::waitForProgramIcon()
{
    QStringList icons;
    (void)QTest::qWaitFor([&] { return !(icons = embeddedIcons()).isEmpty(); }, 15000);
    return icons.value(0);
}

QPoint TestTarvexE2E::centreOf(const QString& window)
{
    const QString shape = E2EHarness::xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&shape](const QString& name) {
        return shape.section(name + '=', 1).section('\n', 0, 0).toInt();
    };
    return {value("X") + value("WIDTH") / 2, value("Y") + value("HEIGHT") / 2};
}

QString TestTarvexE2E::mapState(const QString& window)
{
    const QString info = E2EHarness::run("xwininfo", {"-id", window});
    const qsizetype at = info.indexOf("Map State: ");
    return at < 0 ? QString() : info.mid(at + 11).section('\n', 0, 0);
}

void TestTarvexE2E::doubleClick(const QPoint& at)
{
    E2EHarness::xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    E2EHarness::xdotool({"click", "--repeat", "2", "--delay", "60", "1"});
}

// Starts an xmessage window titled `title`, activates it and returns its id.
QString TestTarvexE2E::openVictim(const QString& title)
{
    auto victim = std::make_unique<QProcess>();
    victim->start("xmessage", {"-title", title, "-buttons", "", "A window to hide"});
    if (!victim->waitForStarted())
        return QString();
    m_victims.push_back(std::move(victim));
    const QString window =
        E2EHarness::xdotool({"search", "--sync", "--onlyvisible", "--name", "^" + title + "$"})
            .section('\n', 0, 0);
    E2EHarness::xdotool({"windowactivate", "--sync", window});
    return window;
}

// Right-clicks the program's icon and picks menu item `position` (1 Open, 2 Settings, 3 Exit)
// with the keyboard, which the open menu holds.
void TestTarvexE2E::chooseFromTrayMenu(const QString& icon, int position)
{
    const QPoint at = centreOf(icon);
    E2EHarness::xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    E2EHarness::xdotool({"click", "3"});
    E2EHarness::settle(500);
    for (int i = 0; i < position; ++i)
        press("Down");
    press("Return");
}

void TestTarvexE2E::automaticStartShowsOnlyTrayIcon()
{
    m_program = startProgram({"AUTOMATIC"});
    QVERIFY(!waitForProgramIcon().isEmpty());
    E2EHarness::settle(500);
    QCOMPARE(managedProgramWindows(), QStringList());
    // A first start on a clean settings store also writes the login entry.
    QFile entry(m_harness->home() + "/.config/autostart/tarvex.desktop");
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(entry.readAll()).contains(" automatic"));
}

void TestTarvexE2E::savedHotkeyFiresOnKeyPress()
{
    const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
    QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target, "gofb*" + target}));
    m_program = startProgram({"automatic"});
    QVERIFY(!waitForProgramIcon().isEmpty());
    press("ctrl+alt+t");
    QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
    E2EHarness::xdotool({"type", "--delay", "40", "gofb"});
    QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), (QStringList{"fired", "fired"}), 5000);
}

void TestTarvexE2E::secondStartIsRefused()
{
    m_program = startProgram({"automatic"});
    QVERIFY(!waitForProgramIcon().isEmpty());
    std::unique_ptr<QProcess> second = startProgram({});
    const QString box = E2EHarness::xdotool({"search", "--sync", "--onlyvisible", "--pid",
                                             QString::number(second->processId())})
                            .section('\n', 0, 0);
    QVERIFY(!box.isEmpty());
    QCOMPARE(E2EHarness::xdotool({"getwindowname", box}).trimmed(), QString("Tarvex"));
    E2EHarness::xdotool({"windowactivate", "--sync", box});
    press("Return");
    QVERIFY(second->waitForFinished(5000));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(m_program->state(), QProcess::Running);
    QCOMPARE(managedProgramWindows(), QStringList());
}

void TestTarvexE2E::trayExitEndsWithoutMainWindowAndRestoresHidden()
{
    QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
    m_program = startProgram({"automatic"});
    const QString icon = waitForProgramIcon();
    QVERIFY(!icon.isEmpty());
    const QString victim = openVictim("Victim exit");
    press("ctrl+alt+h");
    QTRY_COMPARE_WITH_TIMEOUT(mapState(victim), QString("IsUnMapped"), 5000);
    chooseFromTrayMenu(icon, 3);
    // Watch the task list until the program has ended: the main window never appears.
    QStringList seen;
    const QDeadlineTimer deadline(8000);
    while (m_program->state() != QProcess::NotRunning && !deadline.hasExpired()) {
        seen << managedProgramWindows();
        m_program->waitForFinished(20);
    }
    QCOMPARE(m_program->state(), QProcess::NotRunning);
    QCOMPARE(m_program->exitCode(), 0);
    QCOMPARE(seen, QStringList());
    QCOMPARE(mapState(victim), QString("IsViewable"));
}

void TestTarvexE2E::trayDoubleClickStopsHotkeysAndShowsMainWindow()
{
    const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
    QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target}));
    m_program = startProgram({"automatic"});
    const QString icon = waitForProgramIcon();
    QVERIFY(!icon.isEmpty());
    doubleClick(centreOf(icon));
    QTRY_COMPARE_WITH_TIMEOUT(managedProgramWindows(), QStringList{"Tarvex"}, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(embeddedIcons().isEmpty(), 5000);
    press("ctrl+alt+t");
    E2EHarness::settle(1000);
    QCOMPARE(m_harness->logLines(), QStringList());
}

// One set of hidden-window slots for the whole run: a window hidden before the tray menu's
// "Open" reloads the main window still comes back from its icon, and at the program's end.
void TestTarvexE2E::hiddenWindowsComeBackAfterOpenAndAtExit()
{
    QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
    m_program = startProgram({"automatic"});
    const QString programIcon = waitForProgramIcon();
    QVERIFY(!programIcon.isEmpty());
    const QString first = openVictim("Victim one");
    press("ctrl+alt+h");
    QTRY_COMPARE_WITH_TIMEOUT(mapState(first), QString("IsUnMapped"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(embeddedIcons().size(), 2, 10000);
    QStringList hiddenIcons = embeddedIcons();
    hiddenIcons.removeAll(programIcon);
    QCOMPARE(hiddenIcons.size(), 1);

    chooseFromTrayMenu(programIcon, 1);
    QTRY_COMPARE_WITH_TIMEOUT(managedProgramWindows(), QStringList{"Tarvex"}, 5000);
    // Started with "automatic", the reloaded main window starts the hotkeys again.
    QTRY_COMPARE_WITH_TIMEOUT(embeddedIcons().size(), 2, 10000);
    doubleClick(centreOf(hiddenIcons.first()));
    QTRY_COMPARE_WITH_TIMEOUT(mapState(first), QString("IsViewable"), 5000);

    const QString second = openVictim("Victim two");
    press("ctrl+alt+h");
    QTRY_COMPARE_WITH_TIMEOUT(mapState(second), QString("IsUnMapped"), 5000);
    ::kill(pid_t(m_program->processId()), SIGTERM);
    QVERIFY(m_program->waitForFinished(5000));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(mapState(second), QString("IsViewable"));
}

// Run in a session without a tray: a small window of the program's own keeps the icon's
// double-click (and menu, tip and balloon) available.
void TestTarvexE2E::standInWindowWithoutTray()
{
    if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
        QSKIP("runs in the session that starts without a tray");
    m_program = startProgram({"automatic"});
    QString standIn;
    QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
    QVERIFY(!mainWindowShown());
    doubleClick(centreOf(standIn));
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowShown(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 5000);
}

// Run in a session without a tray: a tray started later (as at login) receives the icon, and
// the stand-in window goes away.
void TestTarvexE2E::trayStartedLaterTakesTheIcon()
{
    if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
        QSKIP("runs in the session that starts without a tray");
    m_program = startProgram({"automatic"});
    QString standIn;
    QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
    QProcess tray;
    tray.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width",
                          "200", "--height", "24"});
    QTRY_COMPARE_WITH_TIMEOUT(embeddedIcons().size(), 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 10000);
    tray.terminate();
    tray.waitForFinished();
}

QTEST_GUILESS_MAIN(TestTarvexE2E)
#include "app_TarvexE2E.moc"
