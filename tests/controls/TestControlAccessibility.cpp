// What the skinned controls tell a screen reader through QAccessible::queryAccessibleInterface.
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"

#include <QAccessible>
#include <QMenu>
#include <QtTest>

using namespace tarvex;
using namespace Qt::StringLiterals;

namespace {

QAccessibleInterface* Iface(QObject* o)
{
    return QAccessible::queryAccessibleInterface(o);
}

QAccessibleActionInterface* Actions(QObject* o)
{
    return Iface(o)->actionInterface();
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
        QTest::addColumn<int>("mode"); // ButtonMode, or 3: a push button with a menu
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("push, access key")
            << 0 << u" &Save Settings"_s << u"Writes the file"_s << int(QAccessible::Button)
            << u"Save Settings"_s << u"Writes the file"_s;
        QTest::newRow("check, literal ampersand")
            << 1 << u"Load && &Go"_s << u""_s << int(QAccessible::CheckBox) << u"Load & Go"_s
            << u""_s;
        QTest::newRow("option, no caption: the tip names it")
            << 2 << u""_s << u"Browse"_s << int(QAccessible::RadioButton) << u"Browse"_s << u""_s;
        QTest::newRow("menu, blank caption")
            << 3 << u"   "_s << u"Add a hotkey"_s << int(QAccessible::ButtonMenu)
            << u"Add a hotkey"_s << u""_s;
    }

    void buttonDescribed()
    {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        auto* b = new velbutton(m_window, "b");
        b->setMode(ButtonMode::Option); // the role follows a change of mode
        QMenu menu;
        b->setMode(ButtonMode(mode == 3 ? 0 : mode));
        if (mode == 3)
            b->SetPopupMenu(&menu);
        b->setCaption(caption);
        b->setToolTip(tip);
        QCOMPARE(int(Iface(b)->role()), role);
        QCOMPARE(bool(Iface(b)->state().hasPopup), mode == 3);
        QCOMPARE(Iface(b)->text(QAccessible::Name), name);
        QCOMPARE(Iface(b)->text(QAccessible::Description), description);
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
        QVERIFY(Iface(b)->state().focusable);
        QVERIFY(!Iface(other)->state().focused);
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
        QVERIFY(Iface(b)->state().checked);
        QVERIFY(!Iface(b)->state().pressed);
        // Default button and disabled.
        QVERIFY(!Iface(other)->state().defaultButton);
        other->setDefault(true);
        QVERIFY(Iface(other)->state().defaultButton);
        other->setEnabled(false);
        QVERIFY(Iface(other)->state().disabled);
        QVERIFY(!Iface(b)->state().disabled);
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
        QVERIFY(Actions(push)->actionNames().contains(press));
        Actions(push)->doAction(press);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(Actions(check)->actionNames().contains(toggle));
        Actions(check)->doAction(toggle);
        QVERIFY(check->isChecked());
        QCOMPARE(checkClicks.count(), 1);
        Actions(check)->doAction(toggle);
        QVERIFY(!check->isChecked());
        Actions(optionB)->doAction(toggle);
        QVERIFY(optionB->isChecked());
        QVERIFY(!optionA->isChecked());
        // A disabled button offers no press, and a press asked for anyway does nothing.
        push->setEnabled(false);
        QVERIFY(!Actions(push)->actionNames().contains(press));
        Actions(push)->doAction(press);
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
        Actions(menuButton)->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(shown);
    }

    void hyperlink()
    {
        auto* link = new tarvex::Hyperlink(m_window, "link");
        link->SetCaption("Show Advanced Settings");
        QAccessibleInterface* iface = Iface(link);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Show Advanced Settings"));
        QVERIFY(iface->state().linked);
        QVERIFY(!iface->state().traversed);
        QSignalSpy jumps(link, &tarvex::Hyperlink::Jump);
        QVERIFY(iface->actionInterface()->actionNames().contains("jump"));
        iface->actionInterface()->doAction("jump");
        QCOMPARE(jumps.count(), 1);
        QTRY_VERIFY(iface->state().traversed);
        link->SetCaption("Hide Advanced Settings");
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Hide Advanced Settings"));
        link->SetEnabled(false);
        iface->actionInterface()->doAction("jump");
        QCOMPARE(jumps.count(), 1);
    }

    void framedWindow()
    {
        // A window told about before its frame came is described anew once it has one.
        QVERIFY(Iface(m_window));
        auto* frame = new velForms(m_window);
        auto* ok = new velbutton(frame, "ok");
        ok->setCaption("OK");
        QAccessibleInterface* window = Iface(m_window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Test window"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QAccessibleInterface* body = Iface(frame);
        QHash<QString, QAccessibleInterface*> buttons = ChildrenOfRole(body, QAccessible::Button);
        QCOMPARE(QSet<QString>(buttons.keyBegin(), buttons.keyEnd()),
                 (QSet<QString>{"OK", "Close", "Maximize", "Minimize"}));
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
        buttons["Maximize"]->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(frame->WindowState(), 2);
        QCOMPARE(ChildrenOfRole(body, QAccessible::Button).contains("Restore"), true);
        QSignalSpy closeClicks(frame, &velForms::closeClicked);
        ChildrenOfRole(body, QAccessible::Button)["Close"]->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
        QCOMPARE(closeClicks.count(), 1);
        QVERIFY(!m_window->isVisible());
        // Hidden caption buttons are not offered.
        frame->setMinButton(false);
        frame->setMaxButton(false);
        buttons = ChildrenOfRole(body, QAccessible::Button);
        QCOMPARE(QSet<QString>(buttons.keyBegin(), buttons.keyEnd()),
                 (QSet<QString>{"OK", "Close"}));
    }

private:
    QWidget* m_window = nullptr;
};

QTEST_MAIN(TestControlAccessibility)
#include "TestControlAccessibility.moc"
