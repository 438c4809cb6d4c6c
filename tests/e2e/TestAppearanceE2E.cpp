#include "AppDriver.h"
#include "E2EHarness.h"

#include <QImage>
#include <QSettings>
#include <QtTest>

// The appearance options window in the whole program, build/tarvex, on a private X session: a
// user opens it from the main window, picks another button style and frame colour with the
// mouse and keyboard, presses OK, and the main window comes back drawn in the new look, which
// it keeps after a restart, in the place where the user had put it.
class TestAppearanceE2E final : public AppTestCase
{
    Q_OBJECT

private slots:
    void chosenLookRedrawsMainWindow();

private:
    QImage screenshot(const QString& window) const;
    void pickEntry(const QString& window, QPoint list, const QString& keys) const;
};

namespace {

// Regions of the main window (pixels): its title bar, and the " Start Tarvex" button.
const QRect TitleBar(40, 4, 200, 20);
const QRect StartButton(24 + 4, 92 + 4, 281 - 8, 41 - 8);

bool sameRegion(const QImage& a, const QImage& b, const QRect& region)
{
    return a.copy(region) == b.copy(region);
}

} // namespace

// The frame draws its title bar paler while inactive: every shot is of the active window, taken
// once two shots in a row agree (the repaint in the active look is done).
QImage TestAppearanceE2E::screenshot(const QString& window) const
{
    E2EHarness::xdotool({"windowactivate", "--sync", window});
    const QString file = m_harness->home() + "/shot.png";
    QImage last;
    QImage shot;
    (void)QTest::qWaitFor(
        [&] {
            last = std::exchange(shot, QImage());
            E2EHarness::run("import", {"-window", window, file});
            shot = QImage(file).convertToFormat(QImage::Format_RGB32);
            return !shot.isNull() && shot == last;
        },
        5000);
    return shot;
}

// Opens the drop-down list at `list` and moves through its entries with `keys`, then Return,
// each once the list's pop-up is there, and waits for the pop-up to go.
void TestAppearanceE2E::pickEntry(const QString& window, QPoint list, const QString& keys) const
{
    const QString pid = QString::number(m_app->program().processId());
    const auto shown = [&pid] {
        return E2EHarness::xdotool({"search", "--onlyvisible", "--pid", pid});
    };
    const QString before = shown();
    AppDriver::clickIn(window, list);
    QTRY_VERIFY_WITH_TIMEOUT(shown() != before, 5000);
    E2EHarness::xdotool(QStringList{"key", "--delay", "60"} + keys.split(' ') +
                        QStringList{"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(shown(), before, 5000);
}

void TestAppearanceE2E::chosenLookRedrawsMainWindow()
{
    m_app->start({});
    const QString main = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    // Moved by the user away from where it first appeared, the window stays there.
    E2EHarness::xdotool({"windowmove", "--sync", main, "173", "121"});
    const QPoint place = AppDriver::geometryOf(main).topLeft();
    const QImage before = screenshot(main);
    QVERIFY(!before.isNull());
    AppDriver::clickIn(main, AppDriver::designed(360, 2760, 4215, 615)); // " Customize Appearance"
    const QString options = AppDriver::waitForWindow("Customize Tarvex Appearance");
    QVERIFY(!options.isEmpty());
    QVERIFY(AppDriver::windowGone("Tarvex")); // the main window hides while the options are open
    // Lists in their frames: the button options at 240, 2520 hold their list at 120, 360; the
    // window options at 240, 720 hold the colour list at 120, 600.
    pickEntry(options, AppDriver::designed(240 + 120, 2520 + 360, 5295, 315),
              "Up Up"); // "3D Hover" -> "Flat"
    pickEntry(options, AppDriver::designed(240 + 120, 720 + 600, 5295, 315),
              "Down Down");                                                  // "Blue" -> "Olive"
    AppDriver::clickIn(options, AppDriver::designed(3120, 4575, 1335, 375)); // "OK"
    const QString shown = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!shown.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Customize Tarvex Appearance"), 5000);
    const QSettings stored(m_harness->home() + "/.config/Tarvex/Tarvex.ini", QSettings::IniFormat);
    QCOMPARE(stored.value("ButtonTheme/Color").toString(), QStringLiteral("1"));
    QCOMPARE(stored.value("Theme/Color").toString(), QStringLiteral("2"));
    QCOMPARE(AppDriver::geometryOf(shown).topLeft(), place);
    const QImage after = screenshot(shown);
    QCOMPARE(after.size(), before.size());
    QVERIFY2(!sameRegion(before, after, TitleBar), "the frame colour did not change");
    QVERIFY2(!sameRegion(before, after, StartButton), "the button style did not change");
    // A new start draws the same look from the store.
    m_app->stop();
    m_app->start({});
    const QString restarted = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!restarted.isEmpty());
    const QImage again = screenshot(restarted);
    QVERIFY(sameRegion(after, again, TitleBar) && sameRegion(after, again, StartButton));
}

QTEST_GUILESS_MAIN(TestAppearanceE2E)
#include "TestAppearanceE2E.moc"
