#include "controls/frame/FrameColors.h"
#include "controls/frame/FrameGraphics.h"
#include "controls/frame/FramePainter.h"
#include "controls/frame/velForms.h"

#include "../Contrast.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <vector>

using namespace tarvex;

using Colours = std::vector<OleColor>;
Q_DECLARE_METATYPE(Colours)

namespace {

constexpr OleColor kBody = RGB(240, 240, 240);

QString hex(OleColor c)
{
    return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0')).toUpper();
}

// A 300 x 150 frame with a small font, so the title bar is 31 pixels
// (41 for style 1) whatever fonts are installed; no icon and no caption.
struct FrameRig
{
    QWidget host;
    velForms* frame;

    FrameRig(int theme, int style, bool active, QSize size = {300, 150})
    {
        QFont font = host.font();
        font.setPixelSize(11);
        host.setFont(font);
        host.resize(size);
        frame = new velForms(&host);
        frame->setBackColorStyle(2);
        frame->setCustomBackColor(kBody);
        frame->setThemeColor(theme);
        frame->setStyle(style);
        setActive(active);
    }
    void setActive(bool active)
    {
        QEvent e(active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
        QApplication::sendEvent(&host, &e);
    }
    void moveTo(const QPoint& pos)
    {
        QMouseEvent e(QEvent::MouseMove, pos, frame->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(frame, &e);
    }
    QString at(int x, int y) const { return hex(FromQRgb(frame->picture().pixel(x, y))); }
};

} // namespace

class TestFramePainting final : public QObject
{
    Q_OBJECT

private slots:
    void titleBarShadow_data();
    void titleBarShadow();
    void glyphContrast_data();
    void glyphContrast();
    void captionShortening_data();
    void captionShortening();
    void captionRectangle_data();
    void captionRectangle();
    void blendAndThemes_data();
    void blendAndThemes();
    void primitives();
    void horizontalGradients();
};

void TestFramePainting::titleBarShadow_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("shadow");
    QTest::newRow("style 0 shadow") << 0 << true;
    QTest::newRow("style 0 plain") << 0 << false;
    QTest::newRow("style 3 shadow") << 3 << true;
    QTest::newRow("style 3 plain") << 3 << false;
}

void TestFramePainting::titleBarShadow()
{
    QFETCH(int, style);
    QFETCH(bool, shadow);
    FrameRig rig(0, style, true);
    rig.frame->setTitleBarShadow(shadow);
    const OleColor dark = RGB(19, 97, 156), shade = RGB(10, 49, 78);
    const int h = 31;
    if (!shadow) {
        // Only styles 1-5 keep a dark line under the title bar.
        QCOMPARE(rig.at(100, h), hex(style == 0 ? kBody : dark));
        QCOMPARE(rig.at(100, h + 3), hex(kBody));
        return;
    }
    QCOMPARE(rig.at(1, h), hex(dark));
    QCOMPARE(rig.at(295, h), hex(dark));
    QCOMPARE(rig.at(5, h), hex(shade));
    QCOMPARE(rig.at(294, h), hex(shade));
    // Eight steps from half the body colour (120) down to the body colour.
    for (const auto& [row, grey] : {std::pair{1, 135}, {4, 180}, {7, 225}})
        QCOMPARE(rig.at(100, h + row), hex(RGB(grey, grey, grey)));
    QCOMPARE(rig.at(100, h + 8), hex(kBody));
}

void TestFramePainting::glyphContrast_data()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<bool>("active");
    for (int theme = 0; theme <= 6; ++theme)
        for (bool active : {true, false})
            QTest::newRow(qPrintable(
                QStringLiteral("theme %1 %2").arg(theme).arg(active ? "active" : "inactive")))
                << theme << active;
}

