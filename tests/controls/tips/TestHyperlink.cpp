// The hyperlink label: properties, hover from pointer events, jumps, keyboard and focus rules.
#include "controls/tips/Hyperlink.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

const QColor Purple(128, 0, 128);

} // namespace

class TestHyperlink final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_host.get());
        layout->addWidget(m_edit = new QLineEdit);
        layout->addWidget(m_link = new Hyperlink(nullptr, "soundFile"));
        m_link->SetCaption("Click to select sound file");
        m_link->SetColorUsed(RGB(128, 0, 128));
        m_jumps = 0;
        m_hostKeys.clear();
        connect(m_link, &Hyperlink::Jump, this, [this] { ++m_jumps; });
        m_host->move(100, 100);
        m_host->show();
        m_host->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_host.get()));
        m_edit->setFocus();
        QCursor::setPos(5, 5);
    }
    void cleanup() { m_host.reset(); }
    // A link sized by its text follows a new caption.
    void autoSizeFollowsTheCaption()
    {
        Hyperlink link(nullptr, "free");
        link.SetAutoSize(true);
        const int before = link.width();
        link.SetCaption("Click to select the sound file played for every hotkey");
        QVERIFY(link.width() > before && link.size() == link.sizeHint());
    }
    void usedColourAfterFirstJump()
    {
        const QColor unused = labelColour();
        QTest::mouseClick(m_link, Qt::LeftButton, {}, labelCentre());
        QCOMPARE(m_jumps, 1);
        QTRY_VERIFY(m_link->isUsed());
        QTRY_COMPARE(labelColour(), Purple);
        pointAt(labelCentre());
        QTRY_VERIFY(m_link->isHovering());
        QVERIFY(labelColour() != Purple && labelColour() != unused);
        pointAt(QPoint(1, 1), m_host.get());
        QTRY_VERIFY(!m_link->isHovering());
        QCOMPARE(labelColour(), Purple);
        m_link->SetEnabled(false);
        m_link->SetEnabled(true); // re-enabling keeps the used colour
        QCOMPARE(labelColour(), Purple);
    }
    void noHoverLookInBackground()
    {
        const QColor unused = labelColour();
        QFont bold = label()->font();
        bold.setBold(true);
        m_link->SetFontHover(bold);
        QApplication::setActiveWindow(nullptr);
        pointAt(labelCentre());
        QCoreApplication::processEvents();
        QCOMPARE(std::tuple(m_link->isHovering(), labelColour(), label()->font().bold()),
                 std::tuple(false, unused, false));
        QApplication::setActiveWindow(m_host.get());
        QTRY_VERIFY(m_link->isHovering());
        QVERIFY(labelColour() != unused && label()->font().bold());
    }
    // A held key jumps once; a click jumps without taking the focus from the edit box.
    void inputsThatJump()
    {
        using Row = std::tuple<QString, int, int>; // input, key, jumps
        for (auto [input, key, jumps] :
             {Row{"click", 0, 1}, Row{"outside", 0, 0}, Row{"right", 0, 0},
              Row{"key", Qt::Key_Space, 1}, Row{"key", Qt::Key_A, 0}}) {
            const int before = m_jumps;
            if (input == "key") {
                m_link->setFocus(Qt::TabFocusReason);
                QTest::keyClick(m_link, Qt::Key(key));
                QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(m_link, &repeat), QApplication::sendEvent(m_link, &repeat);
            } else {
                const auto button = input == "right" ? Qt::RightButton : Qt::LeftButton;
                QTest::mousePress(m_link, button, {}, labelCentre());
                const QPoint outside(m_link->width() + 20, 2);
                QTest::mouseRelease(m_link, button, {},
                                    input == "outside" ? outside : labelCentre());
                QVERIFY(m_edit->hasFocus() && !m_link->isFocusRectShown());
            }
            QCOMPARE(m_jumps - before, jumps);
        }
    }
    // Only focus from the keyboard draws the rectangle.
    void keyboardFocus()
    {
        auto cornerChanged = [this] {
            QImage image(m_link->size(), QImage::Format_ARGB32_Premultiplied);
            m_link->render(&image);
            return image.pixelColor(0, 0) != ToQColor(m_link->BackColor());
        };
        QVERIFY(!cornerChanged());
        QTest::keyClick(m_edit, Qt::Key_Tab);
        QVERIFY(m_link->hasFocus() && m_link->isFocusRectShown() && cornerChanged());
        m_edit->setFocus(Qt::MouseFocusReason);
        QVERIFY(!m_link->isFocusRectShown() && !cornerChanged());
        m_link->setFocus(Qt::MouseFocusReason);
        QVERIFY(m_link->hasFocus() && !m_link->isFocusRectShown() && !cornerChanged());
    }
    // Arrow keys are taken and handed on to the host window, once each, in order; keys the link
    // has no use for go on to it as they came.
    void arrowKeysGoToTheHost()
    {
        m_host->installEventFilter(this);
        m_link->setFocus(Qt::TabFocusReason);
        const QList<int> arrows{Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down};
        for (const int key : arrows + QList<int>{Qt::Key_A}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(m_link, &press);
            QCOMPARE(press.isAccepted(), key != Qt::Key_A);
        }
        QTRY_COMPARE(m_hostKeys, QList<int>{Qt::Key_A} + arrows);
    }
    // A screen reader reads the caption as the name, even with the name cleared; no description.
    void accessibleName()
    {
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(m_link);
        m_link->setAccessibleName(QString());
        QCOMPARE(std::pair(link->text(QAccessible::Name), link->text(QAccessible::Description)),
                 std::pair(QStringLiteral("Click to select sound file"), QString()));
    }
    void disabledLinkNeitherHoversNorJumps()
    {
        m_link->SetEnabled(false);
        QTest::mouseClick(m_link, Qt::LeftButton, {}, labelCentre());
        pointAt(labelCentre());
        QCoreApplication::processEvents();
        QVERIFY(m_jumps == 0 && !m_link->isHovering());
        m_link->SetEnabled(true);
        QTRY_VERIFY(m_link->isHovering());
        m_host->setEnabled(false); // disabled through its window: the same rules
        QVERIFY(!m_link->isHovering() && m_link->Enabled()); // its own flag is still set
        m_host->setEnabled(true);
        QTRY_VERIFY(m_link->isHovering());
    }

private:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            m_hostKeys << static_cast<QKeyEvent*>(event)->key();
        return false;
    }
    QLabel* label() const { return m_link->findChild<QLabel*>("LabelHyperlink"); }
    QColor labelColour() const
    {
        return label()->palette().color(QPalette::Active, QPalette::WindowText);
    }
    QPoint labelCentre() const { return label()->geometry().center(); }
    void pointAt(const QPoint& at, QWidget* in = nullptr)
    {
        QCursor::setPos((in ? in : m_link)->mapToGlobal(at));
    }
    std::unique_ptr<QWidget> m_host;
    QLineEdit* m_edit = nullptr;
    Hyperlink* m_link = nullptr;
    int m_jumps = 0;
    QList<int> m_hostKeys;
};

QTEST_MAIN(TestHyperlink)
#include "TestHyperlink.moc"
