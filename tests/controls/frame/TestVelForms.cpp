#include "FrameFixture.h"

#include "controls/frame/FrameGrip.h"
#include "controls/frame/FrameHostWindow.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/frame/velForms.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWindow>

using namespace tarvex;

namespace {

// A shown 400 x 300 form at (50, 60) with a frame; the small font makes the title bar 31 px.
struct Rig
{
    Form host;
    velForms* frame;

    Rig()
    {
        QFont font = host.font();
        font.setPixelSize(11);
        host.setFont(font);
        host.setGeometry(50, 60, 400, 300);
        frame = new velForms(&host);
        host.show();
        host.setGeometry(50, 60, 400, 300);
    }
    QPoint centreOf(int button) const
    {
        const auto& b = frame->captionButton(button);
        return {b.Left + 9, b.Top + 9};
    }
    void mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent e(type, pos, frame->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(frame, &e);
    }
    void click(const QPoint& pos)
    {
        mouse(QEvent::MouseButtonPress, pos);
        mouse(QEvent::MouseButtonRelease, pos);
    }
    void doubleClick(const QPoint& pos)
    {
        click(pos);
        mouse(QEvent::MouseButtonDblClick, pos);
        mouse(QEvent::MouseButtonRelease, pos);
    }
};

// Stands in for the window manager's resize: records the request, takes the drag or refuses.
struct SystemResizeStandIn
{
    static inline QList<Qt::Edges> asked;
    static inline bool accept = false;
    SystemResizeStandIn(bool accepts)
    {
        asked.clear();
        accept = accepts;
        FrameHostWindow::systemResize = [](QWindow*, Qt::Edges edges) {
            asked << edges;
            return accept;
        };
    }
    ~SystemResizeStandIn() { FrameHostWindow::systemResize = saved; }
    FrameHostWindow::SystemResize saved = FrameHostWindow::systemResize;
};

// Drags grip from `from` (grip coordinates) to `to` (frame coordinates), then moves on.
void dragGrip(velForms* frame, const QString& grip, const QPoint& from, const QPoint& to)
{
    auto* g = frame->findChild<FrameGrip*>(grip);
    QVERIFY(g && g->isVisible());
    QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, g->mapFrom(frame, to),
                     g->mapToGlobal(g->mapFrom(frame, to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(g, &move);
    QTest::mouseRelease(g, Qt::LeftButton, Qt::NoModifier, g->mapFrom(frame, to));
}

} // namespace

class TestVelForms final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    // A frame on a window not shown yet covers it at once, caption buttons at the right.
    void coversItsWindowAtOnce()
    {
        Form host;
        host.resize(300, 200);
        auto* frame = new velForms(&host);
        QCOMPARE(frame->geometry(), host.rect());
        const auto& close = frame->captionButton(CaptionButtons::Close);
        QVERIFY(close.Left > 250 && close.Left + close.Width <= 300);
        QVERIFY(host.windowFlags() & Qt::FramelessWindowHint);
    }

    void maxButtonOffKeepsNormal()
    {
        Rig rig;
        rig.frame->setMaxButton(false);
        QVERIFY(!rig.frame->menuItem(FrameSystemMenu::Maximize)->isVisible());
        const QRect before = rig.host.geometry();
        rig.doubleClick({150, 12});
        QCOMPARE(rig.frame->WindowState(), 0);
        QCOMPARE(rig.host.geometry(), before);
    }

    void closeButton_data()
    {
        QTest::addColumn<int>("releaseOn"); // caption button index, -1 = the title bar
        QTest::addColumn<int>("closeClicks");
        QTest::newRow("press and release on close") << 0 << 1;
        QTest::newRow("release on the title bar") << -1 << 0;
        QTest::newRow("release on maximize") << 1 << 0;
    }

    void closeButton()
    {
        QFETCH(int, releaseOn);
        QFETCH(int, closeClicks);
        Rig rig;
        QSignalSpy clicks(rig.frame, &velForms::closeClicked);
        const QPoint release = releaseOn < 0 ? QPoint(150, 12) : rig.centreOf(releaseOn);
        const auto& close = rig.frame->captionButton(CaptionButtons::Close);
        const auto closeLook = [&] {
            return rig.frame->picture().copy(close.Left, close.Top, close.Width, close.Height);
        };
        const QImage unpressed = closeLook();
        rig.mouse(QEvent::MouseButtonPress, rig.centreOf(0));
        rig.mouse(QEvent::MouseMove, release);
        rig.mouse(QEvent::MouseButtonRelease, release);
        if (closeClicks == 0) // let go elsewhere: drawn up again
            QCOMPARE(closeLook(), unpressed);
        QCOMPARE(clicks.count(), closeClicks);
        QCOMPARE(rig.host.closes, closeClicks);
        QCOMPARE(rig.host.isVisible(), closeClicks == 0);
        QCOMPARE(rig.frame->WindowState(), 0); // releasing on maximize does not maximize
    }

    void closingWithoutCloseClick_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Alt+F4") << "keys" << true << true;
        QTest::newRow("Alt+F4 without a close button") << "keys" << false << false;
        QTest::newRow("menu Close") << "menu" << true << true;
        QTest::newRow("window manager") << "wm" << true << true;
    }