// Every caption-button glyph, in every style and state, stands out at least
// 3:1 from the face it lies on (the face read beside it in the same row).
void TestFramePainting::glyphContrast()
{
    QFETCH(int, theme);
    QFETCH(bool, active);
    // Glyph pixels of close (the X's arms), maximize (its top bar) and minimize (its bar).
    const QList<QList<QPoint>> glyphs{
        {{6, 5}, {8, 7}, {10, 9}, {12, 11}, {13, 5}, {11, 7}, {7, 11}, {5, 13}},
        {{5, 5}, {8, 5}, {12, 5}, {4, 10}, {14, 10}},
        {{6, 11}, {9, 12}, {13, 13}}};
    for (int style = 0; style <= 5; ++style) {
        for (int state : {0, 1, 2}) {
            for (int button = 0; button < 3; ++button) {
                FrameRig rig(theme, style, active);
                const auto& b = rig.frame->captionButton(button);
                const QPoint centre(b.Left + 9, b.Top + 9);
                if (state >= 1)
                    rig.moveTo(centre);
                if (state == 2)
                    QTest::mousePress(rig.frame, Qt::LeftButton, Qt::NoModifier, centre);
                const QImage& picture = rig.frame->picture();
                for (const QPoint& g : glyphs[button]) {
                    const QPoint at(b.Left + g.x(), b.Top + g.y()), face(b.Left + 2, at.y());
                    const double contrast = PixelContrast(picture.pixel(at), picture.pixel(face));
                    QVERIFY2(contrast >= 3.0,
                             qPrintable(QStringLiteral("style %1 state %2 button %3 at %4,%5: %6")
                                            .arg(style)
                                            .arg(state)
                                            .arg(button)
                                            .arg(g.x())
                                            .arg(g.y())
                                            .arg(contrast)));
                }
                if (state == 2)
                    QTest::mouseRelease(rig.frame, Qt::LeftButton, Qt::NoModifier, QPoint(1, 100));
            }
        }
    }
}

void TestFramePainting::captionShortening_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("available");
    QTest::addColumn<bool>("shortened");
    QTest::newRow("fits") << "Hotkeys" << 400 << false;
    QTest::newRow("too long") << "Tarvex hotkey settings and more settings" << 80 << true;
    QTest::newRow("one letter and dots") << "Tarvex" << 0 << true;
    QTest::newRow("empty text") << "" << 10 << false;
}

void TestFramePainting::captionShortening()
{
    QFETCH(QString, text);
    QFETCH(int, available);
    QFETCH(bool, shortened);
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics fm(font);
    const QString fitted = FramePainter::FitCaption(text, available, fm);
    if (!shortened) {
        QCOMPARE(fitted, text);
        return;
    }
    if (available < fm.horizontalAdvance(text.left(1) + "...")) {
        QCOMPARE(fitted, QString()); // not even one character and "..." fit
        return;
    }
    QVERIFY(fitted.endsWith("..."));
    const QString head = fitted.chopped(3);
    QVERIFY(text.startsWith(head));
    QVERIFY(fm.horizontalAdvance(fitted) <= available);
    QVERIFY(fm.horizontalAdvance(text.left(head.size() + 1) + "...") > available);
}

void TestFramePainting::captionRectangle_data()
{
    QTest::addColumn<bool>("buttons");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<int>("style");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("three buttons") << true << false << 0 << QRect(9, 4, 213, 27);
    QTest::newRow("no buttons: 12 px from the edge") << false << false << 0 << QRect(9, 4, 279, 27);
    QTest::newRow("icon") << true << true << 0 << QRect(31, 4, 197, 27);
    QTest::newRow("style 1") << false << false << 1 << QRect(9, 11, 279, 33);
}

void TestFramePainting::captionRectangle()
{
    QFETCH(bool, buttons);
    QFETCH(bool, icon);
    QFETCH(int, style);
    QFETCH(QRect, rect);
    FrameLook look;
    look.width = 300;
    look.height = 150;
    look.style = style;
    look.titleBarHeight = style == 1 ? 41 : 31;
    look.buttons.setVisible(buttons, buttons, buttons);
    look.buttons.layout(300, look.titleBarHeight, style);
    if (icon) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        look.icon = QIcon(pixmap);
    }
    QImage picture(300, 150, QImage::Format_RGB32);
    QCOMPARE(FramePainter(picture, look).captionRect(), rect);
}

void TestFramePainting::blendAndThemes_data()
{
    QTest::addColumn<QColor>("highlight");
    QTest::addColumn<int>("theme");
    QTest::newRow("blue accent") << QColor(48, 140, 198) << 0;
    QTest::newRow("grey accent") << QColor(120, 120, 125) << 1;
    QTest::newRow("green accent") << QColor(60, 160, 70) << 2;
    QTest::newRow("amber accent") << QColor(230, 160, 20) << 4;
    QTest::newRow("red accent is unknown") << QColor(200, 30, 40) << 0;
}

