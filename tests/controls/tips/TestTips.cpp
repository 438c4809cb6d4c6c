// Tip window drawing and placement, and the single hover tip of ShowInfoTip / HideInfoTip.
#include "controls/tips/InfoTip.h"
#include "controls/tips/TipPainter.h"
#include "controls/tips/TipWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

// A tool that asks for its hover tip on every mouse move, as the program's windows do.
class HintTool final : public QWidget
{
public:
    explicit HintTool(const QString& hint) : m_hint(hint)
    {
        setMouseTracking(true);
        setFixedSize(120, 40);
    }
    QString m_hint;

protected:
    void mouseMoveEvent(QMouseEvent*) override { ShowInfoTip(this, m_hint, "Info"); }
};

// Runs a callback from inside the event stream, before the tip module sees the next move.
class NestedCall final : public QObject
{
public:
    explicit NestedCall(std::function<void()> call) : m_call(std::move(call))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove && m_call)
            std::exchange(m_call, nullptr)();
        return false;
    }

private:
    std::function<void()> m_call;
};

QList<TipWindow*> TipWindows()
{
    QList<TipWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* tip = qobject_cast<TipWindow*>(widget))
            found.append(tip);
    return found;
}

TipContent Content(const QString& text, TipShape shape = TipShape::Rectangle)
{
    TipContent tip;
    tip.text = text;
    tip.shape = shape;
    return tip;
}

InfoTip& Tip()
{
    return InfoTip::instance();
}

} // namespace

