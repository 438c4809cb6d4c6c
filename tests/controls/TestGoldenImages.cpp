// The controls' looks, pixel for pixel, against their golden pictures (see Golden.h).
#include "controls/button/PictureEffects.h"
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/TipPainter.h"
#include "tests/controls/Golden.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

// Pictures side by side on one strip (across), or stacked under each other.
QImage Join(const QList<QImage>& parts, bool across = true)
{
    QSize size(0, 0);
    for (const QImage& part : parts)
        size = across ? QSize(size.width() + part.width(), std::max(size.height(), part.height()))
                      : QSize(std::max(size.width(), part.width()), size.height() + part.height());
    QImage joined(size, QImage::Format_RGB32);
    joined.fill(Qt::white);
    QPainter painter(&joined);
    QPoint at;
    for (const QImage& part : parts) {
        painter.drawImage(at, part);
        at += across ? QPoint(part.width(), 0) : QPoint(0, part.height());
    }
    return joined;
}

bool Activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QIcon TestIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(1, 3, 14, 10, QColor(40, 120, 200));
    p.fillRect(3, 5, 10, 2, QColor(250, 210, 60));
    return QIcon(pixmap);
}

TipContent Tip(const QString& text, const QString& title = {}, TipIcon icon = TipIcon::None,
               TipShape shape = TipShape::Rectangle)
{
    TipContent content;
    content.text = text, content.title = title, content.icon = icon, content.shape = shape;
    return content;
}

// A window with one button and a plain widget that holds the focus when the button must not.
struct ButtonScene
{
    QWidget window;
    QWidget* elsewhere = new QWidget(&window);
    velbutton* button = new velbutton(&window, QStringLiteral("golden"));
    explicit ButtonScene(int style)
    {
        window.setGeometry(40, 40, 140, 60);
        elsewhere->setGeometry(0, 50, 8, 8);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        button->setGeometry(10, 10, 104, 28);
        button->setCaption(QStringLiteral("&Apply"));
        button->setButtonStyle(ButtonStyleKind(style));
    }
    QImage grab() { return Grab(&window, button->geometry()); }
    void pointerAway() { QTest::mouseMove(&window, {130, 54}); }
    void pointerOver() { QTest::mouseMove(button, button->rect().center()); }
    void press() { QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center()); }
    void releaseOutside() { QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20)); }
    void focusElsewhere() { elsewhere->setFocus(Qt::TabFocusReason), Grab(&window); }
};

} // namespace

