#include "StyleFixture.h"

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tarvex;

// Records the events of buttons as text, in the order they were raised.
class EventLog final : public QObject
{
    Q_OBJECT

public:
    QStringList lines;

    void watch(velbutton* b)
    {
        const QString n = b->objectName();
        connect(b, &velbutton::Click, this, [this, n] { lines << n + ":Click"; });
        connect(b, &velbutton::DblClick, this, [this, n] { lines << n + ":DblClick"; });
        connect(b, &velbutton::MouseLeave, this, [this, n] { lines << n + ":MouseLeave"; });
        connect(b, &velbutton::MouseDown, this, [this, n](short btn, short sh, float x, float y) {
            lines
                << QStringLiteral("%1:MouseDown %2 %3 %4 %5").arg(n).arg(btn).arg(sh).arg(x).arg(y);
        });
        connect(b, &velbutton::MouseUp, this, [this, n](short btn, short sh, float x, float y) {
            lines << QStringLiteral("%1:MouseUp %2 %3 %4 %5").arg(n).arg(btn).arg(sh).arg(x).arg(y);
        });
        connect(b, &velbutton::KeyDown, this, [this, n](short key, short sh) {
            lines << QStringLiteral("%1:KeyDown %2 %3").arg(n).arg(key).arg(sh);
        });
        connect(b, &velbutton::KeyUp, this, [this, n](short key, short sh) {
            lines << QStringLiteral("%1:KeyUp %2 %3").arg(n).arg(key).arg(sh);
        });
        connect(b, &velbutton::KeyPress, this,
                [this, n](short ch) { lines << QStringLiteral("%1:KeyPress %2").arg(n).arg(ch); });
    }
};

// Stands in for the desktop's opener.
class UrlRecorder final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

// velbutton: properties and property sets, the state machine and its events.
class TestVelbutton final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void regionAndMinimumSize_data();
    void regionAndMinimumSize();
    void clickRules_data();
    void clickRules();
    void pointerTracking();
    void spaceClicksWherever();
    void keyEvents_data();
    void keyEvents();
    void checkAndOptionModes();
    void optionGroupPerContainer();
    void accessKeys_data();
    void accessKeys();
    void windowKeys_data();
    void windowKeys();
    void menuOpensInsteadOfMouseDown();
    void menuAnchors_data();
    void menuAnchors();
    void openWebsiteUsesOpener();
    void aboutBox();
    void focusAndActivation();
    void doubleClick();
    void handlerMayDeleteButton_data();
    void handlerMayDeleteButton();
    void otherKeysReachTheWindow();
    void defaultLookFollowsFocus();

private:
    velbutton* make(const QString& name, QWidget* parent = nullptr);
    QPoint centre(velbutton* b) const { return b->rect().center(); }

    QTemporaryDir m_home;
    QWidget* m_window = nullptr;
    EventLog* m_log = nullptr;
};

void TestVelbutton::initTestCase()
{
    QVERIFY(m_home.isValid());
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(var, m_home.path().toLocal8Bit());
    UseTestPalette();
}

void TestVelbutton::init()
{
    m_window = new QWidget;
    m_window->resize(400, 300);
    m_window->move(100, 100);
    m_log = new EventLog;
}

void TestVelbutton::cleanup()
{
    delete m_window;
    delete m_log;
}

velbutton* TestVelbutton::make(const QString& name, QWidget* parent)
{
    auto* b = new velbutton(parent ? parent : m_window, name);
    b->setGeometry(20 + 110 * (parent ? 0 : m_window->findChildren<velbutton*>().size() - 1), 20,
                   100, 30);
    m_log->watch(b);
    return b;
}

