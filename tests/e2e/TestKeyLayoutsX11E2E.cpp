#include "E2EHarness.h"
#include "platform/x11/X11KeyStateSource.h"
#include "tests/platform/LayoutKeys.h"

#include <QApplication>
#include <QtTest>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
// Xlib's event type names hide Qt's.
#undef KeyPress

using namespace tarvex;

// The keys of the X11 side on a real X server: the XInput2 source gets XTest key
// presses under a US and a German layout, Num Lock on and off, and must give the
// keys of the table the source reading the kernel's input devices is tested against.
class TestKeyLayoutsX11E2E final : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("us") << "us";
        QTest::newRow("de") << "de";
    }

    void layouts()
    {
        QFETCH(QString, layout);
        E2EHarness::run("setxkbmap", {layout});
        Display* display = XOpenDisplay(nullptr);
        QVERIFY(display);
        const unsigned numLockMask = XkbKeysymToModifiers(display, XK_Num_Lock);
        X11KeyStateSource source;
        QVERIFY(source.start());
        QList<int> polled;
        source.setPressCallback([&](int code) { polled << code; });
        QStringList wrong;
        for (const LayoutKey& key : LayoutKeys) {
            XkbLockModifiers(display, XkbUseCoreKbd, numLockMask, key.numLock ? numLockMask : 0);
            polled.clear();
            XTestFakeKeyEvent(display, unsigned(key.evdevCode + 8), True, 0);
            XTestFakeKeyEvent(display, unsigned(key.evdevCode + 8), False, 0);
            XFlush(display);
            (void)QTest::qWaitFor([&] { return !polled.isEmpty(); }, 5000);
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
};

QTEST_MAIN(TestKeyLayoutsX11E2E)
#include "TestKeyLayoutsX11E2E.moc"
