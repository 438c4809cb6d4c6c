// velForms on a real X server with a window manager: the title bar moves the
// window through the window manager, double-clicks maximize onto the work
// area and restore, the grips resize, and only the close button raises
// closeClicked. The pointer is driven with xdotool (XTest).
#include "FrameFixture.h"

#include "controls/frame/FrameGrip.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/frame/velForms.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace tarvex;

namespace {

bool xdo(const QStringList& args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Moves the pointer to at and waits until this program sees it there.
bool moveTo(const QPoint& at)
{
    return xdo({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())}) &&
           QTest::qWaitFor([&] { return QCursor::pos() == at; }, 3000);
}

// Presses at from, moves to to in steps (letting the window manager follow), releases.
void drag(const QPoint& from, const QPoint& to)
{
    QVERIFY(moveTo(from));
    xdo({"mousedown", "1"});
    // A first small step, as a hand on a mouse makes.
    QVERIFY(moveTo(from + QPoint(3, 0)));
    for (int i = 1; i <= 8; ++i)
        QVERIFY(moveTo(from + QPoint(3, 0) + (to - from - QPoint(3, 0)) * i / 8));
    xdo({"mouseup", "1"});
}

} // namespace

class TestVelFormsX11 final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void titleBarMovesWindow();
    void gripResizes();
    void systemMenu();

private:
    Form* m_form = nullptr;
    velForms* m_frame = nullptr;
};

void TestVelFormsX11::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X session (run through run-in-xsession.sh)");
}

void TestVelFormsX11::init()
{
    m_form = new Form;
    m_form->setWindowTitle(QStringLiteral("Frame test"));
    m_frame = new velForms(m_form);
    m_form->setGeometry(200, 150, 400, 300);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestVelFormsX11::cleanup()
{
    delete m_form;
    m_form = nullptr;
}

void TestVelFormsX11::titleBarMovesWindow()
{
    const QPoint before = m_form->pos();
    const QPoint grab = m_frame->mapToGlobal(QPoint(150, 12));
    drag(grab, grab + QPoint(120, 90));
    QTRY_VERIFY_WITH_TIMEOUT((m_form->pos() - (before + QPoint(120, 90))).manhattanLength() <= 6,
                             3000);
    QCOMPARE(m_frame->WindowState(), 0);
}

void TestVelFormsX11::gripResizes()
{
    const QPoint inside = m_frame->mapToGlobal(QPoint(200, 150));
    QVERIFY(moveTo(inside)); // the grips are placed on the first move over the frame
    QTRY_VERIFY(m_frame->findChild<FrameGrip*>("rightGrip")->isVisible());
    const QPoint right = m_frame->mapToGlobal(QPoint(m_frame->width() - 3, 120));
    drag(right, right + QPoint(-400, 0));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->width(), 130, 3000);
    QCOMPARE(m_form->height(), 300);
}

void TestVelFormsX11::systemMenu()
{
    QSignalSpy chosen(m_frame, &velForms::menuItemChosen);
    const QPoint title = m_frame->mapToGlobal(QPoint(150, 12));
    QVERIFY(moveTo(title));
    xdo({"click", "3"});
    QMenu* menu = m_frame->systemMenu()->menu();
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), 3000);
    QVERIFY(menu->geometry().contains(title + QPoint(1, 1)) ||
            (menu->pos() - title).manhattanLength() <= 4);
    // Always on Top, chosen with the pointer.
    QAction* onTop = m_frame->menuItem(FrameSystemMenu::AlwaysOnTop);
    const QPoint item = menu->mapToGlobal(menu->actionGeometry(onTop).center());
    QVERIFY(moveTo(item));
    QTRY_COMPARE(menu->activeAction(), onTop);
    xdo({"click", "1"});
    QTRY_COMPARE_WITH_TIMEOUT(chosen.count(), 1, 3000);
    QCOMPARE(chosen.first().at(0).toInt(), 6);
    QVERIFY(onTop->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(m_form->isVisible(), 3000);
}

QTEST_MAIN(TestVelFormsX11)
#include "TestVelFormsX11.moc"