    void closingWithoutCloseClick()
    {
        QFETCH(QString, how);
        QFETCH(bool, closeButton);
        QFETCH(bool, closes);
        Rig rig;
        rig.frame->setCloseButton(closeButton);
        QSignalSpy clicks(rig.frame, &velForms::closeClicked);
        QSignalSpy chosen(rig.frame, &velForms::menuItemChosen);
        if (how == "keys") {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
            QApplication::sendEvent(rig.frame, &key);
        } else if (how == "menu") {
            rig.frame->menuItem(FrameSystemMenu::Close)->trigger();
            QCOMPARE(chosen.count(), 1);
            QCOMPARE(chosen.first().at(0).toInt(), 4);
        } else {
            QCloseEvent e;
            QSpontaneKeyEvent::setSpontaneous(&e);
            qApp->notify(&rig.host, &e);
            QVERIFY(e.isAccepted());
        }
        QCOMPARE(rig.host.closes, closes ? 1 : 0);
        QCOMPARE(clicks.count(), 0);
    }

    void maximizeAndRestore()
    {
        Rig rig;
        const QRect normal = rig.host.geometry();
        const QRect work = rig.host.screen()->availableGeometry();
        QVERIFY(!rig.frame->menuItem(FrameSystemMenu::Restore)->isEnabled());
        rig.click(rig.centreOf(1));
        QCOMPARE(rig.frame->WindowState(), 2);
        QCOMPARE(rig.host.geometry(), work);
        QCOMPARE(rig.frame->geometry(), QRect(QPoint(0, 0), work.size()));
        QVERIFY(rig.frame->menuItem(FrameSystemMenu::Restore)->isEnabled());
        QVERIFY(!rig.frame->menuItem(FrameSystemMenu::Maximize)->isEnabled());
        QCOMPARE(rig.frame->captionButton(1).TooltipText, QStringLiteral("Restore"));
        rig.click(rig.centreOf(1)); // the button moved with the wider frame
        QCOMPARE(rig.frame->WindowState(), 0);
        QCOMPARE(rig.host.geometry(), normal);
        rig.doubleClick({150, 12});
        QCOMPARE(rig.host.geometry(), work);
        rig.frame->menuItem(FrameSystemMenu::Restore)->trigger();
        QCOMPARE(rig.host.geometry(), normal);
        rig.doubleClick({150, 100}); // below the title bar: nothing
        QCOMPARE(rig.frame->WindowState(), 0);
    }

    void restoreCentresCentredForm()
    {
        Rig rig;
        rig.frame->setStartUpPosition(2);
        rig.frame->setWindowState(2);
        rig.frame->setWindowState(2); // asking again changes nothing
        QCOMPARE(rig.frame->WindowState(), 2);
        rig.frame->setWindowState(0);
        const QRect screen = rig.host.screen()->geometry();
        QCOMPARE(rig.host.size(), QSize(400, 300));
        QCOMPARE(rig.host.pos(), QPoint((screen.width() - 400) / 2, (screen.height() - 300) / 2));
    }

    void minimumResize_data()
    {
        QTest::addColumn<QString>("grip");
        QTest::addColumn<QPoint>("from"); // in the grip
        QTest::addColumn<QPoint>("to");   // in the frame
        QTest::addColumn<int>("pointer");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Qt::Edges>("edges");
        const Qt::Edges corner = Qt::RightEdge | Qt::BottomEdge;
        QTest::newRow("right, narrower than 130")
            << "rightGrip" << QPoint(1, 50) << QPoint(40, 80) << 9 << QSize(130, 300)
            << Qt::Edges(Qt::RightEdge);
        QTest::newRow("bottom, lower than the title")
            << "bottomGrip" << QPoint(100, 1) << QPoint(200, 5) << 7 << QSize(400, 46)
            << Qt::Edges(Qt::BottomEdge);
        QTest::newRow("corner, both ways")
            << "rightGrip" << QPoint(1, 255) << QPoint(500, 420) << 8 << QSize(500, 420) << corner;
        QTest::newRow("bottom near its right end")
            << "bottomGrip" << QPoint(380, 1) << QPoint(450, 350) << 8 << QSize(450, 350) << corner;
    }

