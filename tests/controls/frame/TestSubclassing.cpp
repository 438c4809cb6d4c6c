#include "controls/frame/ErrorReport.h"
#include "controls/frame/MessageTable.h"
#include "controls/frame/Subclasser.h"
#include "controls/frame/SubclassOwner.h"
#include "controls/frame/WindowHandles.h"
#include "controls/frame/WindowMessage.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWidget>

#include <functional>

using namespace tarvex;

namespace {

// A widget that records what reaches its own handling.
class RecordingWidget final : public QWidget
{
public:
    QStringList seen;

protected:
    void mousePressEvent(QMouseEvent* e) override
    {
        seen << QStringLiteral("press %1 %2,%3")
                    .arg(int(e->button()))
                    .arg(e->position().x())
                    .arg(e->position().y());
    }
    void closeEvent(QCloseEvent* e) override
    {
        seen << QStringLiteral("close");
        QWidget::closeEvent(e);
    }
};

// An owner that logs every callback and may act on it.
class RecordingOwner final : public SubclassOwner
{
public:
    explicit RecordingOwner(QString name = QStringLiteral("A")) : m_name(std::move(name)) {}
    QStringList calls;
    std::function<void(bool, bool&, qint32&, qint32&, qint32&)> action;

    void zSubclass_Proc(bool bBefore, bool& bHandled, qint32& lReturn, qint32& /*lng_hWnd*/,
                        qint32& uMsg, qint32& wParam, qint32& /*lParam*/) override
    {
        calls << QStringLiteral("%1 %2 %3 ret=%4")
                     .arg(m_name, bBefore ? QStringLiteral("before") : QStringLiteral("after"),
                          QString::number(uMsg, 16))
                     .arg(lReturn);
        if (action)
            action(bBefore, bHandled, lReturn, uMsg, wParam);
    }

private:
    QString m_name;
};

// A recording widget hooked for a recording owner, as a control hooks its window.
struct Hooked
{
    RecordingWidget w;
    RecordingOwner owner;
    Subclasser sc{QStringLiteral("velForms"), &owner};
    const qint32 h = WindowHandles::handleOf(&w);
    const bool hooked = sc.sc_Subclass(h);
};

void press(QWidget& w, Qt::MouseButton button = Qt::LeftButton, QPoint at = {5, 6})
{
    QTest::mousePress(&w, button, Qt::NoModifier, at);
}

} // namespace

class TestSubclassing final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void tableAdd_data();
    void tableAdd();
    void tableOverflowAndAllMessages();
    void tableDeleteAbsent_data();
    void tableDeleteAbsent();
    void errorReportTitles_data();
    void errorReportTitles();
    void registryKeyAndDuplicateHook();
    void beforeAfterOrder();
    void consumedMessageNeverReachesWidget();
    void changedMessageReachesWidgetChanged();
    void chainOfTwoOwners();
    void callPreviousProcSkipsOwner();
    void userValues();
    void windowManagerCloseAndConsumedClose();
    void unwatchedMessagesPassUntouched();
    void destroyedWindowIsSkippedSilently();
    void ownerDyingWithItsWindow();
    void messageTranslation_data();
    void messageTranslation();

private:
    tarvex::FakeDialogs m_dialogs;
};

void TestSubclassing::init()
{
    m_dialogs.clearCalls();
    ErrorReport::setDialogs(&m_dialogs);
}

