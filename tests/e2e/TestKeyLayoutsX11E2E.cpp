#include "E2EHarness.h"
#include "platform/x11/X11KeyEventCodes.h"
#include "platform/x11/X11KeyStateSource.h"
#include "tests/platform/LayoutKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
// Xlib's event type names hide Qt's.
#undef KeyPress

using namespace tarvex;

// The key numbers of the X11 side on a real X server: the XInput2 source gets
// XTest key presses under a US and a German layout and must give the numbers of
// the table the source reading the kernel's input devices is tested against;
// the capture box's numbers take Num Lock from the server's keymap.
class TestKeyLayoutsX11E2E final : public QObject
{
    Q_OBJECT

private slots:
    void captureBoxTakesNumLockFromTheKeymap();
    void layouts_data();
    void layouts();
};

namespace {

// Binds Num_Lock to modifier `to` (Mod2 is what most set-ups use).
void bindNumLock(Display* display, int to)
{
    XModifierKeymap* map = XGetModifierMapping(display);
    const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
    for (int modifier = Mod1MapIndex; modifier <= Mod5MapIndex; ++modifier)
        map = XDeleteModifiermapEntry(map, numLock, modifier);
    map = XInsertModifiermapEntry(map, numLock, to);
    XSetModifierMapping(display, map);
    XFreeModifiermap(map);
    XSync(display, False);
}

} // namespace

// A keypad key with Num Lock on a modifier other than Mod2 still gives its digit.
void TestKeyLayoutsX11E2E::captureBoxTakesNumLockFromTheKeymap()
{
    const int keypadOne = 79 + 8;
    Display* display = XOpenDisplay(nullptr);
    QVERIFY(display);
    bindNumLock(display, Mod3MapIndex);
    X11KeyEventCodes codes;
    const auto keypadOneWith = [&](unsigned modifiers) {
        const QKeyEvent event(QEvent::KeyPress, Qt::Key_End, Qt::KeypadModifier, keypadOne,
                              XK_KP_End, modifiers);
        return codes.codeFor(event);
    };
    const int mod3 = keypadOneWith(Mod3Mask);
    const int mod2 = keypadOneWith(Mod2Mask);
    bindNumLock(display, Mod2MapIndex);
    codes.invalidateLayout();
    const int mod2Again = keypadOneWith(Mod2Mask);
    XCloseDisplay(display);
    QCOMPARE(mod3, 97);
    QCOMPARE(mod2, 35);
    QCOMPARE(mod2Again, 97);
}

void TestKeyLayoutsX11E2E::layouts_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("us") << "us";
    QTest::newRow("de") << "de";
}

void TestKeyLayoutsX11E2E::layouts()
{
    QFETCH(QString, layout);
    E2EHarness::run("setxkbmap", {layout});
    Display* display = XOpenDisplay(nullptr);
    QVERIFY(display);
    const unsigned numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    X11KeyStateSource source;
    QVERIFY(source.start());
    QList<int> polled;
    source.setPressCallback([&] {
        for (int code = 1; code < 256; ++code) {
            if (source.keyState(code) == 0x8001)
                polled << code;
        }
    });
    QStringList wrong;
    for (const LayoutKey& key : LayoutKeys) {
        XkbLockModifiers(display, XkbUseCoreKbd, numLockMask, key.numLock ? numLockMask : 0);
        polled.clear();
        XTestFakeKeyEvent(display, unsigned(key.evdevCode + 8), True, 0);
        XTestFakeKeyEvent(display, unsigned(key.evdevCode + 8), False, 0);
        XFlush(display);
        for (int i = 0; i < 400 && polled.isEmpty(); ++i)
            QTest::qWait(5);
        const int expected = layout == u"us" ? key.us : key.de;
        if (polled != QList<int>{expected})
            wrong << QStringLiteral("%1: %2 instead of %3")
                         .arg(QLatin1String(key.name), polled.isEmpty()
                                                           ? QStringLiteral("nothing")
                                                           : QString::number(polled.first()))
                         .arg(expected);
    }
    XkbLockModifiers(display, XkbUseCoreKbd, numLockMask, 0);
    XCloseDisplay(display);
    E2EHarness::run("setxkbmap", {"us"});
    QCOMPARE(wrong, QStringList{});
}

QTEST_MAIN(TestKeyLayoutsX11E2E)
#include "TestKeyLayoutsX11E2E.moc"