void TestVelbutton::regionAndMinimumSize_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QList<QPoint>>("cut");
    QTest::addColumn<QList<QPoint>>("kept");
    QTest::newRow("1 rectangle") << 1 << QList<QPoint>{} << QList<QPoint>{{0, 0}, {59, 29}};
    QTest::newRow("3 rounded 3x3") << 3 << QList<QPoint>{{0, 0}, {59, 0}, {0, 29}, {59, 29}}
                                   << QList<QPoint>{{1, 0}, {0, 1}, {58, 29}};
    QTest::newRow("6 rounded 4x4")
        << 6 << QList<QPoint>{{0, 0}, {1, 0}, {0, 1}, {58, 29}} << QList<QPoint>{{2, 0}, {1, 1}};
    QTest::newRow("10 rounded 4x4") << 10 << QList<QPoint>{{59, 28}} << QList<QPoint>{{57, 29}};
}

void TestVelbutton::regionAndMinimumSize()
{
    QFETCH(int, style);
    QFETCH(QList<QPoint>, cut);
    QFETCH(QList<QPoint>, kept);
    velbutton* b = make("b");
    b->setButtonStyle(ButtonStyleKind(style));
    b->resize(60, 30);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    for (const QPoint& p : cut)
        QVERIFY2(!b->mask().contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint& p : kept)
        QVERIFY(b->mask().isEmpty() || b->mask().contains(p));
    b->resize(5, 8);
    QCOMPARE(b->size(), QSize(15, 15)); // 220 twips at 15 twips per pixel
    QVERIFY(b->mask().isEmpty() || !b->mask().contains(QPoint(14, 14)));
}

void TestVelbutton::clickRules_data()
{
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("inside") << QPoint(50, 15)
                            << QStringList{"b:MouseDown 1 0 50 15", "b:Click",
                                           "b:MouseUp 1 0 50 15"};
    QTest::newRow("at x = 0") << QPoint(0, 15)
                              << QStringList{"b:MouseDown 1 0 50 15", "b:Click",
                                             "b:MouseUp 1 0 0 15"};
    QTest::newRow("outside") << QPoint(150, 15)
                             << QStringList{"b:MouseDown 1 0 50 15", "b:MouseUp 1 0 150 15"};
    QTest::newRow("at x = width") << QPoint(100, 15)
                                  << QStringList{"b:MouseDown 1 0 50 15", "b:MouseUp 1 0 100 15"};
}

void TestVelbutton::clickRules()
{
    QFETCH(QPoint, release);
    QFETCH(QStringList, events);
    velbutton* b = make("b");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(b->state(), ButtonState::Down);
    QTest::mouseRelease(b, Qt::LeftButton, {}, release);
    QCOMPARE(m_log->lines, events);
}

void TestVelbutton::pointerTracking()
{
    velbutton* b = make("b");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QSignalSpy enter(b, &velbutton::MouseEnter);
    QSignalSpy moves(b, &velbutton::MouseMove);
    QTest::mouseMove(b, QPoint(10, 10));
    QTest::mouseMove(b, QPoint(12, 10));
    QCOMPARE(b->state(), ButtonState::Hot);
    QCOMPARE(enter.count(), 2); // raised on every move over the button
    QCOMPARE(moves.last().at(2).toFloat(), 12.0f);
    QTest::mouseMove(m_window, QPoint(300, 200));
    QTRY_COMPARE(b->state(), ButtonState::Normal);
    QTRY_VERIFY(m_log->lines.contains("b:MouseLeave"));
}

void TestVelbutton::spaceClicksWherever()
{
    velbutton* b = make("b");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    b->setFocus();
    QTest::keyPress(b, Qt::Key_Space);
    QCOMPARE(b->state(), ButtonState::Down);
    QTest::mouseMove(m_window, QPoint(300, 200)); // the pointer wanders off
    QTest::keyRelease(b, Qt::Key_Space);
    QCOMPARE(m_log->lines,
             (QStringList{"b:KeyDown 32 0", "b:KeyPress 32", "b:Click", "b:KeyUp 32 0"}));
}

