#include "platform/x11/ReservedHotkey.h"
#include "platform/x11/X11Errors.h"

#include <QtTest>

#include <X11/keysym.h>
#include <X11/Xlib.h>

using namespace tarvex;

// X errors on a real X server: logged under their own category, and a reserved
// hotkey that another program holds is reported once.
class TestX11Errors final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_display = XOpenDisplay(nullptr);
        QVERIFY2(m_display, "no X display");
        installX11ErrorHandler();
        qInstallMessageHandler(recordMessage);
    }
    void init() { s_messages.clear(); }

    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        XCloseDisplay(m_display);
    }

    void errorIsLogged()
    {
        XMapWindow(m_display, 0x3fffff1); // no such window
        XSync(m_display, False);
        QCOMPARE(s_messages.size(), 1);
        QVERIFY2(s_messages[0].startsWith("tarvex.x11: X error BadWindow"),
                 qPrintable(s_messages[0]));
    }

    void grabHeldElsewhereIsReportedOnce()
    {
        // Another program holds Ctrl+Alt+Space in every lock variant.
        Display* other = XOpenDisplay(nullptr);
        QVERIFY(other);
        const KeyCode space = XKeysymToKeycode(other, XK_space);
        for (unsigned int locks :
             {0u, unsigned(LockMask), unsigned(Mod2Mask), unsigned(LockMask | Mod2Mask)})
            XGrabKey(other, space, ControlMask | Mod1Mask | locks, DefaultRootWindow(other), True,
                     GrabModeAsync, GrabModeAsync);
        XSync(other, False);
        const bool grabbed = grabReservedHotkey(m_display);
        XCloseDisplay(other);
        QVERIFY(!grabbed);
        QCOMPARE(s_messages.size(), 1);
        QVERIFY2(s_messages[0].startsWith("tarvex.x11: Ctrl+Alt+Space is held by another program"),
                 qPrintable(s_messages[0]));
    }

    void freeGrabIsSilent()
    {
        // The other program has ended: the grab is free.
        QVERIFY(grabReservedHotkey(m_display));
        QVERIFY2(s_messages.isEmpty(), qPrintable(s_messages.join('\n')));
    }

private:
    static void recordMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& text);

    static QStringList s_messages;
    Display* m_display = nullptr;
};

QStringList TestX11Errors::s_messages;

void TestX11Errors::recordMessage(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    s_messages.append(QString::fromLatin1(context.category) + ": " + text);
}

QTEST_GUILESS_MAIN(TestX11Errors)
#include "TestX11Errors.moc"
