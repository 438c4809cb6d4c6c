#include "E2EHarness.h"

#include <QImage>
#include <QSettings>
#include <QtTest>

// The appearance options window in the whole program, build/tarvex, on a private X session: a
// user opens it from the main window, picks another button style and frame colour with the
// mouse and keyboard, presses OK, and the main window comes back drawn in the new look, which
// it keeps after a restart.
class TestAppearanceE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<E2EHarness>(); }
    void cleanup();
    void chosenLookRedrawsMainWindow();

private:
    void startProgram();
    void stopProgram();
    QImage screenshot(const QString& window, const QString& name) const;
    static QString waitForWindow(const QString& title);
    static bool windowGone(const QString& title);
    static void clickIn(const QString& window, QPoint at);
    static void pickEntry(const QString& window, QPoint list, const QString& keys);
    static QPoint centre(int left, int top, int width, int height);
    static bool sameRegion(const QImage& a, const QImage& b, const QRect& region);

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<QProcess> m_program;
};

namespace {

// Regions of the main window (pixels): its title bar, and the " Start Tarvex" button.
const QRect TitleBar(40, 4, 200, 20);
const QRect StartButton(24 + 4, 92 + 4, 281 - 8, 41 - 8);

} // namespace

void TestAppearanceE2E::cleanup()
{
    stopProgram();
    m_harness.reset();
}

void TestAppearanceE2E::startProgram()
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

void TestAppearanceE2E::stopProgram()
{
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->terminate();
        if (!m_program->waitForFinished(3000))
            m_program->kill();
        m_program->waitForFinished();
    }
    m_program.reset();
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

QString TestAppearanceE2E::waitForWindow(const QString& title)
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
    E2EHarness::settle(500);
    return window;
}

bool TestAppearanceE2E::windowGone(const QString& title)
{
    return E2EHarness::xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"})
        .trimmed()
        .isEmpty();
}

void TestAppearanceE2E::clickIn(const QString& window, QPoint at)
{
    E2EHarness::xdotool(
        {"mousemove", "--window", window, QString::number(at.x()), QString::number(at.y())});
    E2EHarness::settle(150);
    E2EHarness::xdotool({"click", "1"});
    E2EHarness::settle(400);
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

// The centre of a control designed at left, top, width, height twips (15 twips a pixel).
QPoint TestAppearanceE2E::centre(int left, int top, int width, int height)
{
    return {(left + width / 2) / 15, (top + height / 2) / 15};
}

bool TestAppearanceE2E::sameRegion(const QImage& a, const QImage& b, const QRect& region)
{
    return a.copy(region) == b.copy(region);
}

void TestAppearanceE2E::chosenLookRedrawsMainWindow()
{
    startProgram();
    const QString main = waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    const QImage before = screenshot(main, "before");
    QVERIFY(!before.isNull());
    clickIn(main, centre(360, 2760, 4215, 615)); // " Customize Appearance"
    const QString options = waitForWindow("Customize Tarvex Appearance");
    QVERIFY(!options.isEmpty());
    QVERIFY(windowGone("Tarvex")); // the main window hides while the options are open
    // Lists in their frames: Frame2 at 240, 2520 holds `btnTHEME` at 120, 360; Frame1 at
    // 240, 720 holds `theme` at 120, 600.
    pickEntry(options, centre(240 + 120, 2520 + 360, 5295, 315), "Up Up"); // "3D Hover" -> "Flat"
    pickEntry(options, centre(240 + 120, 720 + 600, 5295, 315), "Down Down"); // "Blue" -> "Olive"
    clickIn(options, centre(3120, 4575, 1335, 375));                          // "OK"
    const QString shown = waitForWindow("Tarvex");
    QVERIFY(!shown.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(windowGone("Customize Tarvex Appearance"), 5000);
    const QSettings stored(m_harness->home() + "/.config/Tarvex/Tarvex.ini", QSettings::IniFormat);
    QCOMPARE(stored.value("ButtonTheme/Color").toString(), QStringLiteral("1"));
    QCOMPARE(stored.value("Theme/Color").toString(), QStringLiteral("2"));
    const QImage after = screenshot(shown, "after");
    QCOMPARE(after.size(), before.size());
    QVERIFY2(!sameRegion(before, after, TitleBar), "the frame colour did not change");
    QVERIFY2(!sameRegion(before, after, StartButton), "the button style did not change");
    // A new start draws the same look from the store.
    stopProgram();
    startProgram();
    const QString restarted = waitForWindow("Tarvex");
    QVERIFY(!restarted.isEmpty());
    const QImage again = screenshot(restarted, "again");
    QVERIFY(sameRegion(after, again, TitleBar));
    QVERIFY(sameRegion(after, again, StartButton));
}

QTEST_GUILESS_MAIN(TestAppearanceE2E)
#include "options_AppearanceE2E.moc"