void TestVelbutton::keyEvents_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("Enter clicks first")
        << int(Qt::Key_Return) << 0 << QStringList{"b:Click", "b:KeyDown 13 0", "b:KeyPress 13"};
    QTest::newRow("letter: no KeyUp")
        << int(Qt::Key_A) << 0 << QStringList{"b:KeyDown 65 0", "b:KeyPress 97"};
    QTest::newRow("shifted letter") << int(Qt::Key_A) << int(Qt::ShiftModifier)
                                    << QStringList{"b:KeyDown 65 1", "b:KeyPress 65"};
    QTest::newRow("Alt+Space: nothing")
        << int(Qt::Key_Space) << int(Qt::AltModifier) << QStringList{};
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << QStringList{"b:KeyDown 116 0"};
}

void TestVelbutton::keyEvents()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, events);
    velbutton* b = make("b");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    b->setFocus();
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QString text = key == Qt::Key_Return ? "\r" : key == Qt::Key_A ? "a" : "";
    if (mods & Qt::ShiftModifier)
        text = text.toUpper();
    if (key == Qt::Key_Space)
        text = " ";
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(b, &press);
    QApplication::sendEvent(b, &release);
    QCOMPARE(m_log->lines, events);
}

void TestVelbutton::checkAndOptionModes()
{
    velbutton* check = make("check");
    check->setMode(ButtonMode::Check);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(check->Value());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!check->Value());
    // Space toggles on the press; a held Space (auto-repeat) toggles once only.
    check->setFocus();
    QTest::keyPress(check, Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, {}, " ", true);
    QApplication::sendEvent(check, &repeat);
    QVERIFY(check->Value());
    QTest::keyRelease(check, Qt::Key_Space);
    QVERIFY(check->Value());
    QCOMPARE(m_log->lines.count("check:Click"), 3);
}

void TestVelbutton::optionGroupPerContainer()
{
    auto* left = new QWidget(m_window);
    auto* right = new QWidget(m_window);
    left->setGeometry(0, 0, 200, 300);
    right->setGeometry(200, 0, 200, 300);
    QList<velbutton*> group;
    for (int i = 0; i < 3; ++i) {
        group << make(QStringLiteral("o%1").arg(i), left);
        group.last()->move(10, 10 + 40 * i);
        group.last()->setMode(ButtonMode::Option);
        group.last()->setValue(true);
    }
    velbutton* other = make("other", right);
    other->setMode(ButtonMode::Option);
    other->setValue(true);
    velbutton* pushInGroup = make("push", left);
    pushInGroup->move(10, 200);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mouseClick(group[1], Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!group[0]->Value());
    QVERIFY(group[1]->Value());
    QVERIFY(!group[2]->Value());
    QVERIFY(other->Value());
}

void TestVelbutton::accessKeys_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("value");
    QTest::newRow("push, access key") << 0 << int('S') << true << 1 << false;
    QTest::newRow("push, default key") << 0 << 13 << true << 1 << false;
    QTest::newRow("push, cancel key") << 0 << 27 << true << 1 << false;
    QTest::newRow("check, access key toggles") << 1 << int('S') << true << 1 << true;
    QTest::newRow("check, default key ignored") << 1 << 13 << true << 0 << false;
    QTest::newRow("option, cancel key ignored") << 2 << 27 << true << 0 << false;
    QTest::newRow("option, access key sets") << 2 << int('S') << true << 1 << true;
    QTest::newRow("disabled: nothing") << 0 << int('S') << false << 0 << false;
}

void TestVelbutton::accessKeys()
{
    QFETCH(int, mode);
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    QFETCH(bool, value);
    velbutton* b = make("b");
    b->setCaption("&Save");
    b->setMode(ButtonMode(mode));
    b->setEnabled(enabled);
    b->AccessKeyPress(key);
    QCOMPARE(m_log->lines.count("b:Click"), clicks);
    QCOMPARE(b->Value(), value);
}

