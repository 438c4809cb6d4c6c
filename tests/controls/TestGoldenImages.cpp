// The controls' looks, pixel for pixel, against tests/controls/golden/ (DejaVu Sans 11 px,
// Fusion palette). TARVEX_RECORD_GOLDEN=1 records anew; mismatches go to golden-failures/.
#include "controls/button/PictureEffects.h"
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/TipPainter.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

using namespace tarvex;

namespace {

QString GoldenPath(const QString& name)
{
    return qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/tests/controls/golden/" + name +
           ".png";
}

// Empty when picture matches its golden picture (or has just been recorded); else what differs.
QString CompareWithGolden(const QImage& picture, const QString& name)
{
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TARVEX_RECORD_GOLDEN"))
        return actual.save(GoldenPath(name)) ? QString() : "cannot write " + GoldenPath(name);
    if (QImage(GoldenPath(name)).convertToFormat(QImage::Format_RGB32) == actual)
        return {};
    const QDir out(QCoreApplication::applicationDirPath() + "/golden-failures");
    out.mkpath(QStringLiteral("."));
    actual.save(out.filePath(name + ".png"));
    return QStringLiteral("%1 differs from %2: see %3")
        .arg(name, GoldenPath(name), out.filePath(name + ".png"));
}

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

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
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

// A window with one button and a plain widget that holds the focus when the button must not.
struct ButtonScene
{
    QWidget window;
    QWidget* elsewhere = new QWidget(&window);
    velbutton* button = new velbutton(&window, QStringLiteral("golden"));
    const QPoint away{130, 54};

    explicit ButtonScene(int style)
    {
        window.setGeometry(40, 40, 140, 60);
        elsewhere->setGeometry(0, 50, 8, 8);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        button->setGeometry(10, 10, 104, 28);
        button->setCaption(QStringLiteral("&Apply"));
        button->setButtonStyle(ButtonStyleKind(style));
    }
    QImage grab()
    {
        Settle();
        return window.grab(button->geometry()).toImage();
    }
    void pointerAway() { QTest::mouseMove(&window, away); }
    void pointerOver() { QTest::mouseMove(button, button->rect().center()); }
    void focusElsewhere()
    {
        elsewhere->setFocus(Qt::TabFocusReason);
        Settle();
    }
};

// A shown window of 220 x 72 covered by a frame, and another window to take the activation.
struct FrameScene
{
    QWidget host;
    QWidget other;
    velForms* frame;

    explicit FrameScene(int style)
    {
        host.setGeometry(40, 40, 220, 72);
        host.setWindowTitle(QStringLiteral("Tarvex"));
        host.setWindowIcon(TestIcon());
        frame = new velForms(&host);
        frame->setStyle(style);
        other.setGeometry(500, 400, 60, 40);
    }
    QImage grab()
    {
        Settle();
        return frame->grab().toImage();
    }
    QPoint centreOf(int button) const
    {
        const auto& b = frame->captionButton(button);
        return {b.Left + b.Width / 2, b.Top + b.Height / 2};
    }
};

} // namespace

