#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace tarvex;

// Stands in for the desktop's opener.
class UrlRecorder final : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

// velbutton: its look's rules, the pointer, the keys, the window's keys and the menu.
class TestVelbutton final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->resize(400, 300);
        m_window->move(100, 100);
        m_clicks.clear();
    }

    void cleanup() { delete m_window; }

    void clickRules_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("checked");
        QTest::newRow("inside") << 0 << QPoint(50, 15) << 1 << false;
        QTest::newRow("at x = 0") << 0 << QPoint(0, 15) << 1 << false;
        QTest::newRow("outside") << 0 << QPoint(150, 15) << 0 << false;
        QTest::newRow("at x = width") << 0 << QPoint(100, 15) << 0 << false;
        QTest::newRow("check mode toggles") << 1 << QPoint(50, 15) << 1 << true;
        QTest::newRow("check mode, let go outside") << 1 << QPoint(150, 15) << 0 << false;
        QTest::newRow("option mode checks") << 2 << QPoint(50, 15) << 1 << true;
    }

    // A click is a left press and a release inside; it is drawn down in between and normal after.
    void clickRules()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        QFETCH(bool, checked);
        velbutton* b = make("b");
        b->setMode(ButtonMode(mode));
        showExposed();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::mouseRelease(b, Qt::LeftButton, {}, release);
        QCOMPARE(m_clicks.size(), clicks);
        QCOMPARE(b->isChecked(), checked);
        QCOMPARE(b->state(), ButtonState::Normal);
        QTest::mouseClick(b, Qt::RightButton, {}, QPoint(50, 15)); // other buttons do nothing
        QCOMPARE(m_clicks.size(), clicks);
    }

    void checkedShowsTheDownPicture_data()
    {
        QTest::addColumn<int>("style");
        // Styles 0 and 6 draw a checked button with a look of their own, not pressed.
        for (int style : {0, 3, 6})
            QTest::addRow("style %d", style) << style;
    }

    // A checked toggle button shows its pressed picture once the pointer has left it.
    void checkedShowsTheDownPicture()
    {
        QFETCH(int, style);
        const auto filled = [](QColor colour) {
            QImage picture(16, 16, QImage::Format_ARGB32);
            picture.fill(colour);
            return picture;
        };
        velbutton* b = make("b");
        b->setButtonStyle(ButtonStyleKind(style));
        b->setMode(ButtonMode::Check);
        b->setPictureAlign(PicturePosition::Center);
        b->setPictureNormal(filled(Qt::red));
        b->setPictureDown(filled(Qt::blue));
        showExposed();
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        QTest::mouseMove(m_window, QPoint(300, 200));
        QTRY_COMPARE(b->state(), ButtonState::Normal);
        QVERIFY(b->isChecked());
        QCOMPARE(b->grab().toImage().pixelColor(b->rect().center()), QColor(Qt::blue));
    }

    void pointerTracking()
    {
        velbutton* b = make("b");
        showExposed();
        QSignalSpy moves(b, &velbutton::pointerMoved);
        QTest::mouseMove(b, QPoint(10, 10));
        QTest::mouseMove(b, QPoint(12, 10));
        QCOMPARE(b->state(), ButtonState::Hot);
        QCOMPARE(moves.count(), 2); // raised on every move over the button
        QTest::mouseMove(m_window, QPoint(300, 200));
        QTRY_COMPARE(b->state(), ButtonState::Normal);
        b->resize(5, 8);
        QCOMPARE(b->size(), QSize(15, 15)); // no smaller than 220 twips
    }

    void spaceClicksWherever()
    {
        velbutton* b = make("b");
        showActive();
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
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("accepted");
        const int space = Qt::Key_Space, enter = Qt::Key_Return;
        QTest::newRow("Enter, held: clicks again") << 0 << enter << 0 << 2 << false << true;
        QTest::newRow("Space") << 0 << space << 0 << 1 << false << true;
        QTest::newRow("Alt+Space: the window menu's")
            << 0 << space << int(Qt::AltModifier) << 0 << false << false;
        QTest::newRow("a letter goes on") << 0 << int(Qt::Key_A) << 0 << 0 << false << false;
        QTest::newRow("F5 goes on") << 0 << int(Qt::Key_F5) << 0 << 0 << false << false;
        QTest::newRow("check mode: Space toggles") << 1 << space << 0 << 1 << true << true;
        QTest::newRow("option mode: Space checks") << 2 << space << 0 << 1 << true << true;
    }

    // The keys of the focused button: a press and its release, as the keyboard sends them.
    void focusedButtonKeys()
    {
        QFETCH(int, mode);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, clicks);
        QFETCH(bool, checked);
        QFETCH(bool, accepted);
        velbutton* b = make("b");
        b->setMode(ButtonMode(mode));
        showActive();
        b->setFocus();
        const auto mods = Qt::KeyboardModifiers(modifiers);
        const QString text = key == Qt::Key_A ? "a" : key == Qt::Key_Space ? " " : "";
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QKeyEvent repeat(QEvent::KeyPress, key, mods, text, true);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(b, &press);
        QCOMPARE(press.isAccepted(), accepted);
        QApplication::sendEvent(b, &repeat); // a held key repeats its press
        QApplication::sendEvent(b, &release);
        QCOMPARE(m_clicks.size(), clicks);
        QCOMPARE(b->isChecked(), checked);
    }

    void optionGroupPerContainer()
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
        }
        velbutton* other = make("other", right);
        other->setMode(ButtonMode::Option);
        other->setChecked(true);
        group[0]->setChecked(true);
        showExposed();
        QTest::mouseClick(group[1], Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!group[0]->isChecked());
        QVERIFY(group[1]->isChecked());
        QVERIFY(!group[2]->isChecked());
        QVERIFY(other->isChecked());
    }

    void windowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QStringList>("clicks");
        const int alt = Qt::AltModifier, s = Qt::Key_S;
        QTest::newRow("Alt+access key") << s << alt << 0 << true << QStringList{"save"};
        QTest::newRow("Enter: default button")
            << int(Qt::Key_Return) << 0 << 0 << true << QStringList{"ok"};
        QTest::newRow("keypad Enter: default button")
            << int(Qt::Key_Enter) << 0 << 0 << true << QStringList{"ok"};
        QTest::newRow("Escape: cancel button")
            << int(Qt::Key_Escape) << 0 << 0 << true << QStringList{"cancel"};
        QTest::newRow("plain letter: nothing") << s << 0 << 0 << true << QStringList{};
        QTest::newRow("check mode: the access key toggles")
            << s << alt << 1 << true << QStringList{"save"};
        QTest::newRow("check mode: no default button")
            << int(Qt::Key_Return) << 0 << 1 << true << QStringList{};
        QTest::newRow("option mode: no cancel button")
            << int(Qt::Key_Escape) << 0 << 2 << true << QStringList{};
        QTest::newRow("disabled: nothing") << s << alt << 0 << false << QStringList{};
        QTest::newRow("disabled default: nothing")
            << int(Qt::Key_Return) << 0 << 0 << false << QStringList{};
    }

    // The window's keys, with the focus elsewhere in the window, click at once.
    void windowKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        QFETCH(QStringList, clicks);
        QList<velbutton*> buttons{make("save"), make("ok"), make("cancel")};
        buttons[0]->setCaption("&Save");
        buttons[1]->setDefault(true);
        buttons[2]->setCancel(true);
        for (velbutton* b : buttons) {
            b->setMode(ButtonMode(mode));
            b->setEnabled(enabled);
        }
        auto* edit = new QWidget(m_window);
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->setGeometry(20, 100, 100, 20);
        showActive();
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
        showExposed();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(shown, 1);
        // The press that closed the menu reaches the button: it opens nothing.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(shown, 1);
        QCOMPARE(b->state(), ButtonState::Normal);
        // The next press opens it again; no click with a menu.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(shown, 2);
        QCOMPARE(m_clicks, QStringList());
        b->UnsetPopupMenu();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15));
        QCOMPARE(shown, 2);
        QCOMPARE(m_clicks, QStringList{"b"});
    }

    void menuAnchors_data()
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

    void menuAnchors()
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
        showExposed();
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

    void openWebsiteUsesOpener()
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

    void focusAndActivation_data()
    {
        QTest::addColumn<bool>("shownLater");
        QTest::newRow("panel shown with the window") << false;
        QTest::newRow("panel shown in the active window") << true;
    }

    // A button in a panel of a window: focus changes its pixels, the arrow keys move it on.
    void focusAndActivation()
    {
        QFETCH(bool, shownLater);
        auto* panel = new QWidget(m_window);
        panel->setGeometry(m_window->rect());
        velbutton* b = make("b", panel);
        velbutton* next = make("next", panel);
        next->move(20, 60);
        for (velbutton* button : {b, next})
            button->setButtonStyle(ButtonStyleKind(3));
        panel->setVisible(!shownLater);
        showActive();
        panel->show();
        next->setFocus();
        QTRY_VERIFY(next->hasFocus());
        const QImage unfocused = b->grab().toImage();
        b->setFocus();
        QTRY_VERIFY(b->hasFocus());
        QVERIFY2(b->grab().toImage() != unfocused, "the focus does not show");
        // Arrow keys move the focus on.
        QTest::keyClick(b, Qt::Key_Right);
        QTRY_VERIFY(next->hasFocus());
        QTest::keyClick(next, Qt::Key_Left);
        QTRY_VERIFY(b->hasFocus());
    }

    void doubleClickClicksTwice()
    {
        velbutton* b = make("b");
        showExposed();
        const QPoint p(10, 10);
        // Press, release, double click (the second press), release.
        QTest::mousePress(b, Qt::LeftButton, {}, p);
        QTest::mouseRelease(b, Qt::LeftButton, {}, p);
        QTest::mouseDClick(b, Qt::LeftButton, {}, p);
        QCOMPARE(b->state(), ButtonState::Down);
        QTest::mouseRelease(b, Qt::LeftButton, {}, p);
        QCOMPARE(m_clicks, (QStringList{"b", "b"}));
        QTest::mouseDClick(b, Qt::RightButton, {}, p);
        QTest::mouseRelease(b, Qt::RightButton, {}, p);
        QCOMPARE(m_clicks.size(), 2);
    }

    void handlerMayDeleteButton_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("click by mouse") << "mouse";
        QTest::newRow("click by Enter") << "enter";
        QTest::newRow("click by Space") << "space";
        QTest::newRow("click by the default key") << "default";
        QTest::newRow("second click of a double click") << "double";
        QTest::newRow("pointer moved") << "move";
    }

    // A click handler that deletes the button: the button touches nothing of itself afterwards.
    void handlerMayDeleteButton()
    {
        QFETCH(QString, input);
        velbutton* b = make("b");
        b->setDefault(input == "default");
        m_window->setFocusPolicy(Qt::StrongFocus);
        showActive();
        if (input == "default")
            m_window->setFocus(); // the focus elsewhere in the window
        else
            b->setFocus();
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
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        inDialog->setFocus();
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::keyClick(inDialog, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
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

    // The default button's outline goes to whichever push button holds the focus, and comes back.
    void defaultLookFollowsFocus()
    {
        velbutton* ok = make("ok");
        velbutton* other = make("other");
        ok->setButtonStyle(ButtonStyleKind::Standard);
        ok->setDefault(true);
        auto* edit = new QWidget(m_window);
        edit->setFocusPolicy(Qt::StrongFocus);
        showActive();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        const QImage asDefault = ok->grab().toImage();
        other->setFocus();
        QTRY_VERIFY(ok->grab().toImage() != asDefault);
        edit->setFocus();
        QTRY_COMPARE(ok->grab().toImage(), asDefault);
    }

private:
    // A 100 x 30 button named name, in a row on the window (or at the top left of parent).
    velbutton* make(const QString& name, QWidget* parent = nullptr)
    {
        auto* b = new velbutton(parent ? parent : m_window, name);
        b->setGeometry(20 + 110 * (parent ? 0 : m_window->findChildren<velbutton*>().size() - 1),
                       20, 100, 30);
        connect(b, &velbutton::clicked, this, [this, name] { m_clicks << name; });
        return b;
    }

    void showExposed()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void showActive()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    QWidget* m_window = nullptr;
    QStringList m_clicks;
};

QTEST_MAIN(TestVelbutton)
#include "TestVelbutton.moc"
