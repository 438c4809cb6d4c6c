#include "AppDriver.h"
#include "E2EHarness.h"

#include <QtTest>

// The hotkey editor and the add-hotkey wizard in the whole program, build/tarvex, on a private
// X session: a user opens the editor from the main window, adds a hotkey through the wizard with
// real key presses in its capture box (leaving the "..." question with Escape), saves, starts
// the hotkeys and presses the combination.
class TestEditorE2E final : public AppTestCase
{
    Q_OBJECT

private slots:
    void addedHotkeyRunsItsTarget()
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
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Select a file/program to open"), 5000);
        AppDriver::settled(wizard); // the capture box has the keys again
        // The capture box has the focus: real key presses, modifiers included, in press order;
        // F4, keypad 1 (KP_End with Num Lock off), Tab and an arrow are keys like the others.
        const QStringList keys{"ctrl+alt+t", "F4", "KP_End", "Tab", "Left"};
        E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
        AppDriver::clickIn(wizard, {8 + 600 - 65, panelTop + 150 + 15}); // "Done"
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Hotkey Wizard"), 5000);
        AppDriver::settled(editor);
        // Escape on the file-or-folder question of "..." chooses neither.
        AppDriver::clickIn(editor, AppDriver::designed(150 + 10080, 6800 + 350, 495, 375));
        QVERIFY(!AppDriver::waitForWindow("Add File or Folder").isEmpty());
        E2EHarness::xdotool({"key", "Escape"});
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Add File or Folder"), 5000);
        AppDriver::settled(editor); // no folder question came instead
        QVERIFY(AppDriver::windowGone("Please Select A Folder"));
        AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // "Save Settings"
        QFile file(m_harness->home() + "/Documents/Hotkeys.TarvexDB");
        QTRY_VERIFY_WITH_TIMEOUT(file.exists(), 5000);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 "(Ctrl)(Alt)t(F4)(Num1)(Tab)(Left)*" + target + "\r\n");
        const QString shown = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!shown.isEmpty());
        AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
        QVERIFY(!m_app->waitForProgramIcon().isEmpty()); // the hotkeys run in the tray
        QCOMPARE(m_harness->logLines(), QStringList());
        E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
    }

    // Opened again and again, the wizard's list of special actions opens at its box each time,
    // never off by the wizard's place on the screen (as when the window manager had not placed it
    // yet while it was moved: before the mend, about one opening in three).
    void wizardListOpensAtItsBox()
    {
        QProcess& program = m_app->start({});
        const QString pid = QString::number(program.processId());
        const QString main = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!main.isEmpty());
        AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585)); // " Configure Hotkeys"
        const QString editor = AppDriver::waitForWindow("Configure Hotkeys");
        QVERIFY(!editor.isEmpty());
        const auto shown = [&pid] {
            return E2EHarness::xdotool({"search", "--onlyvisible", "--pid", pid}).split('\n');
        };
        for (int round = 0; round < 5; ++round) {
            AppDriver::clickIn(editor,
                               AppDriver::designed(240, 7800, 2295, 495)); // " &Add New Hotkey"
            const QString wizard = AppDriver::waitForWindow("Hotkey Wizard");
            QVERIFY(!wizard.isEmpty());
            const QRect place = AppDriver::geometryOf(wizard);
            const int panelTop = place.height() - 8 - 190;
            AppDriver::clickIn(wizard, {60, panelTop + 3 * 28 + 14}); // "Perform a special action"
            const QStringList before = shown();
            AppDriver::clickIn(wizard, {8 + 8 + 100, panelTop + 28 + 4 + 13}); // its list
            QRect list;
            QString listWindow;
            QTRY_VERIFY_WITH_TIMEOUT(
                [&] {
                    for (const QString& window : shown())
                        if (!window.isEmpty() && !before.contains(window))
                            list = AppDriver::geometryOf(listWindow = window);
                    return list.width() > 100;
                }(),
                5000);
            // The list's box stands 16 pixels in from the wizard's left edge.
            QVERIFY2(qAbs(list.left() - (place.left() + 16)) <= 16,
                     qPrintable(QStringLiteral("round %1: the list at x %2, the wizard at x %3")
                                    .arg(round)
                                    .arg(list.left())
                                    .arg(place.left())));
            E2EHarness::xdotool({"key", "Escape"}); // the list
            QTRY_VERIFY_WITH_TIMEOUT(!shown().contains(listWindow), 5000);
            E2EHarness::xdotool({"key", "Escape"}); // the wizard
            QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Hotkey Wizard"), 5000);
        }
    }
};

QTEST_GUILESS_MAIN(TestEditorE2E)
#include "TestEditorE2E.moc"
