// The skinned button's own tooltip: created on each entry into Hot from its tooltip properties.
#include "controls/button/velbutton.h"
#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"
#include "tests/controls/Rows.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestButtonToolTip final : public QObject
{
    Q_OBJECT
    // back colour, title, icon, type (1 a balloon, here read right to left), shown back and icon
    using Properties = std::tuple<const char*, qlonglong, QString, int, int, QColor, TipIcon>;

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_host.get());
        layout->addWidget(m_button = new velbutton(nullptr, "Command1"));
        m_button->setFixedSize(140, 40);
        m_button->setToolTip("Starts the hotkeys");
        layout->addSpacing(40);
        m_host->move(150, 150);
        m_host->show();
        m_host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
        QCursor::setPos(5, 5);
    }
    void cleanup() { m_host.reset(); }
    void createdOnEnteringHot()
    {
        QVERIFY(!m_button->toolTipWindow());
        enter();
        QCOMPARE(m_button->state(), ButtonState::Hot);
        TipWindow* tip = this->tip();
        QVERIFY(tip && !tip->isVisible()); // waits for the pointer to rest
        QCOMPARE(tip->content().text, "Starts the hotkeys");
        QTRY_VERIFY(tip->isVisible());
        QVERIFY(!tip->geometry().contains(QCursor::pos()));
        enter(); // a move event where the pointer already rests (a window appeared): it stays
        QVERIFY(tip->isVisible());
        enter({40, 10}); // the pointer moves on over the button: down, until it rests again
        QVERIFY(!tip->isVisible());
        QTRY_VERIFY(tip->isVisible());
        leave();
        QVERIFY(!tip->isVisible());
    }
    void neverCreatedWhileDown()
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
    void eachEntryReplacesTheTip()
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
        QCOMPARE((QStringList{tip()->content().text, tip()->content().title}),
                 (QStringList{"Changed text", "Info"}));
        int windows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            windows += qobject_cast<TipWindow*>(widget) ? 1 : 0;
        QCOMPARE(windows, 1);
    }
    void emptyTextRegistersButShowsNothing()
    {
        m_button->setToolTip(QString());
        enter();
        QVERIFY(tip() && TipTracker::of(tip())->isWaiting());
        QTRY_VERIFY(!TipTracker::of(tip())->isWaiting());
        QVERIFY(!tip()->isVisible());
    }
    // A dropped Leave of a fast move: no tip once the pointer rests elsewhere.
    void noTipOnceThePointerHasLeft()
    {
        struct LostLeave final : QObject
        {
            bool eventFilter(QObject*, QEvent* event) override
            {
                return event->type() == QEvent::Leave;
            }
        } lostLeave;
        enter();
        m_button->installEventFilter(&lostLeave);
        QCursor::setPos(m_host->mapToGlobal(QPoint(5, m_host->height() - 5)));
        QTRY_VERIFY(!TipTracker::of(tip())->isWaiting());
        QVERIFY(!tip()->isVisible());
    }
    void propertiesReachTheTip_data()
    {
        const QColor desktop = QToolTip::palette().color(QPalette::ToolTipBase);
        const OleColor info = SystemColor(SystemColors::InfoBackground);
        AddRows<Properties>(
            {{"own colour", RGB(0, 128, 0), "", 0, 0, QColor(0, 128, 0), TipIcon::None},
             {"system colour", info, "", 0, 0, ToQColor(info), TipIcon::None},
             {"unknown system colour", SystemColor(200), "", 0, 0, desktop, TipIcon::None},
             {"both", 0, "Hint", 3, 0, desktop, TipIcon::Error},
             {"unknown icon", 0, "", 7, 0, desktop, TipIcon::None},
             {"balloon", 0, "", 0, 1, desktop, TipIcon::None}});
    }
    // The button's tooltip properties as the tip shows them.
    void propertiesReachTheTip()
    {
        const auto [row, back, title, icon, type, shownBack, shownIcon] = CurrentRow<Properties>();
        m_button->setTooltipBackColor(OleColor(back));
        m_button->setTooltipTitle(title);
        m_button->setToolTipIcon(icon);
        m_button->setToolTipType(type);
        m_button->setRightToLeft(type == 1);
        enter();
        QTRY_VERIFY(tip()->isVisible());
        const TipContent& content = tip()->content();
        QCOMPARE(std::tuple(content.title, content.icon, content.hasTitleLine(), content.shape,
                            content.rightToLeft),
                 std::tuple(title, shownIcon, !title.isEmpty() || shownIcon != TipIcon::None,
                            type == 1 ? TipShape::Balloon : TipShape::Rectangle, type == 1));
        if (type == 1)
            QCOMPARE(tip()->stemSide(), StemSide::Top);
        else
            QCOMPARE(tip()->image().pixelColor(3, 3).rgb(), shownBack.rgb());
    }
    void goesAwayWithTheButton()
    {
        enter();
        QPointer<QWidget> tip = m_button->toolTipWindow();
        QVERIFY(tip);
        delete m_button;
        QVERIFY(!tip);
    }

private:
    TipWindow* tip() const { return qobject_cast<TipWindow*>(m_button->toolTipWindow()); }
    void enter(const QPoint& at = {20, 10}) { QTest::mouseMove(m_button, at); }
    void leave() { QTest::mouseMove(m_host.get(), QPoint(5, m_host->height() - 5)); }
    std::unique_ptr<QWidget> m_host;
    velbutton* m_button = nullptr;
};

QTEST_MAIN(TestButtonToolTip)
#include "TestButtonToolTip.moc"