class TestGoldenImages final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(QApplication::style()->standardPalette());
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        QApplication::setFont(font);
        QVERIFY2(QFontInfo(font).family() == QLatin1String("DejaVu Sans"),
                 "the pictures are drawn in DejaVu Sans (fonts-dejavu-core)");
    }

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
        QVERIFY(Activate(&scene.window));
        scene.focusElsewhere();
        scene.pointerAway();
        QList<QImage> cells{scene.grab()};
        scene.pointerOver();
        cells << scene.grab();
        QTest::mousePress(scene.button, Qt::LeftButton, {}, scene.button->rect().center());
        cells << scene.grab();
        QTest::mouseRelease(scene.button, Qt::LeftButton, {}, QPoint(-20, -20)); // let go outside
        scene.pointerAway();
        scene.button->setFocus(Qt::TabFocusReason);
        cells << scene.grab();
        scene.focusElsewhere();
        scene.button->setDefault(true);
        cells << scene.grab();
        scene.button->setDefault(false);
        scene.button->setEnabled(false);
        cells << scene.grab();
        scene.button->setEnabled(true);
        scene.button->setMode(ButtonMode::Check);
        QTest::mouseClick(scene.button, Qt::LeftButton, {}, scene.button->rect().center());
        scene.focusElsewhere();
        scene.pointerAway();
        cells << scene.grab();
        scene.pointerOver();
        cells << scene.grab();
        const QString error =
            CompareWithGolden(Join(cells), QStringLiteral("button-style-%1").arg(style));
        QVERIFY2(error.isEmpty(), qPrintable(error));
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
        QList<QImage> cells;
        const auto cell = [&cells](const std::function<void(ButtonScene&)>& set) {
            ButtonScene scene(1);
            scene.button->setPictureNormal(TestIcon().pixmap(16, 16).toImage());
            if (!Activate(&scene.window))
                return;
            scene.focusElsewhere();
            scene.pointerAway();
            set(scene);
            cells << scene.grab();
            if (scene.button->isDown()) // let go outside, so no button stays held for the next test
                QTest::mouseRelease(scene.button, Qt::LeftButton, {}, QPoint(-20, -20));
        };
        const auto press = [](ButtonScene& s) {
            QTest::mousePress(s.button, Qt::LeftButton, {}, s.button->rect().center());
        };
        if (kind == "picture-places") {
            for (int place = 0; place <= 8; ++place)
                cell(
                    [place](ButtonScene& s) { s.button->setPictureAlign(PicturePosition(place)); });
        } else if (kind == "drop-down") {
            for (int symbol = 1; symbol <= 4; ++symbol)
                cell([symbol](ButtonScene& s) {
                    s.button->setDropDownSymbol(symbol);
                    s.button->setDropDownSeparator(true);
                });
            cell([press](ButtonScene& s) {
                s.button->setDropDownSymbol(1);
                press(s);
            });
        } else if (kind == "caption-effects") {
            for (int effects = 0; effects <= 5; ++effects)
                cell([effects](ButtonScene& s) { s.button->setCaptionEffects(effects); });
            cell([](ButtonScene& s) {
                s.button->setForeColorHover(RGB(200, 0, 0));
                s.pointerOver();
            });
        } else {
            for (int mode = 0; mode <= 2; ++mode)
                cell([mode](ButtonScene& s) {
                    s.button->setDisabledPictureMode(mode);
                    s.button->setEnabled(false);
                });
            cell([](ButtonScene& s) { s.button->setPictureShadow(true); });
            cell([](ButtonScene& s) {
                s.button->setMaskColor(RGB(250, 210, 60));
                s.button->setUseMaskColor(true);
            });
            cell([](ButtonScene& s) { s.button->setPictureOpacity(128); });
            cell([](ButtonScene& s) {
                s.button->setPictureEffectOnOver(PictureEffects::Lighten);
                s.pointerOver();
            });
            cell([](ButtonScene& s) {
                s.button->setPicturePushOnHover(true);
                s.pointerOver();
            });
            cell([press](ButtonScene& s) {
                s.button->setPictureEffectOnDown(PictureEffects::Invert);
                press(s);
            });
            cell([](ButtonScene& s) {
                QImage down(16, 16, QImage::Format_RGB32);
                down.fill(QColor(200, 40, 40));
                s.button->setPictureDown(down);
                s.button->setMode(ButtonMode::Check);
                s.button->setChecked(true);
            });
        }
        QVERIFY(!cells.isEmpty());
        const QString error = CompareWithGolden(Join(cells), "button-content-" + kind);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // Tips: plain, own colours with title, balloons stem up and down (right to left), wrapped.
    void tips()
    {
        const auto tip = [](const QString& text, const QString& title, TipIcon icon,
                            TipShape shape) {
            TipContent content;
            content.text = text;
            content.title = title;
            content.icon = icon;
            content.shape = shape;
            return content;
        };
        const auto draw = [](const TipContent& content, StemSide side) {
            return TipPainter(content, QApplication::font(), QApplication::palette(),
                              QApplication::style())
                .render(side, 30);
        };
        TipContent own =
            tip("Closes the program", "Info", TipIcon::Information, TipShape::Rectangle);
        own.background = QColor(250, 250, 210);
        own.foreground = QColor(120, 0, 0);
        TipContent down = tip("Not saved", QString(), TipIcon::Error, TipShape::Balloon);
        down.rightToLeft = true;
        TipContent wrapped = tip(QStringLiteral("wrap ").repeated(30), QString(), TipIcon::None,
                                 TipShape::Rectangle);
        wrapped.shadow = false;
        const QImage strip =
            Join({draw(tip("Starts the hotkeys", QString(), TipIcon::None, TipShape::Rectangle),
                       StemSide::None),
                  draw(own, StemSide::None),
                  draw(tip("Mind the keys", "Warning", TipIcon::Warning, TipShape::Balloon),
                       StemSide::Top),
                  draw(down, StemSide::Bottom), draw(wrapped, StemSide::None)});
        const QString error = CompareWithGolden(strip, QStringLiteral("tips"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void frameThemes_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < 6; ++style)
            QTest::addRow("style %d", style) << style;
    }

    // Per style: each theme active and inactive, close hovered, minimize pressed, maximized.
    void frameThemes()
    {
        QFETCH(int, style);
        FrameScene scene(style);
        QList<QImage> rows;
        for (int theme = 0; theme <= 6; ++theme) {
            scene.frame->setThemeColor(theme);
            QVERIFY(Activate(&scene.host));
            const QImage active = scene.grab();
            QVERIFY(Activate(&scene.other));
            rows << Join({active, scene.grab()});
        }
        scene.frame->setThemeColor(0);
        QVERIFY(Activate(&scene.host));
        QTest::mouseMove(scene.frame, scene.centreOf(CaptionButtons::Close));
        const QImage closeHovered = scene.grab();
        QTest::mouseMove(scene.frame, scene.centreOf(CaptionButtons::Minimize));
        QTest::mousePress(scene.frame, Qt::LeftButton, {},
                          scene.centreOf(CaptionButtons::Minimize));
        const QImage minimizePressed = scene.grab();
        QTest::mouseRelease(scene.frame, Qt::LeftButton, {}, QPoint(60, 60)); // let go outside
        QTest::mouseMove(scene.frame, QPoint(60, 60));
        rows << Join({closeHovered, minimizePressed});
        scene.frame->setWindowState(2);
        const QImage maximized = scene.grab();
        rows << maximized.copy(maximized.width() - 220, 0, 220, 72);
        scene.frame->setWindowState(0);
        const QString error =
            CompareWithGolden(Join(rows, false), QStringLiteral("frame-style-%1").arg(style));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    // A long title cut before the caption buttons, then before the bar's end without them.
    void frameCaptions()
    {
        FrameScene scene(0);
        scene.host.setWindowTitle(QStringLiteral("Tarvex: the hotkeys of this computer and more"));
        QVERIFY(Activate(&scene.host));
        const QImage withButtons = scene.grab();
        scene.frame->setMinButton(false);
        scene.frame->setMaxButton(false);
        scene.frame->setCloseButton(false);
        const QString error = CompareWithGolden(Join({withButtons, scene.grab()}, false),
                                                QStringLiteral("frame-captions"));
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
};

QTEST_MAIN(TestGoldenImages)
#include "TestGoldenImages.moc"
