// What the skinned controls tell a screen reader through QAccessible::queryAccessibleInterface.
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "tests/controls/Rows.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

QAccessibleInterface* Iface(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

// Runs the named action of o.
void Act(QObject* o, const QString& action)
{
    Iface(o)->actionInterface()->doAction(action);
}

bool Offers(QObject* o, const QString& action)
{
    return Iface(o)->actionInterface()->actionNames().contains(action);
}

// The children of iface with the given role, by name.
QHash<QString, QAccessibleInterface*> ChildrenOfRole(QAccessibleInterface* iface,
                                                     QAccessible::Role role)
{
    QHash<QString, QAccessibleInterface*> found;
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* c = iface->child(i);
        if (c && c->role() == role)
            found.insert(c->text(QAccessible::Name), c);
    }
    return found;
}

} // namespace

class TestControlAccessibility final : public QObject
{
    Q_OBJECT
    // mode (3: a push button with a menu), caption, tip, role, name, description
    using Described = std::tuple<const char*, int, QString, QString, int, QString, QString>;

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setWindowTitle("Test window");
        m_window->resize(400, 300);
    }
    void cleanup() { delete m_window; }
    void buttonDescribed_data()
    {
        AddRows<Described>({{"push, access key", 0, " &Save Settings", "Writes the file",
                             QAccessible::Button, "Save Settings", "Writes the file"},
                            {"check, literal ampersand", 1, "Load && &Go", "",
                             QAccessible::CheckBox, "Load & Go", ""},
                            {"option, no caption: the tip names it", 2, "", "Browse",
                             QAccessible::RadioButton, "Browse", ""},
                            {"menu, blank caption", 3, "   ", "Add a hotkey",
                             QAccessible::ButtonMenu, "Add a hotkey", ""}});
    }
    void buttonDescribed()
    {
        const auto [row, mode, caption, tip, role, name, description] = CurrentRow<Described>();
        auto* b = new velbutton(m_window, "b");
        b->setMode(ButtonMode::Option); // the role follows a change of mode
        QMenu menu;
        b->setMode(ButtonMode(mode == 3 ? 0 : mode));
        if (mode == 3)
            b->SetPopupMenu(&menu);
        b->setCaption(caption);
        b->setToolTip(tip);
        QCOMPARE(std::tuple(int(Iface(b)->role()), bool(Iface(b)->state().hasPopup),
                            Iface(b)->text(QAccessible::Name),
                            Iface(b)->text(QAccessible::Description)),
                 std::tuple(role, mode == 3, name, description));
    }
    void buttonStates()
    {
        auto* b = new velbutton(m_window, "b");
        b->setGeometry(10, 10, 100, 30);
        auto* other = new velbutton(m_window, "other");
        other->setGeometry(10, 50, 100, 30);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        b->setFocus();
        QTRY_VERIFY(Iface(b)->state().focused);
        QVERIFY(Iface(b)->state().focusable && !Iface(other)->state().focused);
        // Held down with the mouse: pressed.
        QVERIFY(!Iface(b)->state().pressed);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(Iface(b)->state().pressed);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!Iface(b)->state().pressed);
        // Check mode: checkable, checked after a click, and not "pressed" for it.
        b->setMode(ButtonMode::Check);
        QVERIFY(Iface(b)->state().checkable && !Iface(b)->state().checked);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(Iface(b)->state().checked && !Iface(b)->state().pressed);
        QVERIFY(!Iface(other)->state().defaultButton);
        other->setDefault(true);
        QVERIFY(Iface(other)->state().defaultButton);
        other->setEnabled(false);
        QVERIFY(Iface(other)->state().disabled && !Iface(b)->state().disabled);
    }
    void pressActionPresses()
    {
        auto* push = new velbutton(m_window, "push");
        auto* check = new velbutton(m_window, "check");
        check->setMode(ButtonMode::Check);
        auto* optionA = new velbutton(m_window, "a");
        auto* optionB = new velbutton(m_window, "b");
        optionA->setMode(ButtonMode::Option);
        optionB->setMode(ButtonMode::Option);
        optionA->setChecked(true);
        QSignalSpy clicks(push, &velbutton::clicked);
        QSignalSpy checkClicks(check, &velbutton::clicked);
        const QString press = QAccessibleActionInterface::pressAction();
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QVERIFY(Offers(push, press));
        Act(push, press);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(Offers(check, toggle));
        Act(check, toggle);
        QCOMPARE(std::tuple(check->isChecked(), checkClicks.count()), std::tuple(true, 1));
        Act(check, toggle);
        QVERIFY(!check->isChecked());
        Act(optionB, toggle);
        QCOMPARE(std::tuple(optionA->isChecked(), optionB->isChecked()), std::tuple(false, true));
        // A disabled button offers no press, and a press asked for anyway does nothing.
        push->setEnabled(false);
        QVERIFY(!Offers(push, press));
        Act(push, press);
        QCOMPARE(clicks.count(), 1);
        // With a menu the action opens the menu.
        auto* menuButton = new velbutton(m_window, "menu");
        QMenu menu;
        menu.addAction("One");
        bool shown = false;
        connect(&menu, &QMenu::aboutToShow, this, [&] {
            shown = true;
            QTimer::singleShot(0, &menu, &QMenu::close);
        });
        menuButton->SetPopupMenu(&menu);
        m_window->show();
        Act(menuButton, QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(shown);
    }
    void hyperlink()
    {
        auto* link = new tarvex::Hyperlink(m_window, "link");
        link->SetCaption("Show Advanced Settings");
        QAccessibleInterface* iface = Iface(link);
        QCOMPARE(std::tuple(iface->role(), iface->text(QAccessible::Name)),
                 std::tuple(QAccessible::Link, QString("Show Advanced Settings")));
        QVERIFY(iface->state().linked && !iface->state().traversed);
        QSignalSpy jumps(link, &tarvex::Hyperlink::Jump);
        QVERIFY(Offers(link, "jump"));
        Act(link, "jump");
        QCOMPARE(jumps.count(), 1);
        QTRY_VERIFY(iface->state().traversed);
        link->SetCaption("Hide Advanced Settings");
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Hide Advanced Settings"));
        link->SetEnabled(false);
        Act(link, "jump");
        QCOMPARE(jumps.count(), 1);
    }
    void framedWindow()
    {
        // A window told about before its frame came is described anew once it has one.
        QVERIFY(Iface(m_window));
        auto* frame = new velForms(m_window);
        (new velbutton(frame, "ok"))->setCaption("OK");
        QAccessibleInterface* window = Iface(m_window);
        QCOMPARE(std::tuple(window->role(), window->text(QAccessible::Name)),
                 std::tuple(QAccessible::Window, QString("Test window")));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QAccessibleInterface* body = Iface(frame);
        const auto names = [body] {
            const QList<QString> keys = ChildrenOfRole(body, QAccessible::Button).keys();
            return QSet<QString>(keys.begin(), keys.end());
        };
        QHash<QString, QAccessibleInterface*> buttons = ChildrenOfRole(body, QAccessible::Button);
        QCOMPARE(names(), (QSet<QString>{"OK", "Close", "Maximize", "Minimize"}));
        for (QAccessibleInterface* b : std::as_const(buttons)) {
            QCOMPARE(b->parent(), body);
            QCOMPARE(body->child(body->indexOfChild(b)), b);
            QVERIFY(!b->state().invisible);
        }
        // The caption buttons lie where they are drawn, right of the caption.
        const CaptionButtons::Record& close = frame->captionButton(CaptionButtons::Close);
        const QPoint closeCentre = frame->mapToGlobal(QPoint(close.Left + 9, close.Top + 9));
        QVERIFY(buttons["Close"]->rect().contains(closeCentre));
        QCOMPARE(body->childAt(closeCentre.x(), closeCentre.y()), buttons["Close"]);
        // Their press action does what a click does.
        const QString press = QAccessibleActionInterface::pressAction();
        buttons["Maximize"]->actionInterface()->doAction(press);
        QCOMPARE(frame->WindowState(), 2);
        QVERIFY(names().contains("Restore"));
        QSignalSpy closeClicks(frame, &velForms::closeClicked);
        ChildrenOfRole(body, QAccessible::Button)["Close"]->actionInterface()->doAction(press);
        QCOMPARE(closeClicks.count(), 1);
        QVERIFY(!m_window->isVisible());
        // Hidden caption buttons are not offered.
        frame->setMinButton(false);
        frame->setMaxButton(false);
        QCOMPARE(names(), (QSet<QString>{"OK", "Close"}));
    }

private:
    QWidget* m_window = nullptr;
};

QTEST_MAIN(TestControlAccessibility)
#include "TestControlAccessibility.moc"
