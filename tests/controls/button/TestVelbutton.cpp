#include "controls/button/ButtonContent.h"
#include "controls/button/velbutton.h"

#include <QDesktopServices>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QtTest>

using namespace tarvex;

class TestVelbutton final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new QWidget;
        m_window->setGeometry(100, 100, 400, 300);
        m_clicks.clear(), m_paints = 0;
    }
    void cleanup() { delete m_window; }

    // A click is a left press and a release inside; it is drawn down in between and normal after.
    void clickRules()
    {
        using Row = std::tuple<int, int, int, bool>;
        for (auto [mode, releaseX, clicks, checked] :
             {Row{0, 50, 1, false}, Row{0, 100, 0, false}, Row{1, 50, 1, true}}) {
            cleanup(), init();
            velbutton* b = make("b");
            b->setMode(ButtonMode(mode));
            showActive();
            QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
            QCOMPARE(b->state(), ButtonState::Down);
            QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(releaseX, 15));
            QCOMPARE(std::tuple(m_clicks.size(), b->isChecked(), b->state()),
                     std::tuple(clicks, checked, ButtonState::Normal));
        }
    }

    // A double click clicks twice; a handler may delete the button on the second click.
    void doubleClick()
    {
        velbutton* b = make("b");
        showActive();
        QPointer<velbutton> alive(b);
        connect(b, &velbutton::clicked, this, [&] {
            if (m_clicks.size() == 2)
                delete b;
        });
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_VERIFY(alive.isNull());
        QCOMPARE(m_clicks, (QStringList{"b", "b"}));
    }

    // The keys of the focused button: a press, a repeat and the release, as the keyboard sends.
    void focusedButtonKeys()
    {
        using Row = std::tuple<int, int, int, int, bool, bool>;
        const int space = Qt::Key_Space, alt = Qt::AltModifier;
        for (auto [mode, key, modifiers, clicks, checked, accepted] :
             {Row{0, Qt::Key_Return, 0, 2, false, true}, Row{0, space, alt, 0, false, false},
              Row{0, Qt::Key_A, 0, 0, false, false}, Row{1, space, 0, 1, true, true}}) {
            cleanup(), init();
            velbutton* b = make("b");
            b->setMode(ButtonMode(mode));
            showActive();
            b->setFocus();
            const auto mods = Qt::KeyboardModifiers(modifiers);
            const QString text = key == Qt::Key_A ? "a" : key == space ? " " : "";
            QKeyEvent press(QEvent::KeyPress, key, mods, text);
            QKeyEvent repeat(QEvent::KeyPress, key, mods, text, true);
            QKeyEvent release(QEvent::KeyRelease, key, mods, text);
            QApplication::sendEvent(b, &press);
            QCOMPARE(press.isAccepted(), accepted);
            QApplication::sendEvent(b, &repeat);
            QApplication::sendEvent(b, &release);
            QCOMPARE(std::tuple(int(m_clicks.size()), b->isChecked()), std::tuple(clicks, checked));
        }
    }

    // The window's keys, with the focus elsewhere in the window, click at once.
    void windowKeys()
    {
        using Row = std::tuple<int, int, int, bool, QStringList>;
        const int s = Qt::Key_S, alt = Qt::AltModifier, ret = Qt::Key_Return;
        for (const Row& r : {Row{s, alt, 0, true, {"save"}}, Row{ret, 0, 0, true, {"ok"}},
                             Row{Qt::Key_Escape, 0, 0, true, {"cancel"}}, Row{s, 0, 0, true, {}},
                             Row{ret, 0, 1, true, {}}, Row{s, alt, 0, false, {}}}) {
            const auto& [key, modifiers, mode, enabled, clicks] = r;
            cleanup(), init();
            QList<velbutton*> buttons{make("save"), make("ok"), make("cancel")};
            buttons[0]->setCaption("&Save");
            buttons[1]->setDefault(true);
            buttons[2]->setCancel(true);
            for (velbutton* b : buttons)
                b->setMode(ButtonMode(mode)), b->setEnabled(enabled);
            auto* edit = new QWidget(m_window);
            edit->setFocusPolicy(Qt::StrongFocus);
            showActive();
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            QCOMPARE(m_clicks, clicks);
            QCOMPARE(buttons[0]->isChecked(), mode == 1 && !clicks.isEmpty());
            QVERIFY(edit->hasFocus());
        }
    }

    // Pressed or checked shows the pressed picture, else the hot one, else the normal one; under
    // the pointer the hot one where there is one.
    void pictureForEachState()
    {
        const QRgb normal = qRgb(1, 0, 0), hot = qRgb(2, 0, 0), down = qRgb(3, 0, 0);
        const auto image = [](QRgb colour) {
            QImage picture(1, 1, QImage::Format_RGB32);
            picture.fill(colour);
            return picture;
        };
        ButtonProperties p;
        const auto shown = [&p](ButtonState state, bool checked) {
            return ButtonContent::PictureFor(p, state, checked).pixel(0, 0);
        };
        p.PictureNormal = image(normal);
        p.PictureHot = image(hot);
        QCOMPARE((QList<QRgb>{shown(ButtonState::Normal, false), shown(ButtonState::Hot, false),
                              shown(ButtonState::Normal, true)}),
                 (QList<QRgb>{normal, hot, hot}));
        p.PictureHot = {};
        p.PictureDown = image(down);
        QCOMPARE((QList<QRgb>{shown(ButtonState::Hot, false), shown(ButtonState::Down, false)}),
                 (QList<QRgb>{normal, down}));
    }
    void menuOpensInsteadOfClicking()
    {
        velbutton* b = make("b");
        QMenu menu;
        QAction* one = menu.addAction("One");
        int shown = 0;
        QList<QAction*> defaults; // the item shown in bold, at each opening
        connect(&menu, &QMenu::aboutToShow, this, [&] {
            ++shown;
            defaults << menu.defaultAction();
            // The user clicks the button again: the pointer is over it as the menu closes.
            QTimer::singleShot(0, &menu, [&] {
                QCursor::setPos(b->mapToGlobal(QPoint(50, 15)));
                menu.close();
            });
        });
        b->SetPopupMenu(&menu, 0, 0, one);
        showActive();
        const auto click = [b] { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(50, 15)); };
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(50, 15));
        click(); // the press that closed the menu reaches the button: it opens nothing
        QCOMPARE(std::tuple(shown, b->state()), std::tuple(1, ButtonState::Normal));
        click();
        QCOMPARE(std::tuple(shown, m_clicks, defaults),
                 std::tuple(2, QStringList(), QList<QAction*>(2, one)));
        b->UnsetPopupMenu();
        click();
        QCOMPARE(std::tuple(shown, m_clicks), std::tuple(2, QStringList{"b"}));
    }

    // Where the menu opens: a corner of it (right, above) on a corner of the button (right,
    // bottom); align 8: no menu.
    void menuAnchors()
    {
        using Row = std::tuple<int, int, int, int, int>;
        for (auto [align, left, above, right, bottom] :
             {Row{0, 0, 0, 0, 1}, Row{1, 0, 1, 0, 0}, Row{2, 1, 0, 0, 0}, Row{3, 0, 0, 1, 0},
              Row{4, 1, 1, 0, 0}, Row{5, 1, 0, 0, 1}, Row{6, 0, 1, 1, 0}, Row{7, 0, 0, 1, 1},
              Row{8, 0, 0, 0, 0}}) {
            cleanup(), init();
            velbutton* b = make("b");
            b->move(150, 120);
            QMenu menu;
            menu.addAction("First item");
            QRect seen;
            connect(&menu, &QMenu::aboutToShow, this, [&] {
                QTimer::singleShot(0, &menu, [&] { seen = menu.geometry(), menu.close(); });
            });
            b->SetPopupMenu(&menu, align);
            showActive();
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
            if (align == 8)
                QVERIFY(seen.isNull());
            else
                QCOMPARE(seen.topLeft() + QPoint(left * seen.width(), above * seen.height()),
                         b->mapToGlobal(QPoint(right * b->width(), bottom * b->height())));
        }
    }

    void openWebsiteUsesOpener()
    {
        QDesktopServices::setUrlHandler("https", this, "open"); // stands in for the desktop's
        QVERIFY(velbutton().OpenWebsite("https://example.org/a b;rm -rf"));
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_opened, QList<QUrl>{QUrl("https://example.org/a b;rm -rf")});
    }

    // Keys the button has no use for go on to its window: Escape to a dialog.
    void otherKeysReachTheWindow()
    {
        QDialog dialog;
        auto* inDialog = new velbutton(&dialog, "inDialog");
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        inDialog->setFocus();
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        QTest::keyClick(inDialog, Qt::Key_Escape);
        QCOMPARE(rejected.count(), 1);
    }

    // The default button's outline goes to whichever push button holds the focus, and comes back.
    void defaultLookFollowsFocus()
    {
        velbutton* ok = make("ok");
        velbutton* other = make("other");
        ok->setButtonStyle(ButtonStyleKind::Standard);
        ok->setDefault(true);
        auto* edit = new QWidget(m_window);
        edit->setGeometry(0, 200, 10, 10); // apart, so its own redraw covers no button
        edit->setFocusPolicy(Qt::StrongFocus);
        showActive();
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        const QImage asDefault = ok->grab().toImage();
        ok->installEventFilter(this);
        QCoreApplication::processEvents(); // the paints due so far
        m_paints = 0;
        other->setFocus();
        QTRY_VERIFY(m_paints > 0); // redrawn of itself
        QTRY_VERIFY(ok->grab().toImage() != asDefault);
        QTest::keyClick(other, Qt::Key_Return); // the focused button's, not the window's
        QCOMPARE(m_clicks, QStringList{"other"});
        edit->setFocus();
        QTRY_COMPARE(ok->grab().toImage(), asDefault);
    }

    // Pointer motion is the button's own: reported, never handed on to the window.
    void pointerMotionStaysWithTheButton()
    {
        velbutton* b = make("b");
        m_window->setMouseTracking(true);
        showActive();
        QSignalSpy moved(b, &velbutton::pointerMoved);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), b->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, {}, {});
        QVERIFY(QApplication::sendEvent(b, &move) && move.isAccepted());
        QCOMPARE(moved.count(), 1);
    }

    // A change of the window's activation redraws the button.
    void activationChangeRepaints()
    {
        velbutton* b = make("b");
        QPalette alike = b->palette(); // active and inactive alike: Qt itself repaints none
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            alike.setBrush(QPalette::Inactive, QPalette::ColorRole(role),
                           alike.brush(QPalette::Active, QPalette::ColorRole(role)));
        b->setPalette(alike);
        b->installEventFilter(this);
        showActive();
        QTRY_VERIFY(m_paints > 0);
        QCoreApplication::processEvents();
        m_paints = 0;
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(b, &deactivate);
        QTRY_VERIFY(m_paints > 0);
    }

private:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_paints += event->type() == QEvent::Paint;
        return false;
    }
    velbutton* make(const QString& name)
    {
        auto* b = new velbutton(m_window, name);
        b->setGeometry(20 + 110 * (m_window->findChildren<velbutton*>().size() - 1), 20, 100, 30);
        connect(b, &velbutton::clicked, this, [this, name] { m_clicks << name; });
        return b;
    }
    void showActive()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    QWidget* m_window = nullptr;
    QStringList m_clicks;
    int m_paints = 0;
    QList<QUrl> m_opened;

public slots:
    void open(const QUrl& url) { m_opened << url; }
};

QTEST_MAIN(TestVelbutton)
#include "TestVelbutton.moc"
