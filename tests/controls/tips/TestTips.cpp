// Tip window drawing and placement, and the single hover tip of ShowInfoTip / HideInfoTip.
#include "controls/tips/InfoTip.h"
#include "controls/tips/TipPainter.h"
#include "controls/tips/TipWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

// A tool that asks for its hover tip on every mouse move, as the program's windows do.
class HintTool final : public QWidget
{
public:
    explicit HintTool(const QString& hint) : m_hint(hint) { setMouseTracking(true); }
    QString m_hint;
    void mouseMoveEvent(QMouseEvent*) override { ShowInfoTip(this, m_hint, "Info"); }
};

class TestTips final : public QObject
{
    Q_OBJECT

private slots:
    // Off X11 the tip window is translucent, its shadow alpha for the compositor to blend.
    void shadowWithoutScreenCapture()
    {
        TipContent content;
        content.text = "A shadow of its own";
        QPalette colours = QToolTip::palette(); // the desktop's tip colours fill it
        colours.setColor(QPalette::ToolTipBase, Qt::green);
        QToolTip::setPalette(colours);
        TipWindow tip(content);
        QVERIFY(tip.translucent() && tip.testAttribute(Qt::WA_TranslucentBackground));
        tip.popUp(QPoint(300, 300));
        const QImage image = tip.image();
        const QSize size = image.deviceIndependentSize().toSize();
        const int depth = TipPainter::ShadowDepth;
        const QRgb shadow = image.pixel(size.width() - depth / 2 - 1, size.height() / 2);
        QVERIFY(qAlpha(shadow) > 0 && qAlpha(shadow) < 160);
        QCOMPARE(qAlpha(image.pixel(size.width() - 1, 0)), 0); // beside the shadow nothing
        QCOMPARE(qAlpha(image.pixel(depth, depth)), 255);      // the body itself whole
        QCOMPARE(QColor(image.pixel(depth + 2, size.height() / 2)).hue(), 120); // shaded green
    }
    // Beside the pointer, never under it, whole on the screen: below it unless at the bottom,
    // toward the left for right-to-left text.
    void placement()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QList<QPoint> cursors{area.center(),
                                    area.center(), // the second right to left
                                    {area.center().x(), area.bottom() - 5},
                                    {area.right() - 3, area.center().y()},
                                    area.topLeft()};
        for (TipShape shape : {TipShape::Balloon, TipShape::Rectangle}) {
            for (int i = 0; i < cursors.size(); ++i) {
                TipContent placed;
                placed.text = "Placed beside the pointer", placed.shape = shape;
                placed.rightToLeft = i == 1;
                TipWindow tip(placed);
                tip.popUp(cursors[i]);
                const QRect frame = tip.geometry();
                QVERIFY(area.contains(frame) && !frame.contains(cursors[i]));
                const bool below = frame.top() > cursors[i].y();
                QCOMPARE(below, i != 2);
                if (shape == TipShape::Balloon)
                    QCOMPARE(tip.stemSide(), below ? StemSide::Top : StemSide::Bottom);
                if (i < 2)
                    QCOMPARE(std::pair(frame.center().x() < cursors[i].x(), tip.layoutDirection()),
                             std::pair(i == 1, i == 1 ? Qt::RightToLeft : Qt::LeftToRight));
            }
        }
    }
    // The tip waits for the pointer to rest, goes with a click and off the tools.
    void hoverTip()
    {
        QWidget host;
        auto* layout = new QHBoxLayout(&host);
        HintTool* left = new HintTool("Starts the hotkeys");
        HintTool* right = new HintTool("Closes the program");
        layout->addWidget(left), layout->addWidget(right);
        host.setGeometry(200, 200, 300, 60);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        InfoTip& tip = InfoTip::instance();
        QTest::mouseMove(left, {10, 10});
        QCOMPARE(tip.tool(), left);
        QVERIFY(!tip.isShown()); // not before the pointer has rested
        QTRY_VERIFY(tip.isShown());
        QCOMPARE(tip.tipWindow()->content().text, left->m_hint);
        QTest::mousePress(left, Qt::LeftButton, {}, {10, 10});
        QVERIFY(!tip.isShown());
        QTest::mouseRelease(left, Qt::LeftButton, {}, {10, 10});
        QTest::mouseMove(right, {16, 16});
        QTRY_VERIFY(tip.isShown());
        QCOMPARE(tip.tool(), right);
        QCOMPARE(tip.tipWindow()->content().text, right->m_hint);
        QTest::mouseMove(&host, host.rect().bottomRight() - QPoint(1, 1)); // off the tools
        QVERIFY(!tip.tool() && !tip.isShown());
    }
};

QTEST_MAIN(TestTips)
#include "TestTips.moc"
