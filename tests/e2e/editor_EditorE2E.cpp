#include "E2EHarness.h"

#include <QtTest>

// The hotkey editor and the add-hotkey wizard in the whole program, build/tarvex, on a private
// X session: a user opens the editor from the main window, adds a hotkey through the wizard with
// real key presses in its capture box, saves, starts the hotkeys and presses the combination.
class TestEditorE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<E2EHarness>(); }
    void cleanup();
    void addedHotkeyRunsItsTarget();

private:
    void startProgram();
    static QString waitForWindow(const QString& title);
    static QRect geometryOf(const QString& window);
    static void clickIn(const QString& window, QPoint at);
    static QPoint centre(int left, int top, int width, int height);

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<QProcess> m_program;
};

void TestEditorE2E::cleanup()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
    m_harness.reset();
}

void TestEditorE2E::startProgram()
{
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_harness->home());
    env.insert("XDG_CONFIG_HOME", m_harness->home() + "/.config");
    env.insert("XDG_RUNTIME_DIR", m_harness->home());
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    m_program->setProcessEnvironment(env);
    m_program->setProcessChannelMode(QProcess::ForwardedChannels);
    m_program->start(qEnvironmentVariable("TARVEX_PROGRAM"), {});
    m_program->waitForStarted();
}

QString TestEditorE2E::waitForWindow(const QString& title)
{
    QString window;
    (void)QTest::qWaitFor(
        [&] {
            window = E2EHarness::xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"})
                         .section('\n', 0, 0)
                         .trimmed();
            return !window.isEmpty();
        },
        15000);
    E2EHarness::settle(400);
    return window;
}

QRect TestEditorE2E::geometryOf(const QString& window)
{
    const QString shape = E2EHarness::xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&shape](const QString& name) {
        return shape.section(name + '=', 1).section('\n', 0, 0).toInt();
    };
    return {value("X"), value("Y"), value("WIDTH"), value("HEIGHT")};
}

void TestEditorE2E::clickIn(const QString& window, QPoint at)
{
    E2EHarness::xdotool(
        {"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y())});
    E2EHarness::settle(150);
    E2EHarness::xdotool({"click", "1"});
    E2EHarness::settle(300);
}

// The centre of a control designed at left, top, width, height twips (15 twips a pixel).
QPoint TestEditorE2E::centre(int left, int top, int width, int height)
{
    return {(left + width / 2) / 15, (top + height / 2) / 15};
}

void TestEditorE2E::addedHotkeyRunsItsTarget()
{
    const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
    startProgram();
    const QString main = waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    clickIn(main, centre(360, 2090, 4215, 585)); // " Configure Hotkeys"
    const QString editor = waitForWindow("Configure Hotkeys");
    QVERIFY(!editor.isEmpty());
    clickIn(editor, centre(240, 7800, 2295, 495)); // " &Add New Hotkey"
    const QString wizard = waitForWindow("Hotkey Wizard");
    QVERIFY(!wizard.isEmpty());
    // Panels stand 8 px in from the sides and above the foot, below the title bar; the first
    // option of a step is its second row of 28 px, the step's button at the right.
    const int panelTop = geometryOf(wizard).height() - 8 - 190;
    clickIn(wizard, {60, panelTop + 28 + 14});           // "Open a file, program or folder"
    clickIn(wizard, {60, panelTop + 28 + 14});           // "A file (...)"
    clickIn(wizard, {8 + 600 - 65, panelTop + 28 + 15}); // "Choose File"
    const QString dialog = waitForWindow("Select a file/program to open");
    QVERIFY(!dialog.isEmpty());
    E2EHarness::xdotool({"type", "--delay", "20", target});
    E2EHarness::xdotool({"key", "Return"});
    E2EHarness::settle(800);
    // The capture box has the focus: real key presses, modifiers included, in press order.
    E2EHarness::xdotool({"key", "--delay", "80", "ctrl+alt+t"});
    E2EHarness::settle(300);
    clickIn(wizard, {8 + 600 - 65, panelTop + 150 + 15}); // "Done"
    E2EHarness::settle(500);
    clickIn(editor, centre(5040, 7800, 2295, 495)); // "Save Settings"
    QFile file(m_harness->home() + "/Documents/Hotkeys.TarvexDB");
    QTRY_VERIFY_WITH_TIMEOUT(file.exists(), 5000);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), "(Ctrl)(Alt)t*" + target + "\r\n");
    const QString shown = waitForWindow("Tarvex");
    QVERIFY(!shown.isEmpty());
    clickIn(shown, centre(360, 1380, 4215, 615)); // " Start Tarvex"
    E2EHarness::settle(1500);
    QCOMPARE(m_harness->logLines(), QStringList());
    E2EHarness::xdotool({"key", "ctrl+alt+t"});
    QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
}

QTEST_GUILESS_MAIN(TestEditorE2E)
#include "editor_EditorE2E.moc"
