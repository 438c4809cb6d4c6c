// The skinned button's own tooltip: created on each entry into Hot from its tooltip properties.
#include "controls/button/velbutton.h"
#include "controls/tips/TipWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestButtonToolTip final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        m_button = new velbutton(m_host.get(), "Command1");
        m_button->setGeometry(10, 10, 140, 40);
        m_button->setToolTip("Starts the hotkeys");
        m_host->setGeometry(150, 150, 160, 100);
        m_host->show();
        m_host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
        QCursor::setPos(5, 5);
    }
    void cleanup() { m_host.reset(); }
    void createdOnEnteringHot()
    {
        QVERIFY(!m_button->toolTipWindow());
        QTest::mouseMove(m_button, {20, 10});
        auto* tip = qobject_cast<TipWindow*>(m_button->toolTipWindow());
        QVERIFY(tip && !tip->isVisible()); // waits for the pointer to rest
        QCOMPARE(tip->content().text, "Starts the hotkeys");
        QTRY_VERIFY(tip->isVisible());
        QTest::mouseMove(m_host.get(), QPoint(5, 90));
        QVERIFY(!tip->isVisible());
    }
    // The button's tooltip properties as the tip shows them: its own colour, a title, an icon.
    void propertiesReachTheTip()
    {
        m_button->setTooltipBackColor(RGB(0, 128, 0));
        m_button->setTooltipTitle("Hint");
        m_button->setToolTipIcon(3);
        QTest::mouseMove(m_button, {20, 10});
        auto* tip = qobject_cast<TipWindow*>(m_button->toolTipWindow());
        QTRY_VERIFY(tip->isVisible());
        QCOMPARE(std::tuple(tip->content().title, tip->content().icon),
                 std::tuple(QString("Hint"), TipIcon::Error));
        QCOMPARE(tip->image().pixelColor(3, 3).rgb(), QColor(0, 128, 0).rgb());
    }

private:
    std::unique_ptr<QWidget> m_host;
    velbutton* m_button = nullptr;
};

QTEST_MAIN(TestButtonToolTip)
#include "TestButtonToolTip.moc"