void TestVelbutton::windowKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("clicks");
    QTest::newRow("Alt+access key")
        << int(Qt::Key_S) << int(Qt::AltModifier) << QStringList{"save:Click"};
    QTest::newRow("Enter: default button") << int(Qt::Key_Return) << 0 << QStringList{"ok:Click"};
    QTest::newRow("Escape: cancel button")
        << int(Qt::Key_Escape) << 0 << QStringList{"cancel:Click"};
    QTest::newRow("plain letter: nothing") << int(Qt::Key_S) << 0 << QStringList{};
}

// The host's keys, delivered while the focus is in another control of the window.
void TestVelbutton::windowKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, clicks);
    make("save")->setCaption("&Save");
    make("ok")->setDefault(true);
    make("cancel")->setCancel(true);
    auto* edit = new QWidget(m_window);
    edit->setFocusPolicy(Qt::StrongFocus);
    edit->setGeometry(20, 100, 100, 20);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_log->lines.filter(":Click"), clicks);
    // A focused button takes Enter itself, whatever the default button.
    if (key == Qt::Key_Return) {
        velbutton* save = m_window->findChild<velbutton*>("save");
        save->setFocus();
        QTest::keyClick(save, Qt::Key_Return);
        QCOMPARE(m_log->lines.filter(":Click"), (QStringList{"ok:Click", "save:Click"}));
    }
}

void TestVelbutton::menuOpensInsteadOfMouseDown()
{
    velbutton* b = make("b");
    QMenu menu;
    menu.addAction("One");
    int shown = 0;
    connect(&menu, &QMenu::aboutToShow, this, [&] {
        ++shown;
        // The user clicks the button again: the pointer is over it as the menu closes.
        QTimer::singleShot(0, &menu, [&] {
            QCursor::setPos(b->mapToGlobal(QPoint(50, 15)));
            menu.close();
        });
    });
    b->SetPopupMenu(&menu, 0);
    b->SetPopupMenu(nullptr, 3); // not a menu: ignored
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(shown, 1);
    // The press that closed the menu reaches the button: it opens nothing.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(shown, 1);
    QCOMPARE(b->state(), ButtonState::Normal);
    // The next press opens it again; no MouseDown, MouseUp or Click with a menu.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(shown, 2);
    QCOMPARE(m_log->lines, QStringList());
    b->UnsetPopupMenu();
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15));
    QCOMPARE(shown, 2);
    QVERIFY(m_log->lines.contains("b:Click"));
}

void TestVelbutton::menuAnchors_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("corner"); // which corner of the menu sits on which anchor
    QTest::newRow("0 below left") << 0 << "topLeft@0,h";
    QTest::newRow("1 above left") << 1 << "bottomLeft@0,0";
    QTest::newRow("2 left of top") << 2 << "topRight@0,0";
    QTest::newRow("3 right of top") << 3 << "topLeft@w,0";
    QTest::newRow("4 above, to the left") << 4 << "bottomRight@0,0";
    QTest::newRow("5 left of bottom") << 5 << "topRight@0,h";
    QTest::newRow("6 above right") << 6 << "bottomLeft@w,0";
    QTest::newRow("7 below right") << 7 << "topLeft@w,h";
    QTest::newRow("8 no menu") << 8 << "";
}

void TestVelbutton::menuAnchors()
{
    QFETCH(int, align);
    QFETCH(QString, corner);
    velbutton* b = make("b");
    b->move(150, 120);
    QMenu menu;
    menu.addAction("First item");
    menu.addAction("Second item");
    QRect seen;
    connect(&menu, &QMenu::aboutToShow, this, [&] {
        QTimer::singleShot(0, &menu, [&] {
            seen = menu.geometry();
            menu.close();
        });
    });
    b->SetPopupMenu(&menu, align);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    if (corner.isEmpty()) {
        QVERIFY(seen.isNull());
        return;
    }
    const QPoint origin = b->mapToGlobal(QPoint(0, 0));
    const QStringList parts = corner.split('@');
    const QPoint anchor = origin + QPoint(parts[1].startsWith('w') ? b->width() : 0,
                                          parts[1].endsWith('h') ? b->height() : 0);
    const QHash<QString, QPoint> corners{{"topLeft", seen.topLeft()},
                                         {"topRight", seen.topRight() + QPoint(1, 0)},
                                         {"bottomLeft", seen.bottomLeft() + QPoint(0, 1)},
                                         {"bottomRight", seen.bottomRight() + QPoint(1, 1)}};
    QCOMPARE(corners.value(parts[0]), anchor);
}