void TestFramePainting::blendAndThemes()
{
    QFETCH(QColor, highlight);
    QFETCH(int, theme);
    QPalette palette;
    palette.setColor(QPalette::Highlight, highlight);
    QCOMPARE(FrameColors::ThemePair(6, 0, 0, palette), FrameColors::FixedPair(theme));
    QCOMPARE(FrameColors::ThemePair(5, 0x404080u, 0xC0E0FFu, palette),
             (FrameColors::Pair{0x404080u, 0xC0E0FFu}));
    QCOMPARE(hex(FrameColors::Blend(RGB(19, 97, 156), RGB(255, 255, 255), 190)),
             hex(RGB(79, 137, 181)));
    QCOMPARE(hex(FrameColors::Blend(RGB(255, 255, 255), RGB(0, 0, 0), 128)),
             hex(RGB(128, 128, 128)));
}

void TestFramePainting::primitives()
{
    QImage a(40, 40, QImage::Format_RGB32), b(40, 40, QImage::Format_RGB32);
    a.fill(Qt::white);
    b.fill(Qt::white);
    Canvas ca(a), cb(b);
    FrameGraphics ga(ca), gb(cb);
    ga.Frame(5, 5, 1, 1, RGB(255, 0, 0)); // a frame of size 1 is a 2 x 2 square
    for (const QPoint& p : {QPoint(5, 5), QPoint(6, 5), QPoint(5, 6), QPoint(6, 6)})
        QCOMPARE(hex(FromQRgb(a.pixel(p))), hex(RGB(255, 0, 0)));
    QCOMPARE(hex(FromQRgb(a.pixel(7, 5))), hex(RGB(255, 255, 255)));
    // Only lines 1 .. b - 1 of a gradient are painted.
    ga.LinearGradient(RGB(0, 0, 0), RGB(100, 100, 100), 10, 10, 20, 4, true);
    QCOMPARE(hex(FromQRgb(a.pixel(12, 10))), hex(RGB(255, 255, 255)));
    QCOMPARE(hex(FromQRgb(a.pixel(12, 11))), hex(RGB(25, 25, 25)));
    QCOMPARE(hex(FromQRgb(a.pixel(12, 13))), hex(RGB(75, 75, 75)));
    QCOMPARE(hex(FromQRgb(a.pixel(12, 14))), hex(RGB(255, 255, 255)));
    QCOMPARE(hex(FromQRgb(a.pixel(20, 11))), hex(RGB(255, 255, 255)));
    // A ratio below 1 draws as 1.01.
    ga.DoubleGradient(RGB(0, 0, 200), RGB(200, 0, 0), {0, 20, 30, 15}, true, 0.5);
    gb.DoubleGradient(RGB(0, 0, 200), RGB(200, 0, 0), {0, 20, 30, 15}, true, 1.01);
    QCOMPARE(a.copy(0, 20, 40, 20), b.copy(0, 20, 40, 20));
}

void TestFramePainting::horizontalGradients()
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    Canvas canvas(image);
    FrameGraphics g(canvas);
    auto at = [&](int x, int y) { return hex(FromQRgb(image.pixel(x, y))); };
    // Mode 1: columns 1 .. right - 1 from colour 2 (left) towards colour 1, with a frame.
    g.Gradient(RGB(0, 0, 0), RGB(100, 100, 100), {10, 5, 4, 10}, FrameGraphics::LeftToRight, true,
               RGB(255, 0, 0));
    QCOMPARE(at(11, 6), hex(RGB(75, 75, 75)));
    QCOMPARE(at(13, 13), hex(RGB(25, 25, 25)));
    QCOMPARE(at(10, 5), hex(RGB(255, 0, 0)));  // frame corner
    QCOMPARE(at(14, 15), hex(RGB(255, 0, 0))); // Frame(10, 5, 4, 10) ends at (14, 15)
    // Mode 3: 0 -> 150 over 15 columns, then back over 16.
    g.Gradient(RGB(0, 0, 0), RGB(150, 150, 150), {0, 20, 30, 10}, FrameGraphics::HorizontalDouble,
               false, 0, 2.0);
    QCOMPARE(at(0, 25), hex(RGB(255, 255, 255)));
    QCOMPARE(at(1, 25), hex(RGB(10, 10, 10)));
    QCOMPARE(at(14, 25), hex(RGB(140, 140, 140)));
    QCOMPARE(at(15, 25), hex(RGB(141, 141, 141)));
    QCOMPARE(at(29, 25), hex(RGB(9, 9, 9)));
    QCOMPARE(at(30, 25), hex(RGB(255, 255, 255)));
}

QTEST_MAIN(TestFramePainting)
#include "TestFramePainting.moc"