void TestSubclassing::tableAdd_data()
{
    QTest::addColumn<QList<int>>("adds");
    QTest::addColumn<QList<int>>("removes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("entries");
    QTest::newRow("duplicate keeps one")
        << QList<int>{0x200, 0x200} << QList<int>{} << 1 << QList<int>{0x200};
    QTest::newRow("deleted slot becomes 0")
        << QList<int>{0x200, 0x2A3, 0x6} << QList<int>{0x2A3} << 3 << QList<int>{0x200, 0, 0x6};
    QTest::newRow("no duplicate behind a free slot")
        << QList<int>{0x200, 0x2A3, 0x6, 0x2A3} << QList<int>{0x200} << 3
        << QList<int>{0, 0x2A3, 0x6};
    QTest::newRow("delete all") << QList<int>{0x200, 0x6} << QList<int>{-1} << 0 << QList<int>{};
}

void TestSubclassing::tableAdd()
{
    QFETCH(QList<int>, adds);
    QFETCH(QList<int>, removes);
    QFETCH(int, count);
    QFETCH(QList<int>, entries);
    MessageTable t;
    for (int i = 0; i < adds.size(); ++i) {
        QVERIFY(t.add(adds[i]).isEmpty());
        if (i == 2) // the deletions happen after the third addition
            for (int r : removes)
                QVERIFY(t.remove(r).isEmpty());
    }
    if (adds.size() < 3)
        for (int r : removes)
            QVERIFY(t.remove(r).isEmpty());
    QCOMPARE(t.count(), count);
    for (int i = 0; i < entries.size(); ++i)
        QCOMPARE(t.entry(i), entries[i]);
}

void TestSubclassing::tableOverflowAndAllMessages()
{
    MessageTable t;
    for (int m = 1; m <= 32; ++m)
        QVERIFY(t.add(0x400 + m).isEmpty());
    QCOMPARE(t.add(0x200), QStringLiteral("Message table overflow. Either increase the value of "
                                          "Const MSG_ENTRIES or use ALL_MESSAGES instead of "
                                          "specific message values"));
    QCOMPARE(t.count(), 32);
    QVERIFY(!t.contains(0x200));
    QVERIFY(t.remove(0x401).isEmpty());
    QVERIFY(t.add(0x200).isEmpty()); // the freed slot takes it
    QCOMPARE(t.entry(0), 0x200);
    QVERIFY(t.add(MessageTable::ALL_MESSAGES).isEmpty());
    QCOMPARE(t.count(), -1);
    QVERIFY(t.contains(0x1234));
    QVERIFY(t.add(0x5).isEmpty());
    QCOMPARE(t.count(), -1);
}

void TestSubclassing::tableDeleteAbsent_data()
{
    QTest::addColumn<int>("message");
    QTest::addColumn<QString>("error");
    QTest::newRow("WM_MOUSEMOVE") << 0x200 << "Message &H200 not found in table";
    QTest::newRow("capital hex") << 0x2A3 << "Message &H2A3 not found in table";
    QTest::newRow("no leading zeros") << 0x6 << "Message &H6 not found in table";
}

void TestSubclassing::tableDeleteAbsent()
{
    QFETCH(int, message);
    QFETCH(QString, error);
    MessageTable t;
    QVERIFY(t.add(0x20).isEmpty());
    QCOMPARE(t.remove(message), error);
    QCOMPARE(t.count(), 1);
    QCOMPARE(t.entry(0), 0x20);
}

void TestSubclassing::errorReportTitles_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("unsubclass first") << 0 << "Error in velForms.sc_UnSubclass"
                                      << "Window handle isn't subclassed.";
    QTest::newRow("watch first") << 1 << "Error in velForms.sc_WatchMessage"
                                 << "Subclassing hasn't been started.";
    QTest::newRow("invalid handle") << 2 << "Error in velForms.sc_Subclass"
                                    << "Invalid window handle.";
    QTest::newRow("no callback") << 3 << "Error in velForms.sc_Subclass"
                                 << "Callback method not found.";
    QTest::newRow("overflow") << 4 << "Error in velForms.zAddMsg"
                              << "Message table overflow. Either increase the value of Const "
                                 "MSG_ENTRIES or use ALL_MESSAGES instead of specific message "
                                 "values.";
    QTest::newRow("absent") << 5 << "Error in velForms.zDelMsg"
                            << "Message &H200 not found in table.";
}