void TestVelbutton::openWebsiteUsesOpener()
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    velbutton b;
    QVERIFY(b.OpenWebsite("https://example.org/a b;rm -rf"));
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened.size(), 1);
    QCOMPARE(recorder.opened[0].host(), QStringLiteral("example.org"));
    QCOMPARE(recorder.opened[0].path(), QStringLiteral("/a b;rm -rf"));
}

void TestVelbutton::aboutBox()
{
    velbutton* b = make("b");
    m_window->show();
    QString text;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            text = box->text();
            box->accept();
        }
    });
    b->About();
    QCOMPARE(text.section('\n', 0, 0), QStringLiteral("VelButton v 1.02"));
}

void TestVelbutton::focusAndActivation()
{
    velbutton* b = make("b");
    b->setButtonStyle(ButtonStyleKind(0));
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    b->setFocus();
    QTRY_VERIFY(b->hasFocus());
    // Focused style 0 in an active window: the black default outline is drawn.
    QCOMPARE(FromQRgb(b->surface().pixel(99, 5)), RGB(0, 0, 0));
    // Arrow keys move the focus on.
    velbutton* next = make("next");
    next->show();
    QTest::keyClick(b, Qt::Key_Right);
    QTRY_VERIFY(next->hasFocus());
    QTest::keyClick(next, Qt::Key_Left);
    QTRY_VERIFY(b->hasFocus());
}

void TestVelbutton::doubleClick()
{
    velbutton* b = make("b");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    const QPoint p(10, 10);
    // The order a window receives a double click in: press, release, double
    // click (standing for the second press, which is not delivered), release.
    QTest::mousePress(b, Qt::LeftButton, {}, p);
    QTest::mouseRelease(b, Qt::LeftButton, {}, p);
    QTest::mouseDClick(b, Qt::LeftButton, {}, p);
    QCOMPARE(b->state(), ButtonState::Down);
    QTest::mouseRelease(b, Qt::LeftButton, {}, p);
    QCOMPARE(m_log->lines, (QStringList{"b:MouseDown 1 0 10 10", "b:Click", "b:MouseUp 1 0 10 10",
                                        "b:MouseDown 1 0 10 10", "b:DblClick", "b:Click",
                                        "b:MouseUp 1 0 10 10"}));
    // A right double click is a second right press: it reaches the menu logic, not DblClick.
    m_log->lines.clear();
    QTest::mouseDClick(b, Qt::RightButton, {}, p);
    QTest::mouseRelease(b, Qt::RightButton, {}, p);
    QCOMPARE(m_log->lines, QStringList{"b:MouseUp 2 0 10 10"});
}

void TestVelbutton::handlerMayDeleteButton_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("click by mouse") << "mouse"
                                    << "Click" << QStringList{"b:MouseDown 1 0 10 10", "b:Click"};
    QTest::newRow("click by Enter") << "enter"
                                    << "Click" << QStringList{"b:Click"};
    QTest::newRow("click by Space")
        << "space"
        << "Click" << QStringList{"b:KeyDown 32 0", "b:KeyPress 32", "b:Click"};
    QTest::newRow("KeyDown of a letter") << "letter"
                                         << "KeyDown" << QStringList{"b:KeyDown 65 0"};
    QTest::newRow("MouseDown of a double click")
        << "double"
        << "MouseDown"
        << QStringList{"b:MouseDown 1 0 10 10", "b:Click", "b:MouseUp 1 0 10 10",
                       "b:MouseDown 1 0 10 10"};
    QTest::newRow("MouseEnter") << "move"
                                << "MouseEnter" << QStringList{};
}

