#include "AppDriver.h"
#include "E2EHarness.h"
#include "platform/x11/EwmhDesktopWindows.h"
#include "platform/x11/ReservedHotkey.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/X11KeyStateSource.h"
#include "tests/platform/LayoutKeys.h"

#include <QtTest>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// Xlib's event type names hide Qt's.
#undef KeyPress

using namespace tarvex;

namespace {

using Presses = QList<QStringList>;
const int KeyRightOfT = 29; // Y on a US keyboard, Z on a German one

int g_lastError = 0;
QStringList g_messages;

int recordError(Display*, XErrorEvent* error)
{
    g_lastError = error->error_code;
    return 0;
}

} // namespace

// The Linux/X11 back end on a real X server with openbox and trayer: XTest keys through the test
// host's XInput2 source to its hotkeys and window actions, and the EWMH reading of other windows.
class TestX11E2E final : public AppTestCase
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY((m_display = XOpenDisplay(nullptr))); }
    void cleanupTestCase() { XCloseDisplay(m_display); }

    void title_data()
    {
        QTest::addColumn<QByteArray>("netName");
        QTest::addColumn<QByteArray>("wmName");
        QTest::addColumn<QString>("title");
        const QByteArray sixty = QByteArray("0123456789").repeated(6);
        QTest::newRow("EWMH name first")
            << QByteArray("Grüße – Editor") << QByteArray("old") << QString("Grüße – Editor");
        QTest::newRow("ICCCM name when no EWMH name")
            << QByteArray() << QByteArray("Caf\xe9") << QString("Café");
        QTest::newRow("first 50 characters") << sixty << QByteArray() << QString(sixty.left(50));
        QTest::newRow("no name") << QByteArray() << QByteArray() << QString();
    }

    void title()
    {
        QFETCH(QByteArray, netName);
        QFETCH(QByteArray, wmName);
        QFETCH(QString, title);
        const Window window = makeWindow();
        if (!netName.isEmpty())
            XChangeProperty(m_display, window, XInternAtom(m_display, "_NET_WM_NAME", False),
                            XInternAtom(m_display, "UTF8_STRING", False), 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(netName.constData()),
                            int(netName.size()));
        if (!wmName.isEmpty())
            XStoreName(m_display, window, wmName.constData());
        XSync(m_display, False);
        QCOMPARE(m_windows.windowTitle(window), title);
        XDestroyWindow(m_display, window);
    }

    // _NET_WM_ICON: width, height and ARGB pixels of each picture; one its data does not fill
    // ends the list.
    void icons_data()
    {
        QTest::addColumn<QList<long>>("values");
        QTest::addColumn<QList<QSize>>("sizes");
        QList<long> two{2, 2, long(0xff0000ff), 0x7f00ff00, 0, long(0xffffffff), 3, 3};
        for (int i = 0; i < 9; ++i)
            two << long(0xffff0000);
        QTest::newRow("two pictures") << two << QList<QSize>{{3, 3}, {2, 2}};
        QTest::newRow("a picture too short for its size")
            << QList<long>{1, 1, long(0xff123456), 100, 100, 1, 2, 3} << QList<QSize>{{1, 1}};
        QTest::newRow("a negative size") << QList<long>{-5, 2, 0} << QList<QSize>{};
        QTest::newRow("none") << QList<long>{} << QList<QSize>{};
    }

    void icons()
    {
        QFETCH(QList<long>, values);
        QFETCH(QList<QSize>, sizes);
        const Window window = makeWindow();
        if (!values.isEmpty())
            setCardinals(window, "_NET_WM_ICON", values);
        const QList<QImage> icons = m_windows.windowIcons(window);
        QList<QSize> got;
        for (const QImage& icon : icons)
            got << icon.size();
        QCOMPARE(got, sizes);
        if (sizes.size() == 2) {
            QCOMPARE(icons[0].pixel(2, 2), 0xffff0000u);
            QCOMPARE(icons[1].pixel(0, 0), 0xff0000ffu);
            QCOMPARE(icons[1].pixel(1, 0), 0x7f00ff00u);
            QCOMPARE(qAlpha(icons[1].pixel(0, 1)), 0);
        }
        XDestroyWindow(m_display, window);
    }

    // An older program's icon: a true-colour pixmap with a bitmap mask in WM_HINTS.
    void hintsIconWhenNoEwmhIcon()
    {
        const Window window = makeWindow(), root = DefaultRootWindow(m_display);
        const Pixmap pixmap = XCreatePixmap(m_display, root, 4, 4, 24);
        const Pixmap mask = XCreatePixmap(m_display, root, 4, 4, 1);
        GC colour = XCreateGC(m_display, pixmap, 0, nullptr);
        XSetForeground(m_display, colour, 0x00ff00);
        XFillRectangle(m_display, pixmap, colour, 0, 0, 4, 4);
        GC bits = XCreateGC(m_display, mask, 0, nullptr);
        XSetForeground(m_display, bits, 0);
        XFillRectangle(m_display, mask, bits, 0, 0, 4, 4);
        XSetForeground(m_display, bits, 1);
        XFillRectangle(m_display, mask, bits, 0, 0, 2, 4); // left half opaque
        XWMHints hints{};
        hints.flags = IconPixmapHint | IconMaskHint;
        hints.icon_pixmap = pixmap;
        hints.icon_mask = mask;
        XSetWMHints(m_display, window, &hints);
        XSync(m_display, False);
        const QList<QImage> icons = m_windows.windowIcons(window);
        QCOMPARE(icons.size(), 1);
        QCOMPARE(icons[0].size(), QSize(4, 4));
        QCOMPARE(icons[0].pixel(1, 2), 0xff00ff00u);
        QCOMPARE(qAlpha(icons[0].pixel(3, 2)), 0);
        // The window's own EWMH icon wins over the old one.
        setCardinals(window, "_NET_WM_ICON", {1, 1, long(0xff0000ff)});
        QCOMPARE(m_windows.windowIcons(window).first().pixel(0, 0), 0xff0000ffu);
        XFreeGC(m_display, colour);
        XFreeGC(m_display, bits);
        XFreePixmap(m_display, pixmap);
        XFreePixmap(m_display, mask);
        XDestroyWindow(m_display, window);
    }

    void foregroundWindow()
    {
        const QString window = m_app->openVictim("Foreground probe");
        QVERIFY(!window.isEmpty());
        QTRY_COMPARE(m_windows.foregroundWindow(), WindowId(window.toULongLong()));
        QCOMPARE(m_windows.windowTitle(window.toULongLong()), QString("Foreground probe"));
        // The application: WM_CLASS instance and class.
        QVERIFY(m_windows.canTellApplications());
        QCOMPARE(m_windows.applicationNames(window.toULongLong()),
                 (QStringList{"xmessage", "Xmessage"}));
        QVERIFY(m_windows.runningApplications().contains("Xmessage"));
        m_app->lastVictim().kill();
        QTRY_VERIFY(m_windows.foregroundWindow() != WindowId(window.toULongLong()));
    }

    void vanishedWindowIsHarmless()
    {
        const Window window = makeWindow();
        XDestroyWindow(m_display, window);
        XSync(m_display, False);
        for (const WindowId id : {WindowId(window), WindowId(0)}) {
            m_windows.closeWindow(id);
            m_windows.minimizeWindow(id);
            m_windows.maximizeWindow(id);
            m_windows.hideWindow(id);
            m_windows.showWindow(id);
            QCOMPARE(m_windows.windowTitle(id), QString());
            QVERIFY(m_windows.windowIcons(id).isEmpty());
        }
    }

    // X errors are logged under their category; Ctrl+Alt+Space held by another program (in
    // every lock variant) is reported once, and a free one not at all.
    void errorsAndHeldGrabAreReported()
    {
        Display* mine = XOpenDisplay(nullptr);
        Display* other = XOpenDisplay(nullptr);
        QVERIFY(mine && other);
        installX11ErrorHandler();
        g_messages.clear();
        const auto previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext& context, const QString& text) {
                g_messages << QString::fromLatin1(context.category) + ": " + text;
            });
        XMapWindow(mine, 0x3fffff1); // no such window
        XSync(mine, False);
        const KeyCode space = XKeysymToKeycode(other, XK_space);
        for (unsigned locks :
             {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
            XGrabKey(other, space, ControlMask | Mod1Mask | locks, DefaultRootWindow(other), True,
                     GrabModeAsync, GrabModeAsync);
        XSync(other, False);
        const bool grabbed = grabReservedHotkey(mine);
        XCloseDisplay(other);
        const bool free = grabReservedHotkey(mine);
        XCloseDisplay(mine);
        qInstallMessageHandler(previous);
        QVERIFY(!grabbed && free);
        QCOMPARE(g_messages.size(), 2);
        QVERIFY2(g_messages[0].startsWith("tarvex.x11: X error BadWindow"),
                 qPrintable(g_messages[0]));
        QVERIFY2(g_messages[1].startsWith("tarvex.x11: Ctrl+Alt+Space is held by another program"),
                 qPrintable(g_messages[1]));
    }

    // The host's window actions on real windows; a window gone before its action is no error.
    void windowActions()
    {
        QVERIFY(startWindowHost());
        QVERIFY(!m_app->openVictim("Victim gone").isEmpty());
        m_app->lastVictim().kill();
        m_app->lastVictim().waitForFinished();
        AppDriver::press("ctrl+alt+x");
        AppDriver::press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->hostLines("action").size(), 2, 5000);
        const QString window = m_app->openVictim("Victim minmax");
        QVERIFY(!window.isEmpty());
        QVERIFY(!property(window, "_NET_WM_STATE").contains("MAXIMIZED"));
        AppDriver::press("ctrl+alt+x");
        QTRY_VERIFY_WITH_TIMEOUT(
            property(window, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_VERT"), 5000);
        QVERIFY(property(window, "_NET_WM_STATE").contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
        QVERIFY(property(window, "WM_STATE").contains("Normal"));
        AppDriver::press("ctrl+alt+m");
        QTRY_VERIFY_WITH_TIMEOUT(property(window, "WM_STATE").contains("Iconic"), 5000);
        QCOMPARE(m_harness->hostLines("tray").size(), 0); // the vanished window was not hidden
        QVERIFY(!m_app->openVictim("Victim close").isEmpty());
        AppDriver::press("ctrl+alt+c");
        QVERIFY(m_app->lastVictim().waitForFinished(5000));
    }

    // Without a tray (the second run), the icon appears once a tray starts.
    void hideAndRestoreFromTray()
    {
        const bool noTray = qEnvironmentVariable("XSESSION_NO_TRAY") == "1";
        QVERIFY(startWindowHost());
        const QString window = m_app->openVictim("Victim hide");
        QVERIFY(!window.isEmpty());
        AppDriver::press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(window), QString("IsUnMapped"), 5000);
        QCOMPARE(m_harness->waitForHostLine("tray ", 5000), QString("tray 0"));
        QProcess tray;
        if (noTray) {
            QVERIFY(embeddedIconCentre().isNull());
            tray.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                                  "--width", "200", "--height", "24"});
        }
        QPoint icon;
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = embeddedIconCentre()).isNull(), 10000);
        AppDriver::doubleClick(icon);
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(window), QString("IsViewable"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::activeWindow(), window.toULongLong(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(embeddedIconCentre().isNull(), 5000);
        tray.terminate();
        tray.waitForFinished();
    }

    // Last: the layout changes may end openbox, which the window tests need.
    void keys_data()
    {
        QTest::addColumn<QStringList>("bindings");
        QTest::addColumn<Presses>("presses");
        QTest::addColumn<QStringList>("fired");
        const QStringList sequence{"gofb*gofb"}, chord{"(Ctrl)(Alt)k*chord"};
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
            << Presses{{"keydown", "a", "keydown", "a", "keydown", "a"}, {"keyup", "a"}}
            << QStringList{"a"};
        QTest::newRow("reserved ctrl alt space still seen")
            << QStringList{"(Ctrl)(Alt)(Space)*space"} << Presses{{"key", "ctrl+alt+space"}}
            << QStringList{"space"};
        QTest::newRow("every key its own hotkey, keypad with Num Lock off and on")
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
        // F9 comes last: once its hotkey has fired, every key before it has been seen.
        QVERIFY(startHost(bindings << "(F9)*end"));
        for (const QStringList& press : presses)
            E2EHarness::xdotool(press);
        E2EHarness::xdotool({"key", "F9"});
        fired << "end";
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines().size(), fired.size(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->hostLines("action").size(), fired.size(), 5000);
        // The host names the targets in firing order; the targets may finish in another order.
        QStringList order, ran = m_harness->logLines();
        for (const QString& line : m_harness->hostLines("action"))
            order << QFileInfo(line.section(u' ', 1)).fileName();
        QCOMPARE(order, fired);
        ran.sort();
        fired.sort();
        QCOMPARE(ran, fired);
    }

    void rapidPressesFireEachTime()
    {
        QVERIFY(startHost({"q*q", "(F9)*end"}));
        QStringList press{"key", "--delay", "0"};
        for (int i = 0; i < 200; ++i)
            press << "q";
        E2EHarness::xdotool(press << "F9");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines().size(), 201, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->hostLines("action").size(), 201, 5000);
    }

    // A new keymap (setxkbmap) and a locked layout group (a layout toggle key) are both followed.
    void layoutSwitchIsFollowed()
    {
        E2EHarness::run("setxkbmap", {"us"});
        QVERIFY(startHost({"y*y", "z*z"}));
        E2EHarness::tapKeycode(KeyRightOfT);
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"y"}, 5000);
        E2EHarness::run("setxkbmap", {"de"});
        QVERIFY(pressedUntil(KeyRightOfT, "z"));
        E2EHarness::run("setxkbmap", {"-layout", "us,de"});
        E2EHarness::lockLayoutGroup(0);
        QVERIFY(pressedUntil(KeyRightOfT, "y"));
        E2EHarness::lockLayoutGroup(1);
        QVERIFY(pressedUntil(KeyRightOfT, "z"));
        E2EHarness::lockLayoutGroup(0);
        E2EHarness::run("setxkbmap", {"us"});
    }

    void reservedHotkeyIsGrabbed()
    {
        QVERIFY(startHost({}));
        const auto previous = XSetErrorHandler(recordError);
        g_lastError = 0;
        XGrabKey(m_display, XKeysymToKeycode(m_display, XK_space), ControlMask | Mod1Mask,
                 DefaultRootWindow(m_display), True, GrabModeAsync, GrabModeAsync);
        XSync(m_display, False);
        XSetErrorHandler(previous);
        QCOMPARE(g_lastError, int(BadAccess));
    }

    // The XInput2 source gives the key numbers of the table the evdev source is tested against.
    void layoutKeys_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("us") << "us";
        QTest::newRow("de") << "de";
    }

    void layoutKeys()
    {
        QFETCH(QString, layout);
        E2EHarness::run("setxkbmap", {layout});
        const unsigned numLockMask = XkbKeysymToModifiers(m_display, XK_Num_Lock);
        X11KeyStateSource source;
        QVERIFY(source.start());
        QList<int> polled;
        source.setPressCallback([&](int code) { polled << code; });
        QStringList wrong;
        for (const LayoutKey& key : LayoutKeys) {
            XkbLockModifiers(m_display, XkbUseCoreKbd, numLockMask, key.numLock ? numLockMask : 0);
            polled.clear();
            XTestFakeKeyEvent(m_display, unsigned(key.evdevCode + 8), True, 0);
            XTestFakeKeyEvent(m_display, unsigned(key.evdevCode + 8), False, 0);
            XFlush(m_display);
            (void)QTest::qWaitFor([&] { return !polled.isEmpty(); }, 5000);
            const int expected = layout == u"us" ? key.us : key.de;
            if (polled != QList<int>{expected})
                wrong << QStringLiteral("%1: %2 instead of %3")
                             .arg(QLatin1String(key.name),
                                  polled.isEmpty() ? "nothing" : QString::number(polled.first()))
                             .arg(expected);
        }
        XkbLockModifiers(m_display, XkbUseCoreKbd, numLockMask, 0);
        XFlush(m_display);
        E2EHarness::run("setxkbmap", {"us"});
        QCOMPARE(wrong, QStringList{});
    }

