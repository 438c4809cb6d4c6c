// The tip on a real X server: a shaped balloon, its shadow blended on the window below.
#include "controls/tips/InfoTip.h"
#include "controls/tips/TipPainter.h"
#include "controls/tips/TipWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

const QColor ToolColour(0, 0, 255);

// A plain blue tool that asks for its hover tip on every mouse move.
class BlueTool final : public QWidget
{
public:
    BlueTool()
    {
        setMouseTracking(true);
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, ToolColour);
        setPalette(palette);
    }

protected:
    void mouseMoveEvent(QMouseEvent*) override { ShowInfoTip(this, "Starts the hotkeys", "Info"); }
};

QImage ScreenPixels(const QRect& rect)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage();
}

// Shows the tool and waits until the screen shows it where the window manager placed it.
bool ShowOnScreen(QWidget& tool)
{
    tool.show();
    if (!QTest::qWaitForWindowExposed(&tool, 20000))
        return false;
    return QTest::qWaitFor(
        [&tool] {
            const QImage shot = ScreenPixels(QRect(tool.mapToGlobal(QPoint(0, 0)), tool.size()));
            const QRect r = shot.rect();
            for (const QPoint& corner :
                 {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
                if (shot.pixelColor(corner) != ToolColour)
                    return false;
            return true;
        },
        20000);
}

} // namespace

class TestTipsX11 final : public QObject
{
    Q_OBJECT

private slots:
    void balloonOverAnotherWindow()
    {
        BlueTool tool;
        tool.setGeometry(100, 100, 500, 400);
        QVERIFY(ShowOnScreen(tool));
        const QPoint rest = tool.mapToGlobal(QPoint(80, 60));
        QCursor::setPos(rest - QPoint(3, 0));
        QCursor::setPos(rest);
        QTRY_VERIFY_WITH_TIMEOUT(InfoTip::instance().isShown(), 8000);
        TipWindow* tip = InfoTip::instance().tipWindow();
        const QRect frame = tip->frameGeometry();
        QVERIFY(!frame.contains(rest));
        QCOMPARE(tip->stemSide(), StemSide::Top);
        const QPoint middle(TipPainter::StemInset, frame.height() / 2);
        QTRY_COMPARE(ScreenPixels(frame).pixelColor(middle), tip->image().pixelColor(middle));
        const QImage shown = ScreenPixels(frame);
        // Outside the rounded corner the blue tool shows through the window's shape.
        QCOMPARE(shown.pixelColor(0, TipPainter::StemHeight), ToolColour);
        // The shadow darkens the blue below it instead of covering it.
        const QColor shadow = shown.pixelColor(frame.width() - 2, frame.height() / 2);
        QVERIFY(shadow.blue() > 100 && shadow.blue() < 255);
        QCOMPARE(shadow.red(), 0);
        QCursor::setPos(rest + QPoint(12, 4));
        QTRY_VERIFY(!InfoTip::instance().isShown());
    }
};

QTEST_MAIN(TestTipsX11)
#include "TestTipsX11.moc"
