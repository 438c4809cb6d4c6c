#include "FrameFixture.h"

#include "controls/frame/FrameGrip.h"
#include "controls/frame/FrameHostWindow.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/frame/velForms.h"
#include "tests/controls/Rows.h"

#include <QtTest/qtestspontaneevent.h>
#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

// Sends a mouse event of type at pos in target: a press or release of the left button, or a move.
void Mouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButtons held)
{
    const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

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
    QAction* item(FrameSystemMenu::Item item) const { return frame->menuItem(item); }
    // Sends a mouse event to the frame, the left button held but on its release.
    void send(QEvent::Type type, const QPoint& pos)
    {
        Mouse(frame, type, pos, type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton);
    }
    void click(const QPoint& pos, bool twice = false)
    {
        for (int i = 0; i <= int(twice); ++i) {
            send(i ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, pos);
            send(QEvent::MouseButtonRelease, pos);
        }
    }
};

// Stands in for the window manager's resize: records the request, takes the drag or refuses.
struct SystemResizeStandIn
{
    static inline QList<Qt::Edges> asked;
    static inline bool accept = false;
    FrameHostWindow::SystemResize saved = FrameHostWindow::systemResize;
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
};

} // namespace

class TestVelForms final : public QObject
{
    Q_OBJECT
    // grip, press in the grip, move to in the frame, pointer, size, edges asked of the manager
    using Resize = std::tuple<const char*, const char*, QPoint, QPoint, int, QSize, Qt::Edges>;

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void maxButtonOffKeepsNormal()
    {
        Rig rig;
        rig.frame->setMaxButton(false);
        QVERIFY(!rig.item(FrameSystemMenu::Maximize)->isVisible());
        const QRect before = rig.host.geometry();
        rig.click({150, 12}, true);
        QCOMPARE(std::tuple(rig.frame->WindowState(), rig.host.geometry()), std::tuple(0, before));
    }
    void closeButton_data()
    {
        // released on a caption button (-1: the title bar), close clicks
        AddRows<std::tuple<const char*, int, int>>(
            {{"press and release on close", 0, 1}, {"release on maximize", 1, 0}});
    }
    void closeButton()
    {
        const auto [row, releaseOn, closeClicks] = CurrentRow<std::tuple<const char*, int, int>>();
        Rig rig;
        QSignalSpy clicks(rig.frame, &velForms::closeClicked);
        const QPoint release = releaseOn < 0 ? QPoint(150, 12) : rig.centreOf(releaseOn);
        const auto& close = rig.frame->captionButton(CaptionButtons::Close);
        const QRect closeRect(close.Left, close.Top, close.Width, close.Height);
        const QImage unpressed = rig.frame->picture().copy(closeRect);
        rig.send(QEvent::MouseButtonPress, rig.centreOf(0));
        rig.send(QEvent::MouseMove, release);
        rig.send(QEvent::MouseButtonRelease, release);
        if (closeClicks == 0) // let go elsewhere: drawn up again
            QCOMPARE(rig.frame->picture().copy(closeRect), unpressed);
        // Releasing on maximize does not maximize.
        QCOMPARE(std::tuple(clicks.count(), rig.host.closes, rig.host.isVisible(),
                            rig.frame->WindowState()),
                 std::tuple(qsizetype(closeClicks), closeClicks, closeClicks == 0, 0));
    }
    void closingWithoutCloseClick_data()
    {
        AddRows<std::tuple<const char*, QString>>(
            {{"Alt+F4", "keys"}, {"menu Close", "menu"}, {"window manager", "wm"}});
    }
    void closingWithoutCloseClick()
    {
        const auto [row, how] = CurrentRow<std::tuple<const char*, QString>>();
        Rig rig;
        QSignalSpy clicks(rig.frame, &velForms::closeClicked);
        QSignalSpy chosen(rig.frame, &velForms::menuItemChosen);
        if (how == "keys") {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_F4, Qt::AltModifier);
            QApplication::sendEvent(rig.frame, &key);
        } else if (how == "menu") {
            rig.item(FrameSystemMenu::Close)->trigger();
            QCOMPARE(std::tuple(chosen.count(), chosen.value(0).value(0).toInt()),
                     std::tuple(1, 4));
        } else {
            QCloseEvent e;
            QSpontaneKeyEvent::setSpontaneous(&e);
            qApp->notify(&rig.host, &e);
            QVERIFY(e.isAccepted());
        }
        QCOMPARE(std::tuple(rig.host.closes, clicks.count()), std::tuple(1, 0));
    }
    void maximizeAndRestore()
    {
        Rig rig;
        const QRect normal = rig.host.geometry();
        const QRect work = rig.host.screen()->availableGeometry();
        QVERIFY(!rig.item(FrameSystemMenu::Restore)->isEnabled());
        rig.send(QEvent::MouseMove, rig.centreOf(2)); // a caption button's tip while over it
        QCOMPARE(rig.frame->toolTip(), QStringLiteral("Minimize"));
        rig.click(rig.centreOf(1));
        QCOMPARE(std::tuple(rig.frame->WindowState(), rig.host.geometry(), rig.frame->geometry()),
                 std::tuple(2, work, QRect(QPoint(0, 0), work.size())));
        QVERIFY(rig.item(FrameSystemMenu::Restore)->isEnabled());
        rig.send(QEvent::MouseMove, {150, 12});
        QCOMPARE(rig.frame->toolTip(), QString());
        rig.send(QEvent::MouseMove, rig.centreOf(1)); // the button moved with the wider frame
        QCOMPARE(rig.frame->toolTip(), QStringLiteral("Restore"));
        rig.click(rig.centreOf(1));
        QCOMPARE(std::tuple(rig.frame->WindowState(), rig.host.geometry()), std::tuple(0, normal));
        rig.click({150, 12}, true);
        QCOMPARE(rig.host.geometry(), work);
        rig.item(FrameSystemMenu::Restore)->trigger();
        QCOMPARE(rig.host.geometry(), normal);
        rig.click({150, 100}, true); // below the title bar: nothing
        QCOMPARE(rig.frame->WindowState(), 0);
    }
    void minimumResize_data()
    {
        const Qt::Edges corner = Qt::RightEdge | Qt::BottomEdge;
        AddRows<Resize>({{"right, narrower than 130", "rightGrip", QPoint(1, 50), QPoint(40, 80), 9,
                          QSize(130, 300), Qt::RightEdge},
                         {"bottom, lower than the title", "bottomGrip", QPoint(100, 1),
                          QPoint(200, 5), 7, QSize(400, 46), Qt::BottomEdge},
                         {"corner, both ways", "rightGrip", QPoint(1, 255), QPoint(500, 420), 8,
                          QSize(500, 420), corner},
                         {"bottom near its right end", "bottomGrip", QPoint(380, 1),
                          QPoint(450, 350), 8, QSize(450, 350), corner}});
    }
    // Without the window manager's resize the frame follows the pointer, down to its minimum;
    // where the window manager takes the drag, the frame does not follow and lets go after.
    void minimumResize()
    {
        const auto [row, grip, from, to, pointer, size, edges] = CurrentRow<Resize>();
        for (bool taken : {false, true}) {
            const SystemResizeStandIn windowManager(taken);
            Rig rig;
            rig.send(QEvent::MouseMove, {200, 150}); // the grips are placed on the first move
            auto* g = rig.frame->findChild<FrameGrip*>(grip);
            QVERIFY(g && g->isVisible());
            if (!taken)
                QCOMPARE(std::tuple(g->pointerAt(from), g->cursor().shape()),
                         std::tuple(pointer, Qt::ArrowCursor));
            QTest::mousePress(g, Qt::LeftButton, Qt::NoModifier, from);
            if (taken) {
                QCOMPARE(SystemResizeStandIn::asked, QList<Qt::Edges>{edges});
                QCOMPARE(rig.host.minimumSize(), QSize(130, 46)); // what the manager must keep
            }
            Mouse(g, QEvent::MouseMove, g->mapFrom(rig.frame, to), Qt::LeftButton);
            if (!taken) {
                QTest::mouseRelease(g, Qt::LeftButton, Qt::NoModifier, g->mapFrom(rig.frame, to));
                QCOMPARE(SystemResizeStandIn::asked, QList<Qt::Edges>{edges});
                QCOMPARE(std::tuple(rig.host.size(), rig.frame->size()), std::tuple(size, size));
                continue;
            }
            QCOMPARE(rig.host.size(), QSize(400, 300));
            Mouse(g, QEvent::MouseMove, from, Qt::NoButton);
            const Qt::CursorShape shape = edges == Qt::RightEdge    ? Qt::SizeHorCursor
                                          : edges == Qt::BottomEdge ? Qt::SizeVerCursor
                                                                    : Qt::SizeFDiagCursor;
            QCOMPARE(std::tuple(g->cursor().shape(), rig.host.size()),
                     std::tuple(shape, QSize(400, 300)));
        }
    }
    // The taller title bar grows the window by as much, keeping the controls' bottom margin.
    void styleOneGrowsTheWindow()
    {
        Rig rig;
        auto* lowest = new QLabel("Cancel", rig.frame);
        lowest->setGeometry(20, 270, 80, 20);
        const int gap = rig.host.height() - (lowest->geometry().bottom() + 1);
        rig.frame->setStyle(1);
        QCOMPARE(std::tuple(lowest->y(), rig.host.height() - (lowest->geometry().bottom() + 1),
                            rig.frame->height(), rig.host.width()),
                 std::tuple(280, gap, rig.host.height(), 400));
        rig.frame->setStyle(0);
        QCOMPARE(rig.host.height(), 300);
    }
    // The frame follows the form's title and icon, colours its controls, keeps it on top.
    void followsTheForm()
    {
        Rig rig;
        const QImage before = rig.frame->picture().copy(9, 4, 200, 27);
        rig.host.setWindowTitle(QStringLiteral("Hotkey settings"));
        QVERIFY(rig.frame->picture().copy(9, 4, 200, 27) != before);
        QPixmap red(16, 16);
        red.fill(Qt::red);
        rig.host.setWindowIcon(QIcon(red));
        QCOMPARE(FromQRgb(rig.frame->picture().pixel(16, 16)), RGB(255, 0, 0));
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
        QAction* item = rig.item(FrameSystemMenu::AlwaysOnTop);
        for (bool on : {true, false}) {
            item->trigger();
            QCOMPARE(std::tuple(item->isChecked(),
                                bool(rig.host.windowFlags() & Qt::WindowStaysOnTopHint),
                                rig.host.isVisible()),
                     std::tuple(on, on, true));
        }
    }
    // Captions by index, none for a separator or out of range; only an item takes a caption.
    void systemMenuCaptions()
    {
        FrameSystemMenu menu(nullptr);
        QCOMPARE((QStringList{menu.caption(-1), menu.caption(3), menu.caption(6), menu.caption(7)}),
                 (QStringList{"", "", "Always on Top", ""}));
        QVERIFY(!menu.setCaption(3, "x") && !menu.setCaption(4, "") && !menu.item(-1) &&
                !menu.item(7) && menu.setCaption(4, "Shut"));
        QCOMPARE(menu.item(4)->text(), "Shut" + FrameSystemMenu::CloseSuffix);
    }
    // A frame on a window not shown yet covers it at once, caption buttons at the right; a filter
    // the window had before it got its frame still sees every event of the window.
    void coversItsWindow()
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
        host.resize(300, 200);
        host.installEventFilter(&recorder);
        auto* frame = new velForms(&host);
        QCOMPARE(frame->geometry(), host.rect());
        const auto& close = frame->captionButton(CaptionButtons::Close);
        QVERIFY(close.Left > 250 && close.Left + close.Width <= 300);
        QVERIFY(host.windowFlags() & Qt::FramelessWindowHint);
        host.show();
        host.setGeometry(50, 60, 400, 300);
        host.setWindowTitle(QStringLiteral("Settings"));
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&host, &deactivate);
        for (QEvent::Type type : {QEvent::Show, QEvent::Move, QEvent::Resize,
                                  QEvent::WindowTitleChange, QEvent::WindowDeactivate})
            QVERIFY2(recorder.seen.contains(type), qPrintable(QString::number(type)));
        QCOMPARE(frame->geometry(), QRect(0, 0, 400, 300)); // and the frame saw them too
    }
    // A window closed once by the window manager and shown again: its title bar still follows
    // the activation.
    void reopenedWindowFollowsActivation()
    {
        Rig rig;
        QEvent on(QEvent::WindowActivate), off(QEvent::WindowDeactivate);
        QApplication::sendEvent(&rig.host, &off);
        const FrameColors::Pair inactive = rig.frame->currentColours();
        QApplication::sendEvent(&rig.host, &on);
        QVERIFY(rig.frame->currentColours() != inactive);
        rig.host.windowHandle()->close(); // what a close asked by the window manager runs
        QVERIFY(!rig.host.isVisible());
        rig.host.show();
        QApplication::sendEvent(&rig.host, &off);
        QCOMPARE(rig.frame->currentColours(), inactive);
    }
};

QTEST_MAIN(TestVelForms)
#include "TestVelForms.moc"