void TestSubclassing::errorReportTitles()
{
    QFETCH(int, step);
    QFETCH(QString, title);
    QFETCH(QString, text);
    RecordingWidget w;
    RecordingOwner owner;
    Subclasser sc(QStringLiteral("velForms"), &owner);
    const qint32 h = WindowHandles::handleOf(&w);
    if (step == 0)
        sc.sc_UnSubclass(h);
    if (step == 1)
        sc.sc_WatchMessage(h, WM::MouseMove);
    if (step == 2)
        QVERIFY(!sc.sc_Subclass(987654));
    if (step == 3)
        QVERIFY(!sc.sc_Subclass(h, 0, 2));
    if (step >= 4)
        QVERIFY(sc.sc_Subclass(h));
    for (int m = 1; step == 4 && m <= 33; ++m)
        sc.sc_WatchMessage(h, 0x400 + m, Subclasser::MSG_BEFORE);
    if (step == 5)
        sc.sc_UnwatchMessage(h, WM::MouseMove);
    QVERIFY(!m_dialogs.calls().isEmpty());
    QCOMPARE(m_dialogs.calls().last(), QStringLiteral("warn %1|%2").arg(title, text));
    QCOMPARE(ErrorReport::logLine(QStringLiteral("velForms"), QStringLiteral("zAddMsg"),
                                  QStringLiteral("x")),
             QStringLiteral("velForms.zAddMsg: x"));
}

void TestSubclassing::registryKeyAndDuplicateHook()
{
    RecordingWidget w;
    RecordingOwner owner;
    Subclasser sc(QStringLiteral("velForms"), &owner);
    QVERIFY(!sc.started());
    const qint32 h = WindowHandles::handleOf(&w);
    QCOMPARE(Subclasser::zKey(h), QString::number(h) + "h");
    QVERIFY(sc.sc_Subclass(h));
    QVERIFY(sc.started());
    QVERIFY(!sc.sc_Subclass(h));
    QCOMPARE(m_dialogs.calls(), QStringList{"warn Error in velForms.sc_Subclass|"
                                            "Window handle is already subclassed."});
    QCOMPARE(sc.count(), 1);
    sc.sc_UnSubclass(h);
    QCOMPARE(sc.count(), 0);
    QVERIFY(sc.sc_Subclass(h)); // hookable again once released
}

void TestSubclassing::beforeAfterOrder()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.sc.sc_WatchMessage(t.h, WM::LButtonDown, Subclasser::MSG_BEFORE_AND_AFTER);
    t.owner.action = [&](bool before, bool&, qint32&, qint32&, qint32&) {
        t.owner.calls << QStringLiteral("widget saw %1 presses").arg(t.w.seen.size());
        Q_UNUSED(before);
    };
    press(t.w);
    QCOMPARE(t.owner.calls, QStringList({"A before 201 ret=0", "widget saw 0 presses",
                                         "A after 201 ret=1", "widget saw 1 presses"}));
}

void TestSubclassing::consumedMessageNeverReachesWidget()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.sc.sc_WatchMessage(t.h, WM::LButtonDown, Subclasser::MSG_BEFORE_AND_AFTER);
    t.owner.action = [](bool before, bool& handled, qint32& ret, qint32&, qint32&) {
        if (before) {
            handled = true;
            ret = 42;
        }
    };
    press(t.w);
    QVERIFY(t.w.seen.isEmpty());
    QCOMPARE(t.owner.calls, QStringList({"A before 201 ret=0", "A after 201 ret=42"}));
    press(t.w, Qt::RightButton); // not watched: delivered as usual
    QCOMPARE(t.w.seen.size(), 1);
}

void TestSubclassing::changedMessageReachesWidgetChanged()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.sc.sc_WatchMessage(t.h, WM::LButtonDown, Subclasser::MSG_BEFORE);
    t.owner.action = [](bool, bool&, qint32&, qint32& uMsg, qint32&) { uMsg = WM::RButtonDown; };
    press(t.w, Qt::LeftButton, {7, 8});
    QCOMPARE(t.w.seen, QStringList({QStringLiteral("press %1 7,8").arg(int(Qt::RightButton))}));
}

