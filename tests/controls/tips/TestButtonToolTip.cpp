// The skinned button's own tooltip: created on each entry into Hot from its tooltip properties.
#include "controls/button/velbutton.h"
#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"

#include <QApplication>
#include <QCursor>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

using namespace tarvex;

Q_DECLARE_METATYPE(TipIcon)

namespace {

TipWindow* tipOf(const velbutton* button)
{
    return qobject_cast<TipWindow*>(button->toolTipWindow());
}

int wakeUpDelay()
{
    return QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
}

} // namespace

class TestButtonToolTip final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void createdOnEnteringHot();
    void neverCreatedWhileDown();
    void eachEntryReplacesTheTip();
    void emptyTextRegistersButShowsNothing();
    void backColour_data();
    void backColour();
    void titleLine_data();
    void titleLine();
    void shapeAndDirection();
    void goesAwayWithTheButton();

private:
    void enter(const QPoint& at = {20, 10});
    void leave();
    std::unique_ptr<QWidget> m_host;
    velbutton* m_button = nullptr;
};

void TestButtonToolTip::init()
{
    m_host = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_host.get());
    m_button = new velbutton(nullptr, "Command1");
    m_button->setFixedSize(140, 40);
    m_button->setToolTip("Starts the hotkeys");
    layout->addWidget(m_button);
    layout->addSpacing(40);
    m_host->move(150, 150);
    m_host->show();
    m_host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
    QCursor::setPos(5, 5);
}

void TestButtonToolTip::cleanup()
{
    m_host.reset();
}

void TestButtonToolTip::enter(const QPoint& at)
{
    QTest::mouseMove(m_button, at);
}

void TestButtonToolTip::leave()
{
    QTest::mouseMove(m_host.get(), QPoint(5, m_host->height() - 5));
}

void TestButtonToolTip::createdOnEnteringHot()
{
    QVERIFY(!m_button->toolTipWindow());
    enter();
    QCOMPARE(m_button->state(), ButtonState::Hot);
    TipWindow* tip = tipOf(m_button);
    QVERIFY(tip);
    QVERIFY(!tip->isVisible()); // waits for the pointer to rest
    QCOMPARE(tip->content().text, "Starts the hotkeys");
    QTRY_VERIFY(tip->isVisible());
    QVERIFY(!tip->geometry().contains(QCursor::pos()));
    leave();
    QVERIFY(!tip->isVisible());
}

void TestButtonToolTip::neverCreatedWhileDown()
{
    const QPoint inside(30, 12);
    QTest::mousePress(m_button, Qt::LeftButton, {}, inside);
    QCOMPARE(m_button->state(), ButtonState::Down);
    QTest::mouseMove(m_button, inside + QPoint(5, 0));
    QCOMPARE(m_button->state(), ButtonState::Down);
    QVERIFY(!m_button->toolTipWindow());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, inside + QPoint(5, 0));
    enter(inside + QPoint(10, 0));
    QVERIFY(m_button->toolTipWindow());
}

void TestButtonToolTip::eachEntryReplacesTheTip()
{
    enter();
    QPointer<QWidget> first = m_button->toolTipWindow();
    QVERIFY(first);
    enter({40, 10}); // still Hot: no new tip
    QCOMPARE(m_button->toolTipWindow(), first.data());
    leave();
    m_button->setToolTip("Changed text");
    m_button->setTooltipTitle("Info");
    enter();
    QVERIFY(!first); // the old window is gone
    QCOMPARE(tipOf(m_button)->content().text, "Changed text");
    QCOMPARE(tipOf(m_button)->content().title, "Info");
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows += qobject_cast<TipWindow*>(widget) ? 1 : 0;
    QCOMPARE(windows, 1);
}

void TestButtonToolTip::emptyTextRegistersButShowsNothing()
{
    m_button->setToolTip(QString());
    enter();
    TipWindow* tip = tipOf(m_button);
    QVERIFY(tip);
    QVERIFY(TipTracker::of(tip)->isWaiting());
    QTest::qWait(wakeUpDelay() + 150);
    QVERIFY(!TipTracker::of(tip)->isWaiting());
    QVERIFY(!tip->isVisible());
}

void TestButtonToolTip::backColour_data()
{
    QTest::addColumn<qlonglong>("stored");
    QTest::addColumn<QColor>("expected");
    const QColor desktop = QToolTip::palette().color(QPalette::ToolTipBase);
    QTest::newRow("0 keeps the desktop colour") << 0LL << desktop;
    QTest::newRow("plain colour") << qlonglong(RGB(0, 128, 0)) << QColor(0, 128, 0);
    QTest::newRow("system tooltip colour") << qlonglong(SystemColor(SystemColors::InfoBackground))
                                           << ToQColor(SystemColor(SystemColors::InfoBackground));
    QTest::newRow("unknown system colour") << qlonglong(SystemColor(200)) << desktop;
}

void TestButtonToolTip::backColour()
{
    QFETCH(qlonglong, stored);
    QFETCH(QColor, expected);
    m_button->setTooltipBackColor(OleColor(stored));
    enter();
    TipWindow* tip = tipOf(m_button);
    QTRY_VERIFY(tip->isVisible());
    const QImage& pixels = tip->image();
    QCOMPARE(pixels.pixelColor(3, 3).rgb(), expected.rgb());
}

void TestButtonToolTip::titleLine_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("titleLine");
    QTest::addColumn<TipIcon>("shownIcon");
    QTest::newRow("neither") << QString() << 0 << false << TipIcon::None;
    QTest::newRow("title without icon") << "Hint" << 0 << true << TipIcon::None;
    QTest::newRow("icon without title") << QString() << 2 << true << TipIcon::Warning;
    QTest::newRow("both") << "Hint" << 3 << true << TipIcon::Error;
    QTest::newRow("unknown icon") << QString() << 7 << false << TipIcon::None;
}

void TestButtonToolTip::titleLine()
{
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(bool, titleLine);
    QFETCH(TipIcon, shownIcon);
    m_button->setTooltipTitle(title);
    m_button->setToolTipIcon(icon);
    enter();
    const TipContent& content = tipOf(m_button)->content();
    QCOMPARE(content.hasTitleLine(), titleLine);
    QCOMPARE(content.icon, shownIcon);
    QCOMPARE(content.title, title);
}

void TestButtonToolTip::shapeAndDirection()
{
    m_button->setToolTipType(1);
    m_button->setRightToLeft(true);
    enter();
    TipWindow* tip = tipOf(m_button);
    QCOMPARE(tip->content().shape, TipShape::Balloon);
    QVERIFY(tip->content().rightToLeft);
    QTRY_VERIFY(tip->isVisible());
    QCOMPARE(tip->stemSide(), StemSide::Top);
    leave();
    m_button->setToolTipType(0);
    enter();
    QCOMPARE(tipOf(m_button)->content().shape, TipShape::Rectangle);
}

void TestButtonToolTip::goesAwayWithTheButton()
{
    enter();
    QPointer<QWidget> tip = m_button->toolTipWindow();
    QVERIFY(tip);
    delete m_button;
    QVERIFY(!tip);
}

QTEST_MAIN(TestButtonToolTip)
#include "TestButtonToolTip.moc"
