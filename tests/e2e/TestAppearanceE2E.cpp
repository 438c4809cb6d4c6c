#include "AppDriver.h"
#include "E2EHarness.h"

#include <QImage>
#include <QSettings>
#include <QtTest>

// The appearance options window in the whole program, build/tarvex, on a private X session: a
// user opens it from the main window, picks another button style and frame colour with the
// mouse and keyboard, presses OK, and the main window comes back drawn in the new look, which
// it keeps after a restart, in the place where the user had put it.
class TestAppearanceE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void chosenLookRedrawsMainWindow();

private:
    QImage screenshot(const QString& window, const QString& name) const;
    static void clickIn(const QString& window, QPoint at);
    static void pickEntry(const QString& window, QPoint list, const QString& keys);
    static bool sameRegion(const QImage& a, const QImage& b, const QRect& region);

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<AppDriver> m_app;
};

namespace {

// Regions of the main window (pixels): its title bar, and the " Start Tarvex" button.
const QRect TitleBar(40, 4, 200, 20);
const QRect StartButton(24 + 4, 92 + 4, 281 - 8, 41 - 8);

} // namespace

void TestAppearanceE2E::init()
{
    m_harness = std::make_unique<E2EHarness>();
    m_app = std::make_unique<AppDriver>(*m_harness);
}

void TestAppearanceE2E::cleanup()
{
    m_app.reset();
    m_harness.reset();
}

QImage TestAppearanceE2E::screenshot(const QString& window, const QString& name) const
{
    // The frame draws its title bar paler while inactive: every shot is of the active window.
    E2EHarness::xdotool({"windowactivate", "--sync", window});
    E2EHarness::settle(400);
    const QString file = m_harness->home() + '/' + name + ".png";
    E2EHarness::run("import", {"-window", window, file});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

void TestAppearanceE2E::clickIn(const QString& window, QPoint at)
{
    AppDriver::clickIn(window, at, 400);
}

// Opens the drop-down list at `list` and moves through its entries with `keys`, then Return.
void TestAppearanceE2E::pickEntry(const QString& window, QPoint list, const QString& keys)
{
    clickIn(window, list);
    E2EHarness::settle(400); // the list's pop-up opens before the keys arrive
    E2EHarness::xdotool(QStringList{"key", "--delay", "60"} + keys.split(' ') +
                        QStringList{"Return"});
    E2EHarness::settle(400);
}

bool TestAppearanceE2E::sameRegion(const QImage& a, const QImage& b, const QRect& region)
{
    return a.copy(region) == b.copy(region);
}

void TestAppearanceE2E::chosenLookRedrawsMainWindow()
{
    m_app->start({});
    const QString main = AppDriver::waitForWindow("Tarvex", 500);
    QVERIFY(!main.isEmpty());
    // Moved by the user away from where it first appeared, the window stays there.
    E2EHarness::xdotool({"windowmove", "--sync", main, "173", "121"});
    E2EHarness::settle(300);
    const QPoint place = AppDriver::geometryOf(main).topLeft();
    const QImage before = screenshot(main, "before");
    QVERIFY(!before.isNull());
    clickIn(main, AppDriver::designed(360, 2760, 4215, 615)); // " Customize Appearance"
    const QString options = AppDriver::waitForWindow("Customize Tarvex Appearance", 500);
    QVERIFY(!options.isEmpty());
    QVERIFY(AppDriver::windowGone("Tarvex")); // the main window hides while the options are open
    // Lists in their frames: the button options at 240, 2520 hold their list at 120, 360; the
    // window options at 240, 720 hold the colour list at 120, 600.
    pickEntry(options, AppDriver::designed(240 + 120, 2520 + 360, 5295, 315),
              "Up Up"); // "3D Hover" -> "Flat"
    pickEntry(options, AppDriver::designed(240 + 120, 720 + 600, 5295, 315),
              "Down Down");                                       // "Blue" -> "Olive"
    clickIn(options, AppDriver::designed(3120, 4575, 1335, 375)); // "OK"
    const QString shown = AppDriver::waitForWindow("Tarvex", 500);
    QVERIFY(!shown.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Customize Tarvex Appearance"), 5000);
    const QSettings stored(m_harness->home() + "/.config/Tarvex/Tarvex.ini", QSettings::IniFormat);
    QCOMPARE(stored.value("ButtonTheme/Color").toString(), QStringLiteral("1"));
    QCOMPARE(stored.value("Theme/Color").toString(), QStringLiteral("2"));
    QCOMPARE(AppDriver::geometryOf(shown).topLeft(), place);
    const QImage after = screenshot(shown, "after");
    QCOMPARE(after.size(), before.size());
    QVERIFY2(!sameRegion(before, after, TitleBar), "the frame colour did not change");
    QVERIFY2(!sameRegion(before, after, StartButton), "the button style did not change");
    // A new start draws the same look from the store.
    m_app->stop();
    m_app->start({});
    const QString restarted = AppDriver::waitForWindow("Tarvex", 500);
    QVERIFY(!restarted.isEmpty());
    // The new window is drawn active once the window manager gives it the focus: shoot until
    // it is (a look not read back from the store never matches).
    QTRY_VERIFY_WITH_TIMEOUT(sameRegion(after, screenshot(restarted, "again"), TitleBar) &&
                                 sameRegion(after, screenshot(restarted, "again"), StartButton),
                             5000);
}

QTEST_GUILESS_MAIN(TestAppearanceE2E)
#include "TestAppearanceE2E.moc"