// A dialog's OK deletes the dialog, and the button with it, from its Click
// handler: the button raises nothing more and touches nothing of itself.
// (Memory errors here show under the sanitizer build.)
void TestVelbutton::handlerMayDeleteButton()
{
    QFETCH(QString, input);
    QFETCH(QString, signal);
    QFETCH(QStringList, events);
    velbutton* b = make("b");
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    b->setFocus();
    QPointer<velbutton> alive(b);
    auto kill = [b] { delete b; };
    if (signal == "Click")
        connect(b, &velbutton::Click, this, kill);
    else if (signal == "KeyDown")
        connect(b, &velbutton::KeyDown, this, kill);
    else if (signal == "MouseEnter")
        connect(b, &velbutton::MouseEnter, this, kill);
    else // the second press's MouseDown
        connect(b, &velbutton::MouseDown, this, [this, kill] {
            if (m_log->lines.size() > 1)
                kill();
        });
    const QPoint p(10, 10);
    if (input == "mouse") {
        QTest::mousePress(b, Qt::LeftButton, {}, p);
        QTest::mouseRelease(b, Qt::LeftButton, {}, p);
    } else if (input == "enter") {
        QTest::keyPress(b, Qt::Key_Return); // no release: the button is gone
    } else if (input == "space") {
        QTest::keyPress(b, Qt::Key_Space);
        QTest::keyRelease(b, Qt::Key_Space);
    } else if (input == "letter") {
        QTest::keyPress(b, Qt::Key_A);
    } else if (input == "double") {
        QTest::mousePress(b, Qt::LeftButton, {}, p);
        QTest::mouseRelease(b, Qt::LeftButton, {}, p);
        QTest::mouseDClick(b, Qt::LeftButton, {}, p);
        QTest::mouseRelease(m_window, Qt::LeftButton, {}, QPoint(300, 200)); // let go elsewhere
    } else {
        QTest::mouseMove(m_window, QPoint(300, 200));
        QTest::mouseMove(b, p);
    }
    QTRY_VERIFY(alive.isNull());
    QCOMPARE(m_log->lines, events);
    QVERIFY(m_window->isVisible()); // the window lives on
}

// Keys the button has no use for go on to its window: Escape to a dialog,
// Alt+F4 to the frame; the button still reports them as KeyDown.
void TestVelbutton::otherKeysReachTheWindow()
{
    QDialog dialog;
    auto* inDialog = new velbutton(&dialog, "inDialog");
    inDialog->setGeometry(10, 10, 100, 30);
    m_log->watch(inDialog);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    inDialog->setFocus();
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QTest::keyClick(inDialog, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(m_log->lines.contains("inDialog:KeyDown 27 0"));

    QWidget host;
    host.resize(300, 200);
    auto* frame = new velForms(&host);
    auto* inFrame = new velbutton(frame, "inFrame");
    inFrame->setGeometry(20, 60, 100, 30);
    host.show();
    host.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    inFrame->setFocus();
    QTest::keyClick(inFrame, Qt::Key_F4, Qt::AltModifier);
    QTRY_VERIFY(!host.isVisible());
}

void TestVelbutton::defaultLookFollowsFocus()
{
    velbutton* ok = make("ok");
    velbutton* other = make("other");
    ok->setButtonStyle(ButtonStyleKind(0));
    ok->setDefault(true);
    auto* edit = new QWidget(m_window);
    edit->setFocusPolicy(Qt::StrongFocus);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    // Style 0 draws the default look as a black outline (right edge, x = w - 1).
    QCOMPARE(FromQRgb(ok->surface().pixel(99, 5)), RGB(0, 0, 0));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(FromQRgb(ok->surface().pixel(99, 5)), RGB(1, 2, 3)); // the plain raised edge
    edit->setFocus();
    QTRY_COMPARE(FromQRgb(ok->surface().pixel(99, 5)), RGB(0, 0, 0));
}

QTEST_MAIN(TestVelbutton)
#include "TestVelbutton.moc"
