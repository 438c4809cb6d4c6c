// velbutton on a real X server: pointer tracking from real pointer motion, a
// real double click, and the drop-down menu closed by a real click on the button.
#include "controls/button/velbutton.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include <X11/extensions/XTest.h>
#include <X11/Xlib.h>

using namespace tarvex;

// Drives the pointer through XTest on a connection of its own.
class Pointer final
{
public:
    Pointer() : m_display(XOpenDisplay(nullptr)) {}
    ~Pointer()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    bool valid() const { return m_display != nullptr; }

    void moveTo(QPoint global)
    {
        XTestFakeMotionEvent(m_display, -1, global.x(), global.y(), CurrentTime);
        XFlush(m_display);
    }

    void click(QPoint global)
    {
        moveTo(global);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, 30);
        XFlush(m_display);
    }

private:
    Display* m_display;
};

class TestVelbuttonX11 final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hoverFollowsThePointer();
    void doubleClickPressesTwice();
    void clickOnButtonClosesMenuWithoutReopening();

private:
    QWidget* m_window = nullptr;
    velbutton* m_button = nullptr;
    Pointer m_pointer;
};

void TestVelbuttonX11::init()
{
    QVERIFY(m_pointer.valid());
    m_window = new QWidget;
    m_window->setGeometry(200, 200, 300, 200);
    m_button = new velbutton(m_window, "b");
    m_button->setButtonStyle(ButtonStyleKind::Hover3D);
    m_button->setGeometry(50, 50, 120, 32);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_pointer.moveTo(m_window->mapToGlobal(QPoint(280, 180)));
    QTest::qWait(100);
}

void TestVelbuttonX11::cleanup()
{
    delete m_window;
}

void TestVelbuttonX11::hoverFollowsThePointer()
{
    QSignalSpy moves(m_button, &velbutton::pointerMoved);
    m_pointer.moveTo(m_button->mapToGlobal(QPoint(60, 16)));
    QTRY_COMPARE(m_button->state(), ButtonState::Hot);
    QVERIFY(moves.count() >= 1);
    // Hot draws style 3's fixed blue frame.
    QCOMPARE(m_button->grab().toImage().pixel(0, 10), qRgb(50, 117, 167));
    m_pointer.moveTo(m_window->mapToGlobal(QPoint(280, 180)));
    QTRY_COMPARE(m_button->state(), ButtonState::Normal);
}

// Two quick clicks: the second press arrives as the window system's double
// click, and the button still sees it as a press.
void TestVelbuttonX11::doubleClickPressesTwice()
{
    QSignalSpy clicks(m_button, &velbutton::clicked);
    const QPoint onButton = m_button->mapToGlobal(QPoint(60, 16));
    m_pointer.click(onButton);
    m_pointer.click(onButton);
    QTRY_COMPARE(clicks.count(), 2);
}

void TestVelbuttonX11::clickOnButtonClosesMenuWithoutReopening()
{
    QMenu menu;
    menu.addAction("One");
    menu.addAction("Two");
    int shown = 0;
    QSignalSpy clicks(m_button, &velbutton::clicked);
    const QPoint onButton = m_button->mapToGlobal(QPoint(60, 16));
    connect(&menu, &QMenu::aboutToShow, this, [&] {
        ++shown;
        // First time: the user clicks the button again; then the menu is just closed.
        if (shown == 1)
            QTimer::singleShot(300, this, [&] { m_pointer.click(onButton); });
        else
            QTimer::singleShot(300, &menu, &QMenu::close);
    });
    m_button->SetPopupMenu(&menu, 0);
    m_pointer.click(onButton);
    QTRY_COMPARE(shown, 1);
    QTRY_VERIFY(!menu.isVisible());
    QTest::qWait(500);
    QCOMPARE(shown, 1);
    QCOMPARE(clicks.count(), 0);
    m_pointer.click(onButton);
    QTRY_COMPARE(shown, 2);
    QTRY_VERIFY(!menu.isVisible());
}

QTEST_MAIN(TestVelbuttonX11)
#include "TestVelbuttonX11.moc"