class TestGoldenImages final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseGoldenLook(); }
    void buttonStates_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < ButtonStyleCount; ++style)
            QTest::addRow("style %d", style) << style;
    }
    // Per style: normal, over, pressed, focused, default, disabled, checked, checked and over.
    void buttonStates()
    {
        QFETCH(int, style);
        ButtonScene scene(style);
        velbutton* b = scene.button;
        QVERIFY(Activate(&scene.window));
        scene.focusElsewhere(), scene.pointerAway();
        QList<QImage> cells{scene.grab()};
        scene.pointerOver(), cells << scene.grab();
        scene.press(), cells << scene.grab();
        scene.releaseOutside(), scene.pointerAway();
        b->setFocus(Qt::TabFocusReason), cells << scene.grab();
        scene.focusElsewhere(), b->setDefault(true), cells << scene.grab();
        b->setDefault(false), b->setEnabled(false), cells << scene.grab();
        b->setEnabled(true), b->setMode(ButtonMode::Check);
        QCOMPARE(scene.grab(), cells.first()); // unticked, it looks plain
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        scene.focusElsewhere(), scene.pointerAway(), cells << scene.grab();
        scene.pointerOver(), cells << scene.grab();
        CheckGolden(Join(cells), QStringLiteral("button-style-%1").arg(style));
    }
    void buttonContent_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"picture-places", "drop-down", "caption-effects", "picture-looks"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    // Per kind, on a style 1 button with a picture: picture places; drop-down symbols; caption
    // effects; the picture disabled, shadowed, masked, faded, hovered, pressed, checked.
    void buttonContent()
    {
        QFETCH(QString, kind);
        QList<std::function<void(ButtonScene&)>> sets;
        if (kind == "picture-places") {
            for (int place = 0; place <= 8; ++place)
                sets <<
                    [place](ButtonScene& s) { s.button->setPictureAlign(PicturePosition(place)); };
        } else if (kind == "drop-down") {
            for (int symbol = 1; symbol <= 4; ++symbol)
                sets << [symbol](ButtonScene& s) {
                    s.button->setDropDownSymbol(symbol);
                    s.button->setDropDownSeparator(true);
                };
            sets << [](ButtonScene& s) {
                s.button->setDropDownSymbol(1);
                s.press();
            };
        } else if (kind == "caption-effects") {
            for (int effects = 0; effects <= 5; ++effects)
                sets << [effects](ButtonScene& s) { s.button->setCaptionEffects(effects); };
            sets << [](ButtonScene& s) {
                s.button->setForeColorHover(RGB(200, 0, 0));
                s.pointerOver();
            };
        } else {
            for (int mode = 0; mode <= 2; ++mode)
                sets << [mode](ButtonScene& s) {
                    s.button->setDisabledPictureMode(mode);
                    s.button->setEnabled(false);
                };
            sets << [](ButtonScene& s) { s.button->setPictureShadow(true); } << [](ButtonScene& s) {
                s.button->setMaskColor(RGB(250, 210, 60));
                s.button->setUseMaskColor(true);
            } << [](ButtonScene& s) {
                s.button->setPictureOpacity(128);
            } << [](ButtonScene& s) {
                s.button->setPictureEffectOnOver(PictureEffects::Lighten);
                s.pointerOver();
            } << [](ButtonScene& s) {
                s.button->setPicturePushOnHover(true);
                s.pointerOver();
            } << [](ButtonScene& s) {
                s.button->setPictureEffectOnDown(PictureEffects::Invert);
                s.press();
            } << [](ButtonScene& s) {
                QImage down(16, 16, QImage::Format_RGB32);
                down.fill(QColor(200, 40, 40));
                s.button->setPictureDown(down);
                s.button->setMode(ButtonMode::Check);
                s.button->setChecked(true);
            };
        }
        QList<QImage> cells;
        for (const auto& set : sets) {
            ButtonScene scene(1);
            scene.button->setPictureNormal(TestIcon().pixmap(16, 16).toImage());
            QVERIFY(Activate(&scene.window));
            scene.focusElsewhere();
            scene.pointerAway();
            set(scene);
            cells << scene.grab();
            if (scene.button->isDown()) // let go, so no button stays held for the next test
                scene.releaseOutside();
        }
        CheckGolden(Join(cells), "button-content-" + kind);
    }
    // Tips: plain, own colours with title, balloons stem up and down (right to left), wrapped
    // (a long word inside).
    void tips()
    {
        TipContent own = Tip("Closes the program", "Info", TipIcon::Information);
        own.background = QColor(250, 250, 210), own.foreground = QColor(120, 0, 0);
        TipContent down = Tip("Not saved", QString(), TipIcon::Error, TipShape::Balloon);
        TipContent wrapped = Tip(QStringLiteral("wrap ").repeated(30) + QString(60, u'W'));
        down.rightToLeft = true, wrapped.shadow = false;
        QList<QImage> strip;
        for (const auto& [content, side] :
             {std::pair{Tip("Starts the hotkeys"), StemSide::None},
              {own, StemSide::None},
              {Tip("Mind the keys", "Warning", TipIcon::Warning, TipShape::Balloon), StemSide::Top},
              {down, StemSide::Bottom},
              {wrapped, StemSide::None}})
            strip << TipPainter(content, QApplication::font(), QApplication::palette(),
                                QApplication::style())
                         .render(side, 30);
        CheckGolden(Join(strip), QStringLiteral("tips"));
    }
    // Per style: each theme active and inactive, close hovered, minimize pressed, maximized;
    // and (row captions) a long title cut before the caption buttons, then before the bar's end.
    void frameThemes_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < 6; ++style)
            QTest::addRow("style %d", style) << style;
        QTest::newRow("captions") << 6;
    }
    void frameThemes()
    {
        QFETCH(int, style);
        QWidget host, other;
        host.setGeometry(40, 40, 220, 72);
        host.setWindowTitle(QStringLiteral("Tarvex"));
        host.setWindowIcon(TestIcon());
        auto* frame = new velForms(&host);
        frame->setStyle(style % 6);
        other.setGeometry(500, 400, 60, 40);
        if (style == 6) {
            host.setWindowTitle(QStringLiteral("Tarvex: the hotkeys of this computer and more"));
            QVERIFY(Activate(&host));
            const QImage withButtons = Grab(frame);
            frame->setMinButton(false), frame->setMaxButton(false), frame->setCloseButton(false);
            return CheckGolden(Join({withButtons, Grab(frame)}, false), "frame-captions");
        }
        const auto centreOf = [frame](int button) {
            const auto& b = frame->captionButton(button);
            return QPoint(b.Left + b.Width / 2, b.Top + b.Height / 2);
        };
        QList<QImage> rows;
        for (int theme = 0; theme <= 6; ++theme) {
            frame->setThemeColor(theme);
            QVERIFY(Activate(&host));
            const QImage active = Grab(frame);
            QVERIFY(Activate(&other));
            rows << Join({active, Grab(frame)});
        }
        frame->setThemeColor(0);
        QVERIFY(Activate(&host));
        QTest::mouseMove(frame, centreOf(CaptionButtons::Close));
        const QImage closeHovered = Grab(frame);
        QTest::mouseMove(frame, centreOf(CaptionButtons::Minimize));
        QTest::mousePress(frame, Qt::LeftButton, {}, centreOf(CaptionButtons::Minimize));
        rows << Join({closeHovered, Grab(frame)});
        QTest::mouseRelease(frame, Qt::LeftButton, {}, QPoint(60, 60)); // let go outside
        QTest::mouseMove(frame, QPoint(60, 60));
        frame->setWindowState(2);
        const QImage maximized = Grab(frame);
        rows << maximized.copy(maximized.width() - 220, 0, 220, 72);
        frame->setWindowState(0);
        CheckGolden(Join(rows, false), QStringLiteral("frame-style-%1").arg(style));
    }
};

QTEST_MAIN(TestGoldenImages)
#include "TestGoldenImages.moc"
