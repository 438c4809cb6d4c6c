// Tip window drawing and placement, and the single hover tip of ShowInfoTip / HideInfoTip.
#include "controls/tips/InfoTip.h"
#include "controls/tips/TipPainter.h"
#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

using namespace tarvex;

Q_DECLARE_METATYPE(TipIcon)

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

// Runs a callback from inside the event stream, before the tip module sees the event.
class NestedCall final : public QObject
{
public:
    explicit NestedCall(std::function<void()> call) : m_call(std::move(call)) {}

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

QList<TipWindow*> tipWindows()
{
    QList<TipWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* tip = qobject_cast<TipWindow*>(widget))
            found.append(tip);
    return found;
}

TipContent content(const QString& text, TipShape shape = TipShape::Rectangle)
{
    TipContent tip;
    tip.text = text;
    tip.shape = shape;
    return tip;
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
        m_left = new HintTool("Starts the hotkeys");
        m_right = new HintTool("Closes the program");
        layout->addWidget(m_left);
        layout->addWidget(m_right);
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
        TipWindow tip(content("A shadow of its own", TipShape::Rectangle), m_host.get());
        QVERIFY(tip.translucent());
        QVERIFY(tip.testAttribute(Qt::WA_TranslucentBackground));
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
            QCOMPARE(qAlpha(image.pixel(size.width() - 1, 0)), 0); // beside the shadow: nothing
            QCOMPARE(qAlpha(image.pixel(depth, depth)), 255);      // the body itself
        }
    }

    void placement_data()
    {
        QTest::addColumn<TipShape>("shape");
        QTest::addColumn<QString>("where");
        for (TipShape shape : {TipShape::Balloon, TipShape::Rectangle}) {
            const char* name = shape == TipShape::Balloon ? "balloon" : "rectangle";
            for (const char* where : {"middle", "bottom", "right", "top left", "right to left"})
                QTest::addRow("%s %s", name, where) << shape << QString(where);
        }
    }

    void placement()
    {
        QFETCH(TipShape, shape);
        QFETCH(QString, where);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QPoint cursor = area.center();
        if (where == "bottom")
            cursor.setY(area.bottom() - 5);
        else if (where == "right")
            cursor.setX(area.right() - 3);
        else if (where == "top left")
            cursor = area.topLeft();
        TipContent placed = content("Placed beside the pointer", shape);
        placed.rightToLeft = where == "right to left";
        TipWindow tip(placed);
        tip.popUp(cursor);
        const QRect frame = tip.geometry();
        QVERIFY2(area.contains(frame), qPrintable(QString("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        QVERIFY(!frame.contains(cursor)); // never under the pointer
        const bool below = frame.top() > cursor.y();
        QCOMPARE(below, where != "bottom");
        if (shape == TipShape::Balloon)
            QCOMPARE(tip.stemSide(), below ? StemSide::Top : StemSide::Bottom);
        if (placed.rightToLeft) // reads toward the left of the pointer
            QVERIFY(frame.center().x() < cursor.x());
        else if (where == "middle")
            QVERIFY(frame.center().x() > cursor.x());
    }

    void tipWaitsForRestAndGoesOnMove()
    {
        QTest::mouseMove(m_left, {10, 10});
        QCOMPARE(InfoTip::instance().tool(), m_left);
        QVERIFY(InfoTip::instance().tipWindow());
        QVERIFY(!InfoTip::instance().isShown()); // not before the pointer has rested
        QTRY_VERIFY(InfoTip::instance().isShown());
        TipWindow* window = InfoTip::instance().tipWindow();
        QVERIFY(window->isVisible());
        QCOMPARE(window->content().title, "Info");
        QCOMPARE(window->content().icon, TipIcon::Information);
        QCOMPARE(window->content().shape, TipShape::Balloon);
        QCOMPARE(window->content().text, m_left->m_hint);
        QTest::mouseMove(m_host.get(),
                         m_host->rect().bottomRight() - QPoint(1, 1)); // off the tools
        QVERIFY(tipWindows().isEmpty());
        QCOMPARE(InfoTip::instance().tool(), nullptr);
    }

    void sameRestingPositionDoesNothing()
    {
        QTest::mouseMove(m_left, {12, 12});
        QTRY_VERIFY(InfoTip::instance().isShown());
        TipWindow* first = InfoTip::instance().tipWindow();
        ShowInfoTip(m_right, "Another hint", "Info");
        QCOMPARE(InfoTip::instance().tipWindow(), first);
        QCOMPARE(first->content().text, m_left->m_hint);
        HideInfoTip();
        QVERIFY(tipWindows().isEmpty());
        ShowInfoTip(m_left, "Again", "Info"); // the pointer has not moved since
        QCOMPARE(InfoTip::instance().tool(), nullptr);
    }

    void emptyTextRemovesShownTip()
    {
        QTest::mouseMove(m_left, {14, 14});
        QTRY_VERIFY(InfoTip::instance().isShown());
        // A handler running inside the movement asks for a tip with no text.
        NestedCall nested([this] { ShowInfoTip(m_left, QString(), "Info"); });
        qApp->installEventFilter(&nested);
        m_left->m_hint.clear();
        QTest::mouseMove(m_left, {30, 14});
        qApp->removeEventFilter(&nested);
        QVERIFY(tipWindows().isEmpty());
        QCOMPARE(InfoTip::instance().tool(), nullptr);
    }

    void nestedCallsKeepOneWindow()
    {
        QTest::mouseMove(m_left, {16, 16});
        QTRY_VERIFY(InfoTip::instance().isShown());
        // Another handler asks for the right tool's tip; the tool asks again at the same place.
        NestedCall nested([this] { ShowInfoTip(m_right, "Nested", "Info"); });
        qApp->installEventFilter(&nested);
        QTest::mouseMove(m_right, {16, 16});
        qApp->removeEventFilter(&nested);
        QCOMPARE(InfoTip::instance().tool(), m_right);
        QTRY_COMPARE(tipWindows().size(), 1);
        QCOMPARE(tipWindows().first(), InfoTip::instance().tipWindow());
        QCOMPARE(tipWindows().first()->content().text, "Nested");
    }

    void clickTakesTipDown()
    {
        QTest::mouseMove(m_right, {20, 20});
        QTRY_VERIFY(InfoTip::instance().isShown());
        QTest::mousePress(m_right, Qt::LeftButton, {}, {20, 20});
        QVERIFY(!InfoTip::instance().isShown());
        QTest::mouseRelease(m_right, Qt::LeftButton, {}, {20, 20});
        QVERIFY(!InfoTip::instance().isShown()); // not again until the pointer moves
    }

    void hidingTheToolRemovesTheTip()
    {
        QTest::mouseMove(m_left, {20, 20});
        QTRY_VERIFY(InfoTip::instance().isShown());
        m_host->hide();
        QVERIFY(tipWindows().isEmpty());
        QCOMPARE(InfoTip::instance().tool(), nullptr);
    }

    void emptyTitleShowsNoIcon()
    {
        QCursor::setPos(m_host->mapToGlobal(QPoint(2, 2)));
        ShowInfoTip(m_left, "Hint only", QString(), TipShape::Balloon, TipIcon::Information);
        QVERIFY(InfoTip::instance().tipWindow());
        const TipContent& shown = InfoTip::instance().tipWindow()->content();
        QCOMPARE(shown.icon, TipIcon::None);
        QVERIFY(!shown.hasTitleLine());
        QCOMPARE(shown.text, "Hint only");
    }

private:
    std::unique_ptr<QWidget> m_host;
    HintTool* m_left = nullptr;
    HintTool* m_right = nullptr;
};

QTEST_MAIN(TestTips)
#include "TestTips.moc"
