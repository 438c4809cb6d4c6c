#include "E2EHarness.h"

#include <QtTest>

#include <X11/keysym.h>
#include <X11/Xlib.h>

namespace {

using Presses = QList<QStringList>;

// Records "combination*word": each word names a logging target of that name.
QStringList bindLogging(E2EHarness& harness, const QStringList& bindings)
{
    QStringList records;
    for (const QString& binding : bindings) {
        const QString word = binding.section('*', 1);
        records << binding.section('*', 0, 0) + '*' + harness.writeLoggingTarget(word, word);
    }
    return records;
}

// Taps the key with X keycode `keycode` until its hotkey fires `word` (the host reads a new
// keymap or layout when the server tells it); the hotkeys of the old layout may fire before.
bool pressedUntil(E2EHarness& harness, int keycode, const QString& word)
{
    return QTest::qWaitFor(
        [&] {
            E2EHarness::tapKeycode(keycode);
            return QTest::qWaitFor([&] { return harness.logLines().endsWith(word); }, 300);
        },
        10000);
}

int g_lastError = 0;

int recordError(Display*, XErrorEvent* error)
{
    g_lastError = error->error_code;
    return 0;
}

} // namespace

// The running hotkeys on a real X server: XTest presses (xdotool) reach the
// XInput2 key source of the test host, the core matches them and the Linux
// opener starts the target scripts.
class TestHotkeysE2E final : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<QStringList>("bindings");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QStringList>("fired");
        const QStringList sequence{"gofb*gofb"};
        const QStringList chord{"(Ctrl)(Alt)k*chord"};
        QTest::newRow("plain sequence")
            << sequence << Presses{{"key", "g", "o", "f", "b"}} << QStringList{"gofb"};
        QTest::newRow("shifted letters put Shift between them")
            << sequence << Presses{{"key", "shift+g", "shift+o", "shift+f", "shift+b"}}
            << QStringList{};
        QTest::newRow("ctrl alt k")
            << chord << Presses{{"key", "ctrl+alt+k"}} << QStringList{"chord"};
        QTest::newRow("right-hand ctrl alt k")
            << chord << Presses{{"key", "Control_R+Alt_R+k"}} << QStringList{"chord"};
        QTest::newRow("lone ctrl, either side")
            << QStringList{"(Ctrl)*ctrl"} << Presses{{"key", "ctrl"}, {"key", "Control_R"}}
            << QStringList{"ctrl", "ctrl"};
        QTest::newRow("held key fires once")
            << QStringList{"a*a"} << Presses{{"keydown", "a"}, {"sleep", "0.7"}, {"keyup", "a"}}
            << QStringList{"a"};
        QTest::newRow("repeated press of a held key")
            << QStringList{"a*a"}
            << Presses{{"keydown", "a", "keydown", "a", "keydown", "a"},
                       {"keyup", "a"},
                       {"keyup", "a"}}
            << QStringList{"a"};
        QTest::newRow("reserved ctrl alt space still seen")
            << QStringList{"(Ctrl)(Alt)(Space)*space"} << Presses{{"key", "ctrl+alt+space"}}
            << QStringList{"space"};
        // Each key its own: Ctrl+F4 is no Ctrl+S, keypad 1 is no A (with Num Lock off and on).
        QTest::newRow("every key its own hotkey")
            << QStringList{"(Ctrl)s*ctrls", "(Ctrl)(F4)*ctrlf4", "(F12)*f12",  "(Num1)*num1",
                           "a*a",           "(Win)e*wine",       "(Play)*play"}
            << Presses{{"key", "--delay", "100", "ctrl+F4", "ctrl+s", "F12", "KP_End", "a",
                        "super+e", "XF86AudioPlay", "Num_Lock", "KP_End", "Num_Lock"}}
            << QStringList{"ctrlf4", "ctrls", "f12", "num1", "a", "wine", "play", "num1"};
    }

    void keys()
    {
        QFETCH(QStringList, bindings);
        QFETCH(Presses, presses);
        QFETCH(QStringList, fired);
        E2EHarness harness;
        // F9 comes last: once its hotkey has fired, every key before it has been seen.
        QVERIFY(harness.writeHotkeys(bindLogging(harness, bindings << "(F9)*end")));
        QVERIFY(harness.startHost());
        for (const QStringList& press : presses)
            E2EHarness::xdotool(press);
        E2EHarness::xdotool({"key", "F9"});
        fired << "end";
        QTRY_COMPARE_WITH_TIMEOUT(harness.logLines().size(), fired.size(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(harness.hostLines("action").size(), fired.size(), 5000);
        // The host names the targets in firing order; the targets, processes of their own, may
        // finish in another order.
        QStringList order;
        for (const QString& line : harness.hostLines("action"))
            order << QFileInfo(line.section(u' ', 1)).fileName();
        QCOMPARE(order, fired);
        QStringList ran = harness.logLines();
        ran.sort();
        fired.sort();
        QCOMPARE(ran, fired);
    }

    void rapidPressesFireEachTime()
    {
        E2EHarness harness;
        QVERIFY(harness.writeHotkeys(bindLogging(harness, {"q*q", "(F9)*end"})));
        QVERIFY(harness.startHost());
        QStringList press{"key", "--delay", "0"};
        for (int i = 0; i < 200; ++i)
            press << "q";
        E2EHarness::xdotool(press << "F9");
        QTRY_VERIFY_WITH_TIMEOUT(harness.logLines().contains("end"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(harness.logLines().size(), 201, 20000);
        QCOMPARE(harness.hostLines("action").size(), 201);
    }

    // The physical key right of T is Y on a US keyboard and Z on a German one.
    void layoutSwitchIsFollowed()
    {
        const int keyRightOfT = 29;
        E2EHarness harness;
        QVERIFY(harness.writeHotkeys(bindLogging(harness, {"y*y", "z*z"})));
        E2EHarness::run("setxkbmap", {"us"});
        QVERIFY(harness.startHost());
        E2EHarness::tapKeycode(keyRightOfT);
        QTRY_COMPARE_WITH_TIMEOUT(harness.logLines(), QStringList{"y"}, 5000);
        E2EHarness::run("setxkbmap", {"de"});
        QVERIFY(pressedUntil(harness, keyRightOfT, "z"));
        E2EHarness::run("setxkbmap", {"us"});
    }

    // Two layouts in one keymap, switched by locking the group (what a layout
    // toggle key does): the keymap stays, only the keyboard state changes.
    void layoutGroupSwitchIsFollowed()
    {
        const int keyRightOfT = 29;
        E2EHarness harness;
        QVERIFY(harness.writeHotkeys(bindLogging(harness, {"y*y", "z*z"})));
        E2EHarness::run("setxkbmap", {"-layout", "us,de"});
        E2EHarness::lockLayoutGroup(0);
        QVERIFY(harness.startHost());
        E2EHarness::lockLayoutGroup(1);
        QVERIFY(pressedUntil(harness, keyRightOfT, "z"));
        E2EHarness::lockLayoutGroup(0);
        QVERIFY(pressedUntil(harness, keyRightOfT, "y"));
        E2EHarness::run("setxkbmap", {"us"});
    }

    void reservedHotkeyIsGrabbed()
    {
        E2EHarness harness;
        QVERIFY(harness.writeHotkeys({}));
        QVERIFY(harness.startHost());
        Display* display = XOpenDisplay(nullptr);
        QVERIFY(display);
        const auto previous = XSetErrorHandler(recordError);
        g_lastError = 0;
        XGrabKey(display, XKeysymToKeycode(display, XK_space), ControlMask | Mod1Mask,
                 DefaultRootWindow(display), True, GrabModeAsync, GrabModeAsync);
        XSync(display, False);
        XSetErrorHandler(previous);
        XCloseDisplay(display);
        QCOMPARE(g_lastError, int(BadAccess));
    }
};

QTEST_GUILESS_MAIN(TestHotkeysE2E)
#include "TestHotkeysE2E.moc"
