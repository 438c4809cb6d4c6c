// What the skinned controls tell a screen reader through QAccessible::queryAccessibleInterface.
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

QAccessibleInterface* Iface(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

// Runs the named action of o if o offers it; tells whether it did.
bool Act(QObject* o, const QString& action)
{
    QAccessibleActionInterface* actions = Iface(o)->actionInterface();
    const bool offered = actions->actionNames().contains(action);
    actions->doAction(action); // asked for anyway: a disabled control does nothing
    return offered;
}

// The children of iface with the role of a button, by name.
QHash<QString, QAccessibleInterface*> Buttons(QAccessibleInterface* iface)
{
    QHash<QString, QAccessibleInterface*> found;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* c = iface->child(i); c && c->role() == QAccessible::Button)
            found.insert(c->text(QAccessible::Name), c);
    return found;
}

} // namespace

class TestControlAccessibility final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setWindowTitle("Test window");
        m_window->resize(400, 300);
    }
    void cleanup() { delete m_window; }
    // Role, name (the caption without its access key, else the tip), description and states.
    void button()
    {
        auto* b = new velbutton(m_window, "b");
        b->setGeometry(10, 10, 100, 30);
        b->setCaption(" &Save Settings");
        b->setToolTip("Writes the file");
        QCOMPARE(
            std::tuple(Iface(b)->role(), Iface(b)->text(QAccessible::Name),
                       Iface(b)->text(QAccessible::Description)),
            std::tuple(QAccessible::Button, QString("Save Settings"), QString("Writes the file")));
        auto* option = new velbutton(m_window, "option");
        option->setCaption(""), option->setToolTip("Browse");
        option->setMode(ButtonMode::Option);
        QCOMPARE(std::tuple(Iface(option)->role(), Iface(option)->text(QAccessible::Name)),
                 std::tuple(QAccessible::RadioButton, QString("Browse")));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(Iface(b)->state().pressed);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
        b->setMode(ButtonMode::Check);
        QVERIFY(Act(b, QAccessibleActionInterface::toggleAction()));
        QVERIFY(Iface(b)->state().checkable && Iface(b)->state().checked &&
                !Iface(b)->state().pressed);
        b->setMode(ButtonMode::Push);
        QSignalSpy clicks(b, &velbutton::clicked);
        QVERIFY(Act(b, QAccessibleActionInterface::pressAction()));
        b->setEnabled(false);
        QVERIFY(!Act(b, QAccessibleActionInterface::pressAction()));
        QCOMPARE(clicks.count(), 1);
    }
    void hyperlink()
    {
        auto* link = new tarvex::Hyperlink(m_window, "link");
        link->SetCaption("Show Advanced Settings");
        QAccessibleInterface* iface = Iface(link);
        QCOMPARE(std::tuple(iface->role(), iface->text(QAccessible::Name)),
                 std::tuple(QAccessible::Link, QString("Show Advanced Settings")));
        QSignalSpy jumps(link, &tarvex::Hyperlink::Jump);
        QVERIFY(Act(link, "jump") && jumps.count() == 1);
        QTRY_VERIFY(iface->state().traversed);
    }
    // The frame's caption buttons are offered where they are drawn, and pressed as clicked.
    void framedWindow()
    {
        QVERIFY(Iface(m_window)); // told about before its frame came: described anew
        auto* frame = new velForms(m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QAccessibleInterface* body = Iface(frame);
        QHash<QString, QAccessibleInterface*> buttons = Buttons(body);
        QCOMPARE(QSet(buttons.keyBegin(), buttons.keyEnd()),
                 (QSet<QString>{"Close", "Maximize", "Minimize"}));
        const CaptionButtons::Record& close = frame->captionButton(CaptionButtons::Close);
        const QPoint closeCentre = frame->mapToGlobal(QPoint(close.Left + 9, close.Top + 9));
        QCOMPARE(body->childAt(closeCentre.x(), closeCentre.y()), buttons["Close"]);
        buttons["Maximize"]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(frame->WindowState(), 2);
        frame->setMinButton(false);
        QCOMPARE(Buttons(body).keys().size(), 2); // hidden caption buttons are not offered
    }

private:
    QWidget* m_window = nullptr;
};

QTEST_MAIN(TestControlAccessibility)
#include "TestControlAccessibility.moc"
