#include "E2EHarness.h"
#include "platform/x11/EwmhDesktopWindows.h"

#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace tarvex;

// Reading the windows of other programs on a real X server: titles, icons and
// the foreground window, with windows this test makes and decorates itself.
class TestDesktopWindowsE2E final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_display = XOpenDisplay(nullptr);
        QVERIFY(m_display);
    }

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

    // _NET_WM_ICON: width, height and the ARGB pixels of each picture, the largest first;
    // a picture whose size its data does not fill ends the list.
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
        const Window window = makeWindow();
        const Window root = DefaultRootWindow(m_display);
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
        QProcess program;
        program.start("xmessage", {"-title", "Foreground probe", "-buttons", "", "probe"});
        QVERIFY(program.waitForStarted());
        const QString window = E2EHarness::findWindow({"--name", "^Foreground probe$"});
        E2EHarness::xdotool({"windowactivate", "--sync", window});
        QTRY_COMPARE(m_windows.foregroundWindow(), WindowId(window.toULongLong()));
        QCOMPARE(m_windows.windowTitle(window.toULongLong()), QString("Foreground probe"));
        program.kill();
        program.waitForFinished();
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
        QVERIFY(m_windows.windowTitle(window).isEmpty());
    }

private:
    Window makeWindow();
    void setCardinals(Window window, const char* property, const QList<long>& values);

    Display* m_display = nullptr;
    EwmhDesktopWindows m_windows;
};

Window TestDesktopWindowsE2E::makeWindow()
{
    const Window window = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 10, 10, 200,
                                              100, 0, 0, 0xffffff);
    XSync(m_display, False);
    return window;
}

void TestDesktopWindowsE2E::setCardinals(Window window, const char* property,
                                         const QList<long>& values)
{
    XChangeProperty(m_display, window, XInternAtom(m_display, property, False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(values.constData()),
                    int(values.size()));
    XSync(m_display, False);
}

QTEST_GUILESS_MAIN(TestDesktopWindowsE2E)
#include "TestDesktopWindowsE2E.moc"