private:
    // Starts the test host with "combination*word" bindings, each a target logging its word.
    bool startHost(const QStringList& bindings)
    {
        QStringList records;
        for (const QString& binding : bindings) {
            const QString word = binding.section('*', 1);
            records << binding.section('*', 0, 0) + '*' + m_harness->writeLoggingTarget(word, word);
        }
        return m_harness->writeHotkeys(records) && m_harness->startHost();
    }
    bool startWindowHost()
    {
        return m_harness->writeHotkeys(
                   {"(Ctrl)(Alt)m*-Minimize Window-", "(Ctrl)(Alt)x*-maximize window-",
                    "(Ctrl)(Alt)c*-Close Window-", "(Ctrl)(Alt)h*-Hide Window-"}) &&
               m_harness->startHost();
    }
    // Taps a key until its hotkey fires `word`: the host reads a new layout when the server
    // tells it, and the old layout's hotkeys may fire before.
    bool pressedUntil(int keycode, const QString& word)
    {
        return QTest::qWaitFor(
            [&] {
                E2EHarness::tapKeycode(keycode);
                return QTest::qWaitFor([&] { return m_harness->logLines().endsWith(word); }, 300);
            },
            10000);
    }
    static QString property(const QString& window, const QString& name)
    {
        return E2EHarness::run("xprop", {"-id", window, name});
    }
    static QPoint embeddedIconCentre();
    Window makeWindow()
    {
        const Window window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 10, 10,
                                                  200, 100, 0, 0, 0xffffff);
        XSync(m_display, False);
        return window;
    }
    void setCardinals(Window window, const char* property, const QList<long>& values)
    {
        XChangeProperty(m_display, window, XInternAtom(m_display, property, False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(values.constData()),
                        int(values.size()));
        XSync(m_display, False);
    }

    Display* m_display = nullptr;
    EwmhDesktopWindows m_windows;
};

// The centre of the host's tray icon once the tray has embedded it (its only window with
// _XEMBED_INFO), else a null point.
QPoint TestX11E2E::embeddedIconCentre()
{
    for (const QString& window : E2EHarness::xdotool({"search", "--classname", "tarvex_testhost"})
                                     .split('\n', Qt::SkipEmptyParts)) {
        if (property(window, "_XEMBED_INFO").contains("= ") &&
            AppDriver::geometryOf(window).x() > 0 && AppDriver::mapState(window) == "IsViewable")
            return AppDriver::centreOf(window);
    }
    return {};
}

QTEST_MAIN(TestX11E2E)
#include "TestX11E2E.moc"