class TestTips final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(m_host.get());
        layout->addWidget(m_left = new HintTool("Starts the hotkeys"));
        layout->addWidget(m_right = new HintTool("Closes the program"));
        m_host->move(200, 200);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
        QCursor::setPos(5, 5);
    }
    void cleanup()
    {
        HideInfoTip();
        m_host.reset();
        QCursor::setPos(1, 1);
    }
    // Off X11 the tip window is translucent, its shadow alpha for the compositor to blend.
    void shadowWithoutScreenCapture()
    {
        QVERIFY(QGuiApplication::platformName() != "xcb");
        TipWindow tip(Content("A shadow of its own", TipShape::Rectangle), m_host.get());
        QVERIFY(tip.translucent() && tip.testAttribute(Qt::WA_TranslucentBackground));
        tip.popUp(m_host->geometry().center());
        QVERIFY(tip.isVisible());
        QImage shown(tip.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        tip.render(&shown, {}, {}, QWidget::DrawChildren);
        const int depth = TipPainter::ShadowDepth;
        for (const QImage& image : {tip.image(), shown}) {
            const QSize size = image.deviceIndependentSize().toSize();
            const QRgb shadow = image.pixel(size.width() - depth / 2 - 1, size.height() / 2);
            QVERIFY2(qAlpha(shadow) > 0 && qAlpha(shadow) < 160,
                     qPrintable(QString::number(qAlpha(shadow))));
            // Beside the shadow nothing; the body itself whole.
            QCOMPARE(std::tuple(qAlpha(image.pixel(size.width() - 1, 0)),
                                qAlpha(image.pixel(depth, depth))),
                     std::tuple(0, 255));
        }
    }
    // Beside the pointer, never under it, whole on the screen: below it unless at the bottom,
    // toward the left for right-to-left text.
    void placement()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        for (TipShape shape : {TipShape::Balloon, TipShape::Rectangle}) {
            for (QString where : {"middle", "bottom", "right", "top left", "right to left"}) {
                QPoint cursor = area.center();
                if (where == "bottom")
                    cursor.setY(area.bottom() - 5);
                else if (where == "right")
                    cursor.setX(area.right() - 3);
                else if (where == "top left")
                    cursor = area.topLeft();
                TipContent placed = Content("Placed beside the pointer", shape);
                placed.rightToLeft = where == "right to left";
                TipWindow tip(placed);
                tip.popUp(cursor);
                const QRect frame = tip.geometry();
                const QByteArray row =
                    where.toLatin1() + (shape == TipShape::Balloon ? " balloon" : "");
                QVERIFY2(area.contains(frame), row);
                QVERIFY2(!frame.contains(cursor), row);
                const bool below = frame.top() > cursor.y();
                QCOMPARE(below, where != "bottom");
                if (shape == TipShape::Balloon)
                    QCOMPARE(tip.stemSide(), below ? StemSide::Top : StemSide::Bottom);
                if (placed.rightToLeft)
                    QVERIFY2(frame.center().x() < cursor.x(), row);
                else if (where == "middle")
                    QVERIFY2(frame.center().x() > cursor.x(), row);
            }
        }
    }
    void tipWaitsForRestAndGoesOnMove()
    {
        QTest::mouseMove(m_left, {10, 10});
        QCOMPARE(Tip().tool(), m_left);
        QVERIFY(Tip().tipWindow());
        QVERIFY(!Tip().isShown()); // not before the pointer has rested
        QTRY_VERIFY(Tip().isShown());
        TipWindow* window = Tip().tipWindow();
        QVERIFY(window->isVisible());
        const TipContent& shown = window->content();
        QCOMPARE(
            std::tuple(shown.title, shown.icon, shown.shape, shown.text),
            std::tuple(QString("Info"), TipIcon::Information, TipShape::Balloon, m_left->m_hint));
        // Off the tools.
        QTest::mouseMove(m_host.get(), m_host->rect().bottomRight() - QPoint(1, 1));
        QVERIFY(TipWindows().isEmpty());
        QCOMPARE(Tip().tool(), nullptr);
    }
    void sameRestingPositionDoesNothing()
    {
        QTest::mouseMove(m_left, {12, 12});
        QTRY_VERIFY(Tip().isShown());
        TipWindow* first = Tip().tipWindow();
        ShowInfoTip(m_right, "Another hint", "Info");
        QCOMPARE(Tip().tipWindow(), first);
        QCOMPARE(first->content().text, m_left->m_hint);
        HideInfoTip();
        QVERIFY(TipWindows().isEmpty());
        ShowInfoTip(m_left, "Again", "Info"); // the pointer has not moved since
        QCOMPARE(Tip().tool(), nullptr);
    }
    void emptyTextRemovesShownTip()
    {
        QTest::mouseMove(m_left, {14, 14});
        QTRY_VERIFY(Tip().isShown());
        {
            // A handler running inside the movement asks for a tip with no text.
            NestedCall nested([this] { ShowInfoTip(m_left, QString(), "Info"); });
            m_left->m_hint.clear();
            QTest::mouseMove(m_left, {30, 14});
        }
        QVERIFY(TipWindows().isEmpty());
        QCOMPARE(Tip().tool(), nullptr);
    }
    void nestedCallsKeepOneWindow()
    {
        QTest::mouseMove(m_left, {16, 16});
        QTRY_VERIFY(Tip().isShown());
        {
            // Another handler asks for the right tool's tip; the tool asks again at the same place.
            NestedCall nested([this] { ShowInfoTip(m_right, "Nested", "Info"); });
            QTest::mouseMove(m_right, {16, 16});
        }
        QCOMPARE(Tip().tool(), m_right);
        QTRY_COMPARE(TipWindows().size(), 1);
        QCOMPARE(TipWindows().first(), Tip().tipWindow());
        QCOMPARE(TipWindows().first()->content().text, "Nested");
    }
    void clickTakesTipDown()
    {
        QTest::mouseMove(m_right, {20, 20});
        QTRY_VERIFY(Tip().isShown());
        QTest::mousePress(m_right, Qt::LeftButton, {}, {20, 20});
        QVERIFY(!Tip().isShown());
        QTest::mouseRelease(m_right, Qt::LeftButton, {}, {20, 20});
        QVERIFY(!Tip().isShown()); // not again until the pointer moves
    }
    void hidingTheToolRemovesTheTip()
    {
        QTest::mouseMove(m_left, {20, 20});
        QTRY_VERIFY(Tip().isShown());
        m_host->hide();
        QVERIFY(TipWindows().isEmpty());
        QCOMPARE(Tip().tool(), nullptr);
    }
    void emptyTitleShowsNoIcon()
    {
        QCursor::setPos(m_host->mapToGlobal(QPoint(2, 2)));
        ShowInfoTip(m_left, "Hint only", QString(), TipShape::Balloon, TipIcon::Information);
        QVERIFY(Tip().tipWindow());
        const TipContent& shown = Tip().tipWindow()->content();
        QCOMPARE(std::tuple(shown.icon, shown.hasTitleLine(), shown.text),
                 std::tuple(TipIcon::None, false, QString("Hint only")));
    }

private:
    std::unique_ptr<QWidget> m_host;
    HintTool* m_left = nullptr;
    HintTool* m_right = nullptr;
};

QTEST_MAIN(TestTips)
#include "TestTips.moc"