void TestSubclassing::chainOfTwoOwners()
{
    RecordingWidget w;
    RecordingOwner first(QStringLiteral("A")), second(QStringLiteral("B"));
    Subclasser scA(QStringLiteral("velbutton"), &first), scB(QStringLiteral("velForms"), &second);
    const qint32 h = WindowHandles::handleOf(&w);
    QVERIFY(scA.sc_Subclass(h));
    QVERIFY(scB.sc_Subclass(h));
    scA.sc_WatchMessage(h, WM::LButtonDown, Subclasser::MSG_BEFORE_AND_AFTER);
    scB.sc_WatchMessage(h, WM::LButtonDown, Subclasser::MSG_BEFORE_AND_AFTER);
    press(w);
    // The newer hook wraps the older one, as stacked window procedures do.
    QCOMPARE(second.calls.first(), QStringLiteral("B before 201 ret=0"));
    QCOMPARE(first.calls, QStringList({"A before 201 ret=0", "A after 201 ret=1"}));
    QCOMPARE(second.calls.last(), QStringLiteral("B after 201 ret=1"));
    // The outer hook consumes: the inner hook and the widget see nothing more.
    second.action = [](bool before, bool& handled, qint32&, qint32&, qint32&) { handled = before; };
    first.calls.clear();
    press(w);
    QVERIFY(first.calls.isEmpty());
    QCOMPARE(w.seen.size(), 1);
}

void TestSubclassing::callPreviousProcSkipsOwner()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.sc.sc_WatchMessage(t.h, WM::LButtonDown, Subclasser::MSG_BEFORE);
    const qint32 ret = t.sc.sc_CallPreviousProc(t.h, WM::LButtonDown, WM::MkLButton,
                                                WindowMessage::makeLParam(3, 4));
    QCOMPARE(ret, 1);
    QVERIFY(t.owner.calls.isEmpty());
    QCOMPARE(t.w.seen, QStringList({QStringLiteral("press %1 3,4").arg(int(Qt::LeftButton))}));
    QCOMPARE(t.sc.sc_CallPreviousProc(t.h, 0x7777, 0, 0), 0); // no event stands for it
}

void TestSubclassing::userValues()
{
    QWidget a, b;
    RecordingOwner owner;
    Subclasser sc(QStringLiteral("velForms"), &owner);
    const qint32 ha = WindowHandles::handleOf(&a), hb = WindowHandles::handleOf(&b);
    QVERIFY(ha != hb);
    QVERIFY(sc.sc_Subclass(ha, 17));
    QVERIFY(sc.sc_Subclass(hb));
    QCOMPARE(sc.sc_UserValue(ha), 17);
    QCOMPARE(sc.sc_UserValue(hb), 0);
    sc.setSc_UserValue(hb, -5);
    QCOMPARE(sc.sc_UserValue(hb), -5);
    QCOMPARE(sc.sc_UserValue(ha), 17);
    QVERIFY(m_dialogs.calls().isEmpty());
}

void TestSubclassing::windowManagerCloseAndConsumedClose()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.w.show();
    t.sc.sc_WatchMessage(t.h, WM::SysCommand, Subclasser::MSG_AFTER);
    t.sc.sc_WatchMessage(t.h, WM::Close, Subclasser::MSG_BEFORE);
    t.owner.action = [](bool before, bool& handled, qint32&, qint32& uMsg, qint32&) {
        handled = before && uMsg == WM::Close;
    };
    QCloseEvent fromWindowManager; // what the window manager's close request arrives as
    QSpontaneKeyEvent::setSpontaneous(&fromWindowManager);
    qApp->notify(&t.w, &fromWindowManager); // delivered as the window system delivers it
    QCOMPARE(t.owner.calls, QStringList({"A before 10 ret=0", "A after 112 ret=0"}));
    QVERIFY(!fromWindowManager.isAccepted()); // a consumed close keeps the window
    QVERIFY(t.w.seen.isEmpty());
    t.owner.action = nullptr;
    t.w.close();
    QVERIFY(!t.w.isVisible());
    QCOMPARE(t.w.seen, QStringList({"close"}));
}

void TestSubclassing::unwatchedMessagesPassUntouched()
{
    Hooked t;
    QVERIFY(t.hooked);
    t.sc.sc_WatchMessage(t.h, WM::MouseMove, Subclasser::MSG_BEFORE);
    t.sc.sc_UnwatchMessage(t.h, WM::MouseMove, Subclasser::MSG_BEFORE);
    press(t.w);
    QCOMPARE(t.w.seen.size(), 1);
    QVERIFY(t.owner.calls.isEmpty());
    t.sc.sc_WatchMessage(t.h, Subclasser::ALL_MESSAGES, Subclasser::MSG_AFTER);
    press(t.w);
    QVERIFY(t.owner.calls.contains("A after 201 ret=1"));
    t.sc.sc_UnwatchMessage(t.h, Subclasser::ALL_MESSAGES, Subclasser::MSG_AFTER);
    QCOMPARE(t.sc.table(t.h, Subclasser::MSG_AFTER)->count(), 0);
}