    // Without the window manager's resize the frame follows the pointer, down to its minimum;
    // where the window manager takes the drag, the frame does not follow and lets go after.
    void minimumResize()
    {
        QFETCH(QString, grip);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(int, pointer);
        QFETCH(QSize, size);
        QFETCH(Qt::Edges, edges);
        for (bool taken : {false, true}) {
            const SystemResizeStandIn windowManager(taken);
            Rig rig;
            rig.mouse(QEvent::MouseMove, {200, 150}); // the grips are placed on the first move
            auto* g = rig.frame->findChild<FrameGrip*>(grip);
            QVERIFY(g && g->isVisible());
            if (!taken) {
                QCOMPARE(g->pointerAt(from), pointer);
                QCOMPARE(g->cursor().shape(), Qt::ArrowCursor);
                dragGrip(rig.frame, grip, from, to);
                QCOMPARE(SystemResizeStandIn::asked, QList<Qt::Edges>{edges});
                QCOMPARE(rig.host.size(), size);
                QCOMPARE(rig.frame->size(), size);
                continue;
            }
            const auto move = [g](const QPoint& pos, Qt::MouseButtons held) {
                QMouseEvent e(QEvent::MouseMove, pos, g->mapToGlobal(pos), Qt::NoButton, held,
                              Qt::NoModifier);
                QApplication::sendEvent(g, &e);
            };
            QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, from);
            QCOMPARE(SystemResizeStandIn::asked, QList<Qt::Edges>{edges});
            QCOMPARE(rig.host.minimumSize(), QSize(130, 46)); // what the window manager must keep
            move(g->mapFrom(rig.frame, to), Qt::LeftButton);
            QCOMPARE(rig.host.size(), QSize(400, 300));
            move(from, Qt::NoButton);
            QCOMPARE(g->cursor().shape(), FrameGrip::CursorOf(pointer));
            QCOMPARE(rig.host.size(), QSize(400, 300));
        }
    }

    // The taller title bar grows the window by as much, keeping the controls' bottom margin.
    void styleOneGrowsTheWindow()
    {
        for (bool fixedSize : {true, false}) {
            Rig rig;
            if (fixedSize)
                rig.host.setFixedSize(400, 300);
            auto* lowest = new QLabel("Cancel", rig.frame);
            lowest->setGeometry(20, 270, 80, 20);
            const int gap = rig.host.height() - (lowest->geometry().bottom() + 1);
            rig.frame->setStyle(1);
            QCOMPARE(lowest->y(), 280);
            QCOMPARE(rig.host.height() - (lowest->geometry().bottom() + 1), gap);
            QCOMPARE(rig.frame->height(), rig.host.height());
            QCOMPARE(rig.host.width(), 400);
            rig.frame->setStyle(0);
            QCOMPARE(rig.host.height(), 300);
            if (fixedSize)
                continue;
            // Maximized, the window keeps the work area; restored, it has grown.
            rig.frame->setWindowState(2);
            const QRect maximized = rig.host.geometry();
            rig.frame->setStyle(1);
            QCOMPARE(rig.host.geometry(), maximized);
            rig.frame->setWindowState(0);
            QCOMPARE(rig.host.height(), 310);
        }
    }

    // The desktop theme follows the accent colour: green Olive (2), amber Amber (4), else Blue.
    void desktopThemeFollowsPalette()
    {
        Rig rig;
        QEvent on(QEvent::WindowActivate);
        QApplication::sendEvent(&rig.host, &on);
        QHash<int, QImage> themes;
        for (int theme : {0, 2, 4}) {
            rig.frame->setThemeColor(theme);
            themes[theme] = rig.frame->picture();
        }
        rig.frame->setThemeColor(6);
        const QImage before = rig.frame->picture();
        const QPalette original = QApplication::palette();
        QPalette accent = original;
        for (const auto& [colour, theme] : {std::pair{QColor(60, 160, 70), 2},
                                            {QColor(230, 160, 20), 4},
                                            {QColor(200, 30, 40), 0}}) {
            accent.setColor(QPalette::Highlight, colour);
            QApplication::setPalette(accent); // reaches the form as a system colour change
            QTRY_COMPARE(rig.frame->picture(), themes[theme]);
        }
        QApplication::setPalette(original);
        QTRY_COMPARE(rig.frame->picture(), before);
    }

    void alwaysOnTop()
    {
        Rig rig;
        QAction* item = rig.frame->menuItem(FrameSystemMenu::AlwaysOnTop);
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(rig.host.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(rig.host.isVisible());
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!(rig.host.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    void changeAllBackgrounds()
    {
        Rig rig;
        auto* label = new QLabel("x", rig.frame);
        auto* edit = new QLineEdit(rig.frame);
        const QColor editWindow = edit->palette().color(QPalette::Window);
        rig.frame->setBackColorStyle(2);
        rig.frame->setCustomBackColor(RGB(200, 10, 10));
        QCOMPARE(FromQRgb(rig.frame->picture().pixel(100, 150)), RGB(200, 10, 10));
        QVERIFY(label->palette().color(QPalette::Window) != QColor(200, 10, 10));
        rig.frame->setChangeAllBackgrounds(true);
        QCOMPARE(label->palette().color(QPalette::Window), QColor(200, 10, 10));
        QCOMPARE(edit->palette().color(QPalette::Window), editWindow);
    }

    void hoverTooltips()
    {
        Rig rig;
        rig.mouse(QEvent::MouseMove, rig.centreOf(2));
        QCOMPARE(rig.frame->toolTip(), QStringLiteral("Minimize"));
        rig.mouse(QEvent::MouseMove, {150, 12});
        QCOMPARE(rig.frame->toolTip(), QString());
        // Leaving the frame from a hovered button draws it normal again.
        rig.mouse(QEvent::MouseMove, rig.centreOf(0));
        const auto& close = rig.frame->captionButton(0);
        const QImage& picture = rig.frame->picture();
        QVERIFY(picture.pixel(close.Left, close.Top) != picture.pixel(60, close.Top));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(rig.frame, &leave);
        QCOMPARE(rig.frame->toolTip(), QString());
        QCOMPARE(picture.pixel(close.Left, close.Top), picture.pixel(60, close.Top));
    }

    void titleAndIconFollowTheForm()
    {
        Rig rig;
        const QImage before = rig.frame->picture().copy(9, 4, 200, 27);
        rig.host.setWindowTitle(QStringLiteral("Hotkey settings"));
        QVERIFY(rig.frame->picture().copy(9, 4, 200, 27) != before);
        QPixmap red(16, 16);
        red.fill(Qt::red);
        rig.host.setWindowIcon(QIcon(red));
        QCOMPARE(FromQRgb(rig.frame->picture().pixel(16, 16)), RGB(255, 0, 0));
    }

    // A filter the window had before it got its frame still sees every event of the window.
    void earlierFiltersSeeEveryEvent()
    {
        struct Recorder final : QObject
        {
            QList<QEvent::Type> seen;
            bool eventFilter(QObject*, QEvent* event) override
            {
                seen << event->type();
                return false;
            }
        } recorder;
        Form host;
        host.installEventFilter(&recorder);
        auto* frame = new velForms(&host);
        host.show();
        host.setGeometry(50, 60, 400, 300);
        host.setWindowTitle(QStringLiteral("Settings"));
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&host, &deactivate);
        const QList<QEvent::Type> expected{QEvent::Show, QEvent::Move, QEvent::Resize,
                                           QEvent::WindowTitleChange, QEvent::WindowDeactivate};
        for (QEvent::Type type : expected)
            QVERIFY2(recorder.seen.contains(type), qPrintable(QString::number(type)));
        QCOMPARE(frame->geometry(), QRect(0, 0, 400, 300)); // and the frame saw them too
    }

    void reopenedWindowFollowsActivation_data()
    {
        QTest::addColumn<bool>("byWindowManager");
        QTest::newRow("closed by the window manager") << true;
        QTest::newRow("closed from the system menu") << false;
    }

    // A window closed once and shown again: its title bar still follows the activation.
    void reopenedWindowFollowsActivation()
    {
        QFETCH(bool, byWindowManager);
        Rig rig;
        QEvent on(QEvent::WindowActivate), off(QEvent::WindowDeactivate);
        QApplication::sendEvent(&rig.host, &off);
        const FrameColors::Pair inactive = rig.frame->currentColours();
        QApplication::sendEvent(&rig.host, &on);
        QVERIFY(rig.frame->currentColours() != inactive);
        if (byWindowManager)
            rig.host.windowHandle()->close(); // what a close asked by the window manager runs
        else
            rig.frame->menuItem(FrameSystemMenu::Close)->trigger();
        QVERIFY(!rig.host.isVisible());
        rig.host.show();
        QApplication::sendEvent(&rig.host, &off);
        QCOMPARE(rig.frame->currentColours(), inactive);
    }
};

QTEST_MAIN(TestVelForms)
#include "TestVelForms.moc"
