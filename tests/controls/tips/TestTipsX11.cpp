// The tip window on a real X server: the pointer resting on a tool brings up a balloon whose
// shape leaves the windows below visible outside it, with a shadow blended onto them; the
// next pointer movement takes it down.
#include "controls/tips/InfoTip.h"
#include "controls/tips/TipPainter.h"
#include "controls/tips/TipWindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QWidget>

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

QImage screenPixels(const QRect& rect)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage();
}

} // namespace

class TestTipsX11 final : public QObject
{
    Q_OBJECT

private slots:
    void balloonOverAnotherWindow();
    void shapeWithoutShadow();
};

void TestTipsX11::balloonOverAnotherWindow()
{
    BlueTool tool;
    tool.setGeometry(100, 100, 500, 400);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool));
    QTest::qWait(300);
    const QPoint rest = tool.mapToGlobal(QPoint(80, 60));
    QCursor::setPos(rest - QPoint(3, 0));
    QCursor::setPos(rest);
    QTRY_VERIFY_WITH_TIMEOUT(InfoTip::instance().isShown(), 8000);
    TipWindow* tip = InfoTip::instance().tipWindow();
    QTest::qWait(200);
    const QRect frame = tip->frameGeometry();
    QVERIFY(!frame.contains(rest));
    QCOMPARE(tip->stemSide(), StemSide::Top);
    const QImage shown = screenPixels(frame);
    const QColor body = shown.pixelColor(TipPainter::StemInset, frame.height() / 2);
    QCOMPARE(body, tip->image().pixelColor(TipPainter::StemInset, frame.height() / 2));
    // Outside the rounded corner the blue tool shows through the window's shape.
    QCOMPARE(shown.pixelColor(0, TipPainter::StemHeight), ToolColour);
    // The shadow darkens the blue below it instead of covering it.
    const QColor shadow = shown.pixelColor(frame.width() - 2, frame.height() / 2);
    QVERIFY(shadow.blue() > 100 && shadow.blue() < 255);
    QCOMPARE(shadow.red(), 0);
    QCursor::setPos(rest + QPoint(12, 4));
    QTRY_VERIFY(!InfoTip::instance().isShown());
}

void TestTipsX11::shapeWithoutShadow()
{
    BlueTool tool;
    tool.setGeometry(100, 100, 500, 400);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool));
    TipContent content;
    content.text = "No shadow";
    content.shape = TipShape::Balloon;
    content.shadow = false;
    content.background = QColor(255, 255, 0);
    TipWindow tip(content, &tool);
    tip.popUp(tool.mapToGlobal(QPoint(100, 100)));
    QVERIFY(QTest::qWaitForWindowExposed(&tip));
    QTest::qWait(200);
    const QImage shown = screenPixels(tip.frameGeometry());
    QCOMPARE(shown.pixelColor(TipPainter::StemInset, shown.height() / 2), QColor(255, 255, 0));
    // Only the window's shape can keep the corner blue: nothing was drawn there.
    QCOMPARE(shown.pixelColor(0, TipPainter::StemHeight), ToolColour);
    QCOMPARE(shown.pixelColor(shown.width() - 1, 0), ToolColour);
}

QTEST_MAIN(TestTipsX11)
#include "TestTipsX11.moc"
