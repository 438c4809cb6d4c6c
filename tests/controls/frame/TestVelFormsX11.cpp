// velForms on a real X server with a window manager, the pointer driven with xdotool (XTest):
// the title bar and the grips hand their drags to the window manager.
#include "FrameFixture.h"

#include "controls/frame/FrameGrip.h"
#include "controls/frame/velForms.h"

#include <QtTest>
#include <QtWidgets>

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

// The window's geometry as the X server has it now (Qt learns of moves later).
QRect ServerGeometry(const QWidget* window)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {"getwindowgeometry", "--shell", QString::number(window->winId())});
    xdotool.waitForFinished();
    QHash<QString, int> values;
    for (const QByteArray& line : xdotool.readAllStandardOutput().split('\n'))
        if (const int equals = line.indexOf('='); equals > 0)
            values.insert(QString::fromLatin1(line.left(equals)), line.mid(equals + 1).toInt());
    return {values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]};
}

// Presses at from, nudges toward to until the window manager takes the drag, moves on, releases;
// returns how far the pointer went before the window followed.
int drag(const QPoint& from, const QPoint& to, const std::function<bool()>& taken)
{
    if (!moveTo(from))
        return -1;
    xdo({"mousedown", "1"});
    const QPoint nudge(to.x() > from.x() ? 1 : -1, 0);
    QPoint at = from;
    const bool followed = QTest::qWaitFor([&] { return moveTo(at += nudge) && taken(); }, 5000);
    for (int i = 1; followed && i <= 8; ++i)
        moveTo(at + (to - at) * i / 8);
    xdo({"mouseup", "1"});
    return followed ? (at - from).manhattanLength() : -1;
}

} // namespace

class TestVelFormsX11 final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X session (run through run-in-xsession.sh)");
    }
    void init()
    {
        m_form = std::make_unique<Form>();
        m_form->setWindowTitle(QStringLiteral("Frame test"));
        m_frame = new velForms(m_form.get());
        m_form->setGeometry(200, 150, 400, 300);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QTRY_COMPARE(m_form->geometry(), QRect(200, 150, 400, 300)); // placed by the window manager
    }
    void cleanup() { m_form.reset(); }
    void titleBarMovesWindow()
    {
        const QPoint shown = m_form->pos();
        const QPoint before = ServerGeometry(m_form.get()).topLeft();
        const QPoint grab = m_frame->mapToGlobal(QPoint(150, 12));
        const int lag = drag(grab, grab + QPoint(120, 90),
                             [&] { return ServerGeometry(m_form.get()).topLeft() != before; });
        QVERIFY(lag >= 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            (m_form->pos() - (shown + QPoint(120, 90))).manhattanLength() <= 6 + lag, 3000);
        QCOMPARE(m_frame->WindowState(), 0);
    }
    void gripResizes()
    {
        QVERIFY(moveTo(m_frame->mapToGlobal(QPoint(200, 150)))); // the grips come on the first move
        QTRY_VERIFY(m_frame->findChild<FrameGrip*>("rightGrip")->isVisible());
        const QPoint right = m_frame->mapToGlobal(QPoint(m_frame->width() - 3, 120));
        QVERIFY(drag(right, right + QPoint(-400, 0),
                     [&] { return ServerGeometry(m_form.get()).width() != 400; }) >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(m_form->width(), 130, 3000);
        QCOMPARE(m_form->height(), 300);
    }

private:
    std::unique_ptr<Form> m_form;
    velForms* m_frame = nullptr;
};

QTEST_MAIN(TestVelFormsX11)
#include "TestVelFormsX11.moc"