void TestSubclassing::destroyedWindowIsSkippedSilently()
{
    RecordingOwner owner;
    Subclasser sc(QStringLiteral("velForms"), &owner);
    auto* w = new QWidget;
    const qint32 h = WindowHandles::handleOf(w);
    QVERIFY(sc.sc_Subclass(h));
    delete w;
    QCOMPARE(WindowHandles::widgetOf(h), nullptr);
    sc.sc_WatchMessage(h, WM::MouseMove);
    QCOMPARE(sc.sc_CallPreviousProc(h, WM::MouseMove, 0, 0), 0);
    sc.sc_UnSubclass(h);
    QVERIFY(m_dialogs.calls().isEmpty());
    auto* other = new QWidget; // may reuse the address: gets a new handle
    QVERIFY(WindowHandles::handleOf(other) != h);
    delete other;
}

// A control living on the window it hooks, as the frame lives on its form.
class ChildOwner final : public QObject, public SubclassOwner
{
public:
    Subclasser sc{QStringLiteral("velForms"), this};
    void zSubclass_Proc(bool, bool&, qint32&, qint32&, qint32&, qint32&, qint32&) override {}
};

void TestSubclassing::ownerDyingWithItsWindow()
{
    auto* host = new QWidget;
    const qint32 h = WindowHandles::handleOf(host);
    RecordingOwner outside;
    Subclasser early(QStringLiteral("velbutton"), &outside);
    QVERIFY(early.sc_Subclass(h)); // the hook becomes the window's first child
    auto* child = new ChildOwner;
    child->setParent(host);
    QVERIFY(child->sc.sc_Subclass(h));
    child->sc.sc_WatchMessage(h, WM::Close);
    delete host; // the hook goes before the child that unhooks in its destructor
    early.sc_WatchMessage(h, WM::Close); // skipped silently: the window is gone
    QVERIFY(m_dialogs.calls().isEmpty());
}

void TestSubclassing::messageTranslation_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("uMsg");
    QTest::addColumn<int>("wParam");
    QTest::newRow("move with left held") << int(QEvent::MouseMove) << 0 << 0x200 << 1;
    QTest::newRow("left down") << int(QEvent::MouseButtonPress) << int(Qt::LeftButton) << 0x201
                               << 1;
    QTest::newRow("right up") << int(QEvent::MouseButtonRelease) << int(Qt::RightButton) << 0x205
                              << 1;
    QTest::newRow("middle double")
        << int(QEvent::MouseButtonDblClick) << int(Qt::MiddleButton) << 0x209 << 1;
}

void TestSubclassing::messageTranslation()
{
    QFETCH(int, type);
    QFETCH(int, button);
    QFETCH(int, uMsg);
    QFETCH(int, wParam);
    QWidget w;
    QMouseEvent e(QEvent::Type(type), QPointF(-2, 300), QPointF(0, 0), Qt::MouseButton(button),
                  Qt::LeftButton, Qt::NoModifier);
    const auto m = WindowMessage::fromEvent(e, w);
    QVERIFY(m.has_value());
    QCOMPARE(m->uMsg, uMsg);
    QCOMPARE(m->wParam, wParam);
    QCOMPARE(WindowMessage::lowWord(m->lParam), -2);
    QCOMPARE(WindowMessage::highWord(m->lParam), 300);
    QEvent activate(QEvent::WindowDeactivate);
    QCOMPARE(WindowMessage::fromEvent(activate, w), (WindowMessage{WM::Activate, 0, 0}));
    QKeyEvent altF4(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(WindowMessage::fromEvent(altF4, w)->uMsg, WM::SysKeyDown);
    QCOMPARE(WindowMessage::fromEvent(altF4, w)->wParam, 115);
}

QTEST_MAIN(TestSubclassing)
#include "TestSubclassing.moc"
