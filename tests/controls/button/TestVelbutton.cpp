#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "tests/controls/Rows.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

// velbutton: its look's rules, the pointer, the keys, the window's keys and the menu.
class TestVelbutton final : public QObject
{
    Q_OBJECT
    using Flag = std::tuple<const char*, bool>;
    using Click = std::tuple<const char*, int, int, int, bool>; // mode, release x, clicks, checked
    // mode, key, modifiers, clicks, checked, press accepted
    using Key = std::tuple<const char*, int, int, int, int, bool, bool>;
    // key, modifiers, mode, enabled, the buttons clicked
    using WindowKey = std::tuple<const char*, int, int, int, bool, QStringList>;
    // align; the anchor on the button and the corner of the menu on it, in widths and heights
    using Anchor = std::tuple<const char*, int, int, int, int, int>;

public slots:
    // Stands in for the desktop's opener.
    void open(const QUrl& url) { m_opened << url; }

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setGeometry(100, 100, 400, 300);
        m_clicks.clear();
    }
    void cleanup() { delete m_window; }
    void clickRules_data()
    {
        AddRows<Click>({{"inside", 0, 50, 1, false},
                        {"at x = 0", 0, 0, 1, false},
                        {"outside", 0, 150, 0, false},
                        {"at x = width", 0, 100, 0, false},
                        {"check mode toggles", 1, 50, 1, true},
                        {"check mode, let go outside", 1, 150, 0, false},
                        {"option mode checks", 2, 50, 1, true}});
    }
    // A click is a left press and a release inside; it is drawn down in between and normal after.
    void clickRules()
    {
        const auto [row, mode, x, clicks, checked] = CurrentRow<Click>();
        velbutton* b = make("b", mode);
        show();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(x, 15));
        QCOMPARE(std::tuple(m_clicks.size(), b->isChecked(), b->state()),
                 std::tuple(qsizetype(clicks), checked, ButtonState::Normal));
        QTest::mouseClick(b, Qt::RightButton, {}, QPoint(50, 15)); // other buttons do nothing
        QCOMPARE(m_clicks.size(), clicks);
    }
    // A checked toggle button shows its pressed picture once the pointer has left it (styles 0
    // and 6 draw a checked button with a look of their own, not pressed).
    void checkedShowsTheDownPicture()
    {
        QImage red(16, 16, QImage::Format_ARGB32), blue = red;
        red.fill(Qt::red);
        blue.fill(Qt::blue);
        for (int style : {0, 3, 6}) {
            velbutton* b = make(QString::number(style));
            b->setButtonStyle(ButtonStyleKind(style));
            b->setMode(ButtonMode::Check);
            b->setPictureAlign(PicturePosition::Center);
            b->setPictureNormal(red);
            b->setPictureDown(blue);
            show();
            QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
            QTest::mouseMove(m_window, QPoint(300, 200));
            QTRY_COMPARE(b->state(), ButtonState::Normal);
            QVERIFY(b->isChecked());
            QCOMPARE(b->grab().toImage().pixelColor(b->rect().center()), QColor(Qt::blue));
        }
    }
    void pointerTrackingAndDoubleClick()
    {
        velbutton* b = make("b");
        show();
        QSignalSpy moves(b, &velbutton::pointerMoved);
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(12, 10));
        // Raised on every move over the button.
        QCOMPARE(std::tuple(b->state(), moves.count()), std::tuple(ButtonState::Hot, qsizetype(2)));
        QTest::mouseMove(m_window, QPoint(300, 200));
        QTRY_COMPARE(b->state(), ButtonState::Normal);
        // Click, then double click (the second press): a click on each release.
        const QPoint p(10, 10);
        QTest::mouseClick(b, Qt::LeftButton, {}, p);
        QTest::mouseDClick(b, Qt::LeftButton, {}, p);
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::mouseRelease(b, Qt::LeftButton, {}, p);
        QCOMPARE(m_clicks, (QStringList{"b", "b"}));
        QTest::mouseDClick(b, Qt::RightButton, {}, p);
        QTest::mouseRelease(b, Qt::RightButton, {}, p);
        QCOMPARE(m_clicks.size(), 2);
        b->resize(5, 8);
        QCOMPARE(b->size(), QSize(15, 15)); // no smaller than 220 twips
    }
    void spaceClicksWherever()
    {
        velbutton* b = make("b");
        show(true);
        b->setFocus();
        QTest::keyPress(b, Qt::Key_Space);
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::mouseMove(m_window, QPoint(300, 200)); // the pointer wanders off
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::keyRelease(b, Qt::Key_Space);
        QCOMPARE(m_clicks, QStringList{"b"});
        QCOMPARE(b->state(), ButtonState::Normal);
    }
    void focusedButtonKeys_data()
    {
        const int space = Qt::Key_Space, enter = Qt::Key_Return, alt = Qt::AltModifier;
        AddRows<Key>({{"Enter, held: clicks again", 0, enter, 0, 2, false, true},
                      {"Space", 0, space, 0, 1, false, true},
                      {"Alt+Space: the window menu's", 0, space, alt, 0, false, false},
                      {"a letter goes on", 0, Qt::Key_A, 0, 0, false, false},
                      {"F5 goes on", 0, Qt::Key_F5, 0, 0, false, false},
                      {"check mode: Space toggles", 1, space, 0, 1, true, true},
                      {"option mode: Space checks", 2, space, 0, 1, true, true}});
    }
    // The keys of the focused button: a press, its repeat and its release, as the keyboard sends.
    void focusedButtonKeys()
    {
        const auto [row, mode, key, modifiers, clicks, checked, accepted] = CurrentRow<Key>();
        velbutton* b = make("b", mode);
        show(true);
        b->setFocus();
        const auto mods = Qt::KeyboardModifiers(modifiers);
        const QString text = key == Qt::Key_A ? "a" : key == Qt::Key_Space ? " " : "";
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QKeyEvent repeat(QEvent::KeyPress, key, mods, text, true);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(b, &press);
        QCOMPARE(press.isAccepted(), accepted);
        QApplication::sendEvent(b, &repeat);
        QApplication::sendEvent(b, &release);
        QCOMPARE(std::tuple(m_clicks.size(), b->isChecked()),
                 std::tuple(qsizetype(clicks), checked));
    }
    void optionGroupPerContainer()
    {
        auto* left = new QWidget(m_window);
        auto* right = new QWidget(m_window);
        left->setGeometry(0, 0, 200, 300);
        right->setGeometry(200, 0, 200, 300);
        QList<velbutton*> buttons;
        for (int i = 0; i < 3; ++i) {
            buttons << make(QStringLiteral("o%1").arg(i), 2, left);
            buttons.last()->move(10, 10 + 40 * i);
        }
        buttons << make("other", 2, right);
        buttons[3]->setChecked(true);
        buttons[0]->setChecked(true);
        show();
        QTest::mouseClick(buttons[1], Qt::LeftButton, {}, QPoint(5, 5));
        QList<bool> checked;
        for (velbutton* b : buttons)
            checked << b->isChecked();
        QCOMPARE(checked, (QList<bool>{false, true, false, true}));
    }
    void windowKeys_data()
    {
        const int alt = Qt::AltModifier, s = Qt::Key_S, enter = Qt::Key_Return;
        AddRows<WindowKey>({{"Alt+access key", s, alt, 0, true, {"save"}},
                            {"Enter: default button", enter, 0, 0, true, {"ok"}},
                            {"keypad Enter: default button", Qt::Key_Enter, 0, 0, true, {"ok"}},
                            {"Escape: cancel button", Qt::Key_Escape, 0, 0, true, {"cancel"}},
                            {"plain letter: nothing", s, 0, 0, true, {}},
                            {"check mode: the access key toggles", s, alt, 1, true, {"save"}},
                            {"check mode: no default button", enter, 0, 1, true, {}},
                            {"option mode: no cancel button", Qt::Key_Escape, 0, 2, true, {}},
                            {"disabled: nothing", s, alt, 0, false, {}},
                            {"disabled default: nothing", enter, 0, 0, false, {}}});
    }
    // The window's keys, with the focus elsewhere in the window, click at once.
    void windowKeys()
    {
        const auto [row, key, modifiers, mode, enabled, clicks] = CurrentRow<WindowKey>();
        QList<velbutton*> buttons{make("save", mode), make("ok", mode), make("cancel", mode)};
        buttons[0]->setCaption("&Save");
        buttons[1]->setDefault(true);
        buttons[2]->setCancel(true);
        for (velbutton* b : buttons)
            b->setEnabled(enabled);
        auto* edit = new QWidget(m_window);
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->setGeometry(20, 100, 100, 20);
        show(true);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_clicks, clicks);
        QCOMPARE(buttons[0]->isChecked(), mode == 1 && !clicks.isEmpty());
        QVERIFY(edit->hasFocus());
        // A focused button takes Enter itself, whatever the default button.
        if (key == Qt::Key_Return && mode == 0 && enabled) {
            buttons[0]->setFocus();
            QTest::keyClick(buttons[0], Qt::Key_Return);
            QCOMPARE(m_clicks, (QStringList{"ok", "save"}));
        }
    }
    void menuOpensInsteadOfClicking()
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
        show();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(shown, 1);
        // The press that closed the menu reaches the button: it opens nothing.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(std::tuple(shown, b->state()), std::tuple(1, ButtonState::Normal));
        // The next press opens it again; no click with a menu.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(std::tuple(shown, m_clicks), std::tuple(2, QStringList()));
        b->UnsetPopupMenu();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(std::tuple(shown, m_clicks), std::tuple(2, QStringList{"b"}));
    }
    void menuAnchors_data()
    {
        AddRows<Anchor>({{"0 below left", 0, 0, 1, 0, 0},
                         {"1 above left", 1, 0, 0, 0, 1},
                         {"2 left of top", 2, 0, 0, 1, 0},
                         {"3 right of top", 3, 1, 0, 0, 0},
                         {"4 above, to the left", 4, 0, 0, 1, 1},
                         {"5 left of bottom", 5, 0, 1, 1, 0},
                         {"6 above right", 6, 1, 0, 0, 1},
                         {"7 below right", 7, 1, 1, 0, 0},
                         {"8 no menu", 8, 0, 0, 0, 0}});
    }
    void menuAnchors()
    {
        const auto [row, align, ax, ay, cx, cy] = CurrentRow<Anchor>();
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
        show();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(seen.isNull(), align == 8);
        if (align != 8)
            QCOMPARE(seen.topLeft() + QPoint(cx * seen.width(), cy * seen.height()),
                     b->mapToGlobal(QPoint(ax * b->width(), ay * b->height())));
    }
    void openWebsiteUsesOpener()
    {
        QDesktopServices::setUrlHandler("https", this, "open");
        m_opened.clear();
        QVERIFY(velbutton().OpenWebsite("https://example.org/a b;rm -rf"));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE((QStringList{m_opened[0].host(), m_opened[0].path()}),
                 (QStringList{"example.org", "/a b;rm -rf"}));
    }
    void focusAndActivation_data()
    {
        AddRows<Flag>(
            {{"panel shown with the window", false}, {"panel shown in the active window", true}});
    }
    // A button in a panel of a window: focus changes its pixels, the arrow keys move it on.
    void focusAndActivation()
    {
        const auto [row, shownLater] = CurrentRow<Flag>();
        auto* panel = new QWidget(m_window);
        panel->setGeometry(m_window->rect());
        velbutton* b = make("b", -1, panel);
        velbutton* next = make("next", -1, panel);
        next->move(20, 60);
        for (velbutton* button : {b, next})
            button->setButtonStyle(ButtonStyleKind(3));
        panel->setVisible(!shownLater);
        show(true);
        panel->show();
        next->setFocus();
        QTRY_VERIFY(next->hasFocus());
        const QImage unfocused = b->grab().toImage();
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());
        QVERIFY2(b->grab().toImage() != unfocused, "the focus does not show");
        QTest::keyClick(b, Qt::Key_Right);
        QTRY_VERIFY(next->hasFocus());
        QTest::keyClick(next, Qt::Key_Left);
        QTRY_VERIFY(b->hasFocus());
    }
    void handlerMayDeleteButton_data()
    {
        // A click by mouse, Enter, Space, the default key, a double click; a pointer move.
        QTest::addColumn<QString>("input");
        for (const char* input : {"mouse", "enter", "space", "default", "double", "move"})
            QTest::newRow(input) << QString(input);
    }
    // A click handler that deletes the button: the button touches nothing of itself afterwards.
    void handlerMayDeleteButton()
    {
        QFETCH(QString, input);
        velbutton* b = make("b");
        b->setDefault(input == "default");
        m_window->setFocusPolicy(Qt::StrongFocus);
        show(true);
        (input == "default" ? static_cast<QWidget*>(m_window) : b)->setFocus(); // elsewhere, or b
        QPointer<velbutton> alive(b);
        int clicks = 0;
        connect(b, &velbutton::clicked, this, [&] {
            if (++clicks == (input == "double" ? 2 : 1))
                delete b;
        });
        if (input == "move")
            connect(b, &velbutton::pointerMoved, this, [b] { delete b; });
        const QPoint p(10, 10);
        if (input == "mouse") {
            QTest::mouseClick(b, Qt::LeftButton, {}, p);
        } else if (input == "enter") {
            QTest::keyPress(b, Qt::Key_Return); // no release: the button is gone
        } else if (input == "space") {
            QTest::keyPress(b, Qt::Key_Space);
            QTest::keyRelease(b, Qt::Key_Space);
        } else if (input == "default") {
            QTest::keyClick(m_window, Qt::Key_Return);
        } else if (input == "double") {
            QTest::mouseClick(b, Qt::LeftButton, {}, p);
            QTest::mouseDClick(b, Qt::LeftButton, {}, p);
            QTest::mouseRelease(b, Qt::LeftButton, {}, p);
        } else {
            QTest::mouseMove(m_window, QPoint(300, 200));
            QTest::mouseMove(b, p);
        }
        QTRY_VERIFY(alive.isNull());
        QVERIFY(m_window->isVisible()); // the window lives on
    }
    // Keys the button has no use for go on to its window: Escape to a dialog, Alt+F4 to the frame.
    void otherKeysReachTheWindow()
    {
        QDialog dialog;
        auto* inDialog = new velbutton(&dialog, "inDialog");
        inDialog->setGeometry(10, 10, 100, 30);
        QVERIFY(activate(&dialog));
        inDialog->setFocus();
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::keyClick(inDialog, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
        QWidget host;
        host.resize(300, 200);
        auto* inFrame = new velbutton(new velForms(&host), "inFrame");
        inFrame->setGeometry(20, 60, 100, 30);
        QVERIFY(activate(&host));
        inFrame->setFocus();
        QTest::keyClick(inFrame, Qt::Key_F4, Qt::AltModifier);
        QTRY_VERIFY(!host.isVisible());
    }
    // The default button's outline goes to whichever push button holds the focus, and comes back.
    void defaultLookFollowsFocus()
    {
        velbutton* ok = make("ok");
        velbutton* other = make("other");
        ok->setButtonStyle(ButtonStyleKind::Standard);
        ok->setDefault(true);
        auto* edit = new QWidget(m_window);
        edit->setFocusPolicy(Qt::StrongFocus);
        show(true);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        const QImage asDefault = ok->grab().toImage();
        other->setFocus();
        QTRY_VERIFY(ok->grab().toImage() != asDefault);
        edit->setFocus();
        QTRY_COMPARE(ok->grab().toImage(), asDefault);
    }

private:
    // A 100 x 30 button named name, in a row on the window (or at the top left of parent), in
    // the given mode unless it is -1.
    velbutton* make(const QString& name, int mode = -1, QWidget* parent = nullptr)
    {
        auto* b = new velbutton(parent ? parent : m_window, name);
        b->setGeometry(20 + 110 * (parent ? 0 : m_window->findChildren<velbutton*>().size() - 1),
                       20, 100, 30);
        if (mode >= 0)
            b->setMode(ButtonMode(mode));
        connect(b, &velbutton::clicked, this, [this, name] { m_clicks << name; });
        return b;
    }
    static bool activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    void show(bool active = false)
    {
        m_window->show();
        QVERIFY(active ? activate(m_window) : QTest::qWaitForWindowExposed(m_window));
    }
    QWidget* m_window = nullptr;
    QStringList m_clicks;
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestVelbutton)
#include "TestVelbutton.moc"
