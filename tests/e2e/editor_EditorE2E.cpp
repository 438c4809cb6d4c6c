#include "AppDriver.h"
#include "E2EHarness.h"

#include <QtTest>

// The hotkey editor and the add-hotkey wizard in the whole program, build/tarvex, on a private
// X session: a user opens the editor from the main window, adds a hotkey through the wizard with
// real key presses in its capture box, saves, starts the hotkeys and presses the combination.
class TestEditorE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addedHotkeyRunsItsTarget();

private:
    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<AppDriver> m_app;
};

void TestEditorE2E::init()
{
    m_harness = std::make_unique<E2EHarness>();
    m_app = std::make_unique<AppDriver>(*m_harness);
}

void TestEditorE2E::cleanup()
{
    m_app.reset();
    m_harness.reset();
}

void TestEditorE2E::addedHotkeyRunsItsTarget()
{
    const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
    m_app->start({});
    const QString main = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585)); // " Configure Hotkeys"
    const QString editor = AppDriver::waitForWindow("Configure Hotkeys");
    QVERIFY(!editor.isEmpty());
    AppDriver::clickIn(editor, AppDriver::designed(240, 7800, 2295, 495)); // " &Add New Hotkey"
    const QString wizard = AppDriver::waitForWindow("Hotkey Wizard");
    QVERIFY(!wizard.isEmpty());
    // Panels stand 8 px in from the sides and above the foot, below the title bar; the first
    // option of a step is its second row of 28 px, the step's button at the right.
    const int panelTop = AppDriver::geometryOf(wizard).height() - 8 - 190;
    AppDriver::clickIn(wizard, {60, panelTop + 28 + 14}); // "Open a file, program or folder"
    AppDriver::clickIn(wizard, {60, panelTop + 28 + 14}); // "A file (...)"
    AppDriver::clickIn(wizard, {8 + 600 - 65, panelTop + 28 + 15}); // "Choose File"
    const QString dialog = AppDriver::waitForWindow("Select a file/program to open");
    QVERIFY(!dialog.isEmpty());
    E2EHarness::xdotool({"type", "--delay", "20", target});
    E2EHarness::xdotool({"key", "Return"});
    E2EHarness::settle(800);
    // The capture box has the focus: real key presses, modifiers included, in press order;
    // F4, keypad 1 (KP_End with Num Lock off), Tab and an arrow are keys like the others.
    const QStringList keys{"ctrl+alt+t", "F4", "KP_End", "Tab", "Left"};
    E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
    E2EHarness::settle(300);
    AppDriver::clickIn(wizard, {8 + 600 - 65, panelTop + 150 + 15}); // "Done"
    E2EHarness::settle(500);
    AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // "Save Settings"
    QFile file(m_harness->home() + "/Documents/Hotkeys.TarvexDB");
    QTRY_VERIFY_WITH_TIMEOUT(file.exists(), 5000);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             "(Ctrl)(Alt)t(F4)(Num1)(Tab)(Left)*" + target + "\r\n");
    const QString shown = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!shown.isEmpty());
    AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
    E2EHarness::settle(1500);
    QCOMPARE(m_harness->logLines(), QStringList());
    E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
    QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
}

QTEST_GUILESS_MAIN(TestEditorE2E)
#include "editor_EditorE2E.moc"
