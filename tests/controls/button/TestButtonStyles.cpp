#include "StyleFixture.h"

#include "../Contrast.h"

#include <QtTest>

#include <tuple>

namespace {

constexpr OleColor kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
constexpr OleColor kFace = RGB(200, 200, 200), kGrey = RGB(120, 121, 122);
constexpr OleColor kLight3D = RGB(220, 221, 222), kHilite = RGB(255, 255, 254);
constexpr OleColor kShadow = RGB(128, 129, 130), kDark = RGB(1, 2, 3);
constexpr ButtonState N = ButtonState::Normal, H = ButtonState::Hot, D = ButtonState::Down;

StyleSetup Make(int style, ButtonState state = N)
{
    StyleSetup s;
    s.style = style;
    s.state = state;
    return s;
}

StyleSetup With(StyleSetup s, std::function<void(StyleSetup&)> f)
{
    f(s);
    return s;
}

StyleSetup Back(StyleSetup s, OleColor back)
{
    s.tweak = [back](ButtonProperties& p) {
        p.BackColor = back;
        p.ColorScheme = 3;
    };
    return s;
}

void Row(const char* name, const StyleSetup& s, QPoint p, OleColor c)
{
    QTest::newRow(name) << s << p << c;
}

} // namespace

// Pixel rules of the fourteen styles, one table per style family.
class TestButtonStyles final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseTestPalette(); }
    void cleanupTestCase() { SystemColors::reset(); }
    void classicStyles_data();
    void classicStyles() { verifyPixel(); }
    void windowsXp_data();
    void windowsXp() { verifyPixel(); }
    void hover3D_data();
    void hover3D() { verifyPixel(); }
    void vistaAero_data();
    void vistaAero() { verifyPixel(); }
    void officeXp_data();
    void officeXp() { verifyPixel(); }
    void office2003_data();
    void office2003() { verifyPixel(); }
    void xpToolbar_data();
    void xpToolbar() { verifyPixel(); }
    void vistaToolbar_data();
    void vistaToolbar() { verifyPixel(); }
    void outlook_data();
    void outlook() { verifyPixel(); }
    void installShield_data();
    void installShield() { verifyPixel(); }
    void sameLooks_data();
    void sameLooks();
    void themeStyle();
    void contentShift_data();
    void contentShift();
    void focusShowsOnEveryStyle_data();
    void focusShowsOnEveryStyle();
    void office2003PressedCaptionReadable();
    void dropDownSymbolShift_data();
    void dropDownSymbolShift();

private:
    static void columns();
    void verifyPixel();
};

void TestButtonStyles::columns()
{
    QTest::addColumn<StyleSetup>("setup");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<OleColor>("colour");
}

void TestButtonStyles::verifyPixel()
{
    QFETCH(StyleSetup, setup);
    QFETCH(QPoint, point);
    QFETCH(OleColor, colour);
    const QImage img = RenderStyle(setup);
    QCOMPARE(QString::number(FromQRgb(img.pixel(point)), 16), QString::number(colour, 16));
}

void TestButtonStyles::classicStyles_data()
{
    columns();
    auto disabled = [](StyleSetup& s) { s.enabled = false; };
    auto checked = [](StyleSetup& s) { s.checked = true; };
    Row("0 normal: raised outer light", Make(0), {0, 0}, kLight3D);
    Row("0 normal: raised outer dark corner", Make(0), {79, 23}, kDark);
    Row("0 normal: inner highlight", Make(0), {1, 1}, kHilite);
    Row("0 normal: inner shadow", Make(0), {78, 22}, kShadow);
    Row("0 normal: face", Make(0), {40, 12}, kFace);
    Row("0 hot: raised", Make(0, H), {1, 1}, kHilite);
    Row("0 down: black frame", Make(0, D), {0, 0}, kBlack);
    Row("0 down: inner frame", Make(0, D), {1, 1}, RGB(172, 168, 153));
    Row("0 disabled keeps raised edge", With(Make(0), disabled), {0, 0}, kLight3D);
    Row("0 checked: sunken outer", With(Make(0), checked), {0, 0}, kShadow);
    Row("0 checked: sunken inner", With(Make(0), checked), {1, 1}, kDark);
    Row("0 checked: lighter face", With(Make(0), checked), {40, 12}, RGB(205, 205, 205));
    Row("0 checked+focus: frame in colour 12",
        With(Make(0), [](StyleSetup& s) { s.checked = s.focus = true; }), {4, 4}, kShadow);
    Row("0 default: black outline", With(Make(0), [](StyleSetup& s) { s.isDefault = true; }),
        {79, 5}, kBlack);
    Row("0 default: edge inside", With(Make(0), [](StyleSetup& s) { s.isDefault = true; }), {1, 1},
        kHilite);
    Row("0 default when down: no outline",
        With(Make(0, D), [](StyleSetup& s) { s.isDefault = true; }), {1, 1}, RGB(172, 168, 153));
    Row("1 normal: raised inner light", Make(1), {0, 0}, kHilite);
    Row("1 normal: raised inner shadow", Make(1), {79, 23}, kShadow);
    Row("1 normal: no second ring", Make(1), {1, 1}, kFace);
    Row("1 down: top in grey text", Make(1, D), {5, 0}, kGrey);
    Row("1 down: left in grey text", Make(1, D), {0, 23}, kGrey);
    Row("1 down: right stays white", Make(1, D), {79, 5}, kWhite);
    Row("1 down: bottom stays white", Make(1, D), {5, 23}, kWhite);
    Row("1 disabled keeps raised inner", With(Make(1), disabled), {0, 0}, kHilite);
    auto inactive = [](StyleSetup& s) { s.parentActive = false; };
    Row("11 normal, window inactive: no frame", With(Make(11), inactive), {0, 0}, kFace);
    Row("11 normal, window active: outline", Make(11), {0, 0}, RGB(100, 100, 100));
    Row("11 hot: raised", Make(11, H), {0, 0}, kLight3D);
    Row("11 down: sunken", Make(11, D), {0, 0}, kShadow);
    Row("11 disabled: no frame", With(Make(11, H), disabled), {0, 0}, kFace);
    Row("12 normal, window inactive: no frame", With(Make(12), inactive), {0, 0}, kFace);
    Row("12 normal, window active: outline", Make(12), {79, 23}, RGB(100, 100, 100));
    Row("12 hot: raised inner", Make(12, H), {0, 0}, kHilite);
    Row("12 down: grey top", Make(12, D), {5, 0}, kGrey);
    Row("12 checked: no sunken edge", With(Make(12), checked), {0, 0}, RGB(205, 205, 205));
    Row("12 disabled: no frame", With(Make(12, H), disabled), {0, 0}, kFace);
}

void TestButtonStyles::windowsXp_data()
{
    columns();
    const OleColor navy = RGB(0, 60, 116);
    auto focus = [](StyleSetup& s) { s.focus = true; };
    auto scheme = [](StyleSetup s, int n) {
        s.tweak = [n](ButtonProperties& p) {
            p.ColorScheme = n;
            p.ApplyStyleColors();
        };
        return s;
    };
    Row("normal: outer frame", Make(2), {0, 5}, navy);
    Row("normal: corner pixel", Make(2), {1, 1}, RGB(76, 136, 192));
    Row("normal: top band end row", Make(2), {40, 3}, RGB(255, 255, 251));
    Row("normal: right line", Make(2), {78, 5}, RGB(216, 215, 211));
    Row("normal: bottom line", Make(2), {5, 22}, RGB(213, 212, 208));
    Row("normal: line h-3", Make(2), {5, 21}, RGB(223, 222, 218));
    Row("normal: line h-4", Make(2), {5, 20}, RGB(233, 232, 228));
    Row("normal: left line", Make(2), {1, 5}, RGB(246, 245, 243));
    Row("hot: y=1", Make(2, H), {5, 1}, RGB(255, 240, 207));
    Row("hot: y=2", Make(2, H), {5, 2}, RGB(253, 216, 137));
    Row("hot: outer side", Make(2, H), {1, 5}, RGB(249, 189, 73));
    Row("hot: inner side", Make(2, H), {77, 5}, RGB(252, 210, 122));
    Row("hot: y=h-3", Make(2, H), {5, 21}, RGB(248, 179, 48));
    Row("hot: y=h-2", Make(2, H), {5, 22}, RGB(229, 151, 0));
    Row("hot: frame", Make(2, H), {0, 5}, navy);
    Row("down: fill", Make(2, D), {40, 12}, RGB(223, 222, 218));
    Row("down: y=1", Make(2, D), {5, 1}, RGB(195, 194, 190));
    Row("down: y=2", Make(2, D), {5, 2}, RGB(210, 210, 206));
    Row("down: bottom", Make(2, D), {5, 22}, RGB(239, 238, 234));
    Row("down: right", Make(2, D), {78, 5}, RGB(246, 245, 241));
    Row("disabled: fill", With(Make(2), [](StyleSetup& s) { s.enabled = false; }), {40, 12},
        RGB(228, 228, 228));
    Row("disabled: frame", With(Make(2), [](StyleSetup& s) { s.enabled = false; }), {0, 5},
        RGB(210, 210, 206));
    Row("focus look blue: y=1", With(Make(2), focus), {5, 1}, RGB(206, 231, 255));
    Row("focus look blue: y=h-2", With(Make(2), focus), {5, 22}, RGB(105, 130, 238));
    Row("focus look needs active parent",
        With(Make(2), [](StyleSetup& s) { s.focus = true, s.parentActive = false; }), {5, 22},
        RGB(213, 212, 208));
    Row("olive: frame", scheme(Make(2), 1), {0, 5}, RGB(55, 98, 6));
    Row("olive: focus y=2", With(scheme(Make(2), 1), focus), {5, 2}, RGB(194, 209, 143));
    Row("silver: white left line", scheme(Make(2), 2), {1, 5}, kWhite);
    Row("silver: white right line", scheme(Make(2), 2), {78, 5}, kWhite);
    Row("silver: upper band end", scheme(Make(2), 2), {40, 11}, RGB(240, 241, 252));
    Row("silver: lower band start", scheme(Make(2), 2), {40, 12}, RGB(237, 238, 249));
    Row("silver down: inner white frame", scheme(Make(2, D), 2), {1, 5}, kWhite);
    Row("silver focus: inner sides white", With(scheme(Make(2), 2), focus), {2, 5}, kWhite);
}

void TestButtonStyles::hover3D_data()
{
    columns();
    const OleColor corner = RGB(95, 150, 190);
    Row("normal: outer frame", Make(3), {0, 5}, RGB(112, 112, 112));
    Row("normal: inner frame", Make(3), {1, 5}, kWhite);
    Row("normal: corner", Make(3), {1, 1}, corner);
    Row("normal: lower gradient start", Make(3), {40, 12}, RGB(222, 222, 222));
    Row("normal: follows BackColor", Back(Make(3), RGB(100, 100, 100)), {40, 12}, RGB(95, 95, 95));
    Row("hot: outer frame", Make(3, H), {0, 5}, RGB(50, 117, 167));
    Row("hot: lower start", Make(3, H), {40, 12}, RGB(193, 233, 255));
    Row("hot: fixed colours whatever BackColor", Back(Make(3, H), RGB(9, 9, 9)), {40, 12},
        RGB(193, 233, 255));
    Row("hot: left upper glow inner end", Make(3, H), {5, 3}, RGB(228, 247, 255));
    Row("hot: right upper glow inner end", Make(3, H), {74, 3}, RGB(228, 247, 255));
    Row("hot: left lower glow inner end", Make(3, H), {5, 12}, RGB(175, 228, 255));
    Row("hot: corner", Make(3, H), {78, 22}, corner);
    Row("down: frame", Make(3, D), {0, 5}, RGB(29, 65, 92));
    Row("down: shadow y=1", Make(3, D), {40, 1}, RGB(113, 156, 179));
    Row("down: shadow y=2", Make(3, D), {40, 2}, RGB(169, 198, 214));
    Row("down: shadow y=3", Make(3, D), {40, 3}, RGB(185, 217, 236));
    Row("down: upper fill", Make(3, D), {40, 8}, RGB(194, 228, 246));
    Row("down: lower fill", Make(3, D), {40, 20}, RGB(154, 210, 240));
    Row("down: upper shading", Make(3, D), {5, 5}, RGB(199, 233, 251));
    Row("down: lower shading", Make(3, D), {74, 14}, RGB(151, 207, 237));
    Row("down: corner", Make(3, D), {1, 22}, corner);
    auto disabled = [](StyleSetup& s) { s.enabled = false; };
    Row("disabled: fill", With(Make(3), disabled), {40, 12}, RGB(235, 235, 235));
    Row("disabled: outer", With(Make(3), disabled), {0, 5}, RGB(163, 163, 163));
    Row("disabled: inner", With(Make(3), disabled), {1, 5}, RGB(255, 255, 255));
    Row("disabled: corner", With(Make(3), disabled), {1, 1}, RGB(219, 219, 219));
    auto focus = [](StyleSetup& s) { s.focus = true; };
    Row("focus: outer", With(Make(3), focus), {0, 5}, RGB(50, 117, 167));
    Row("focus: inner", With(Make(3), focus), {1, 5}, RGB(72, 216, 251));
    Row("default: inner", With(Make(3), [](StyleSetup& s) { s.isDefault = true; }), {1, 5},
        RGB(72, 216, 251));
    Row("focus needs active parent",
        With(Make(3), [](StyleSetup& s) { s.focus = true, s.parentActive = false; }), {1, 5},
        kWhite);
}

void TestButtonStyles::vistaAero_data()
{
    columns();
    const OleColor b = kFace;
    Row("normal: frame", Make(4), {0, 5}, RGB(149, 149, 149));
    Row("normal: white inner frame", Make(4), {1, 5}, kWhite);
    Row("normal: bottom line", Make(4), {5, 23}, RGB(136, 136, 136));
    Row("normal: corner", Make(4), {1, 1}, RGB(213, 213, 213));
    Row("normal: upper band end", Make(4), {40, 11}, b);
    Row("normal: plain lower part", Make(4), {40, 18}, b);
    Row("normal: inner frame bottom falls outside", Make(4), {40, 22}, b);
    Row("down: frame", Make(4, D), {0, 5}, RGB(141, 141, 141));
    Row("down: bottom line", Make(4, D), {5, 23}, RGB(98, 98, 98));
    Row("down: upper band end", Make(4, D), {40, 11}, RGB(174, 174, 174));
    Row("down: lower band start", Make(4, D), {40, 12}, RGB(174, 174, 174));
}

void TestButtonStyles::officeXp_data()
{
    columns();
    const OleColor b = RGB(202, 225, 252), navy = RGB(0, 0, 128);
    Row("normal: no frame, top row", Make(5), {0, 0}, RGB(238, 250, 255));
    Row("normal: upper end row", Make(5), {0, 11}, b);
    Row("normal: lower start row", Make(5), {0, 12}, b);
    Row("hot: navy frame", Make(5, H), {0, 5}, navy);
    Row("down: navy frame", Make(5, D), {0, 5}, navy);
    Row("checked: navy frame", With(Make(5), [](StyleSetup& s) { s.checked = true; }), {0, 5},
        navy);
}

void TestButtonStyles::office2003_data()
{
    columns();
    const OleColor b = kFace;
    Row("normal: plain face", Make(6), {0, 0}, b);
    Row("normal: no frame", Make(6), {40, 12}, b);
    Row("hot: frame", Make(6, H), {0, 5}, RGB(206, 206, 195));
    Row("hot: right line", Make(6, H), {78, 5}, RGB(234, 231, 224));
    Row("hot: second right line", Make(6, H), {77, 5}, RGB(240, 240, 234));
    Row("hot: y=h-4", Make(6, H), {40, 20}, RGB(238, 237, 229));
    Row("hot: y=h-3", Make(6, H), {40, 21}, RGB(228, 225, 214));
    Row("hot: y=h-2", Make(6, H), {40, 22}, RGB(215, 210, 198));
    Row("hot: corner", Make(6, H), {1, 1}, RGB(199, 199, 188));
    Row("down: fill", Make(6, D), {40, 12}, RGB(229, 228, 221));
    Row("down: y=1", Make(6, D), {40, 1}, RGB(215, 213, 204));
    Row("down: y=2", Make(6, D), {40, 2}, RGB(222, 220, 213));
    Row("down: y=h-3", Make(6, D), {40, 21}, RGB(235, 234, 227));
    Row("down: y=h-2", Make(6, D), {40, 22}, RGB(240, 239, 234));
    Row("down: frame", Make(6, D), {0, 5}, RGB(157, 157, 146));
    Row("down: corner", Make(6, D), {78, 1}, RGB(130, 129, 120));
    auto checked = [](StyleSetup& s) { s.checked = true; };
    Row("checked: white fill", With(Make(6), checked), {40, 12}, RGB(254, 254, 254));
    Row("checked: frame", With(Make(6), checked), {0, 5}, RGB(122, 152, 175));
    Row("checked: corner", With(Make(6), checked), {1, 22}, RGB(109, 128, 142));
    Row("checked hot: right line", With(Make(6, H), checked), {78, 5}, RGB(242, 240, 237));
    Row("checked hot: y=h-2", With(Make(6, H), checked), {40, 22}, RGB(228, 222, 216));
    Row("checked normal: no hot lines", With(Make(6), checked), {40, 22}, RGB(254, 254, 254));
    Row("checked with left button held: pressed",
        With(Make(6, H), [](StyleSetup& s) { s.checked = s.leftDown = true; }), {40, 12},
        RGB(229, 228, 221));
}

void TestButtonStyles::xpToolbar_data()
{
    columns();
    const OleColor edge = RGB(97, 158, 202);
    Row("normal: no frame", Make(7), {0, 5}, kFace);
    Row("normal: no corners", Make(7), {1, 1}, kFace);
    Row("hot: frame", Make(7, H), {0, 5}, edge);
    Row("hot: inner white", Make(7, H), {1, 5}, kWhite);
    Row("hot: corner", Make(7, H), {1, 1}, RGB(174, 234, 255));
    Row("hot: flat band from h/1.7", Make(7, H), {40, 14}, RGB(208, 236, 248));
    Row("hot: flat band lower", Make(7, H), {40, 21}, RGB(208, 236, 248));
    Row("down: frame", Make(7, D), {0, 5}, edge);
    Row("down: corner", Make(7, D), {78, 22}, RGB(174, 234, 255));
    Row("disabled: no frame", With(Make(7, H), [](StyleSetup& s) { s.enabled = false; }), {0, 5},
        kFace);
}

void TestButtonStyles::vistaToolbar_data()
{
    columns();
    const OleColor b = RGB(173, 209, 255);
    // h = 24: the bands split at round(24 / 2.7) = 9.
    Row("normal: frame", Make(8), {0, 5}, RGB(86, 122, 168));
    Row("normal: upper band end", Make(8), {40, 8}, RGB(182, 218, 255));
    Row("normal: lower band start", Make(8), {40, 9}, b);
    Row("hot: upper band end", Make(8, H), {40, 8}, RGB(255, 234, 172));
    Row("hot: lower band start", Make(8, H), {40, 9}, RGB(255, 215, 103));
    Row("down: upper band end", Make(8, D), {40, 8}, RGB(255, 175, 81));
    Row("down: lower band start", Make(8, D), {40, 9}, RGB(255, 143, 70));
    auto checked = [](StyleSetup& s) { s.checked = true; };
    Row("checked: lower band start", With(Make(8), checked), {40, 9}, RGB(255, 171, 63));
    Row("checked: upper band end", With(Make(8), checked), {40, 8}, RGB(255, 192, 111));
    Row("checked under the pointer",
        With(Make(8), [](StyleSetup& s) { s.checked = s.over = true; }), {40, 9},
        RGB(255, 143, 70));
    Row("disabled draws as enabled", With(Make(8), [](StyleSetup& s) { s.enabled = false; }),
        {40, 9}, b);
}

void TestButtonStyles::outlook_data()
{
    columns();
    const OleColor b = RGB(213, 214, 225);
    Row("normal: frame", Make(9), {0, 5}, RGB(129, 130, 141));
    Row("normal: corner", Make(9), {1, 1}, RGB(121, 122, 133));
    Row("normal: row 5 keeps the fill", Make(9), {40, 5}, RGB(205, 206, 217));
    Row("normal: top gradient end", Make(9), {40, 4}, b);
    Row("normal: lower start", Make(9), {40, 6}, RGB(200, 201, 212));
    Row("hot: frame", Make(9, H), {0, 5}, RGB(142, 143, 154));
    Row("down: frame", Make(9, D), {0, 5}, RGB(121, 122, 133));
    Row("down: lower start", Make(9, D), {40, 6}, RGB(193, 194, 205));
    auto disabled = [](StyleSetup& s) { s.enabled = false; };
    Row("disabled: plain fill", With(Make(9), disabled), {40, 5}, b);
    Row("disabled: frame", With(Make(9), disabled), {0, 5}, RGB(162, 163, 174));
    Row("disabled: corner", With(Make(9), disabled), {1, 1}, RGB(154, 155, 166));
    Row("no focus rectangle", With(Make(9), [](StyleSetup& s) { s.focus = true; }), {40, 5},
        RGB(205, 206, 217));
}

void TestButtonStyles::installShield_data()
{
    columns();
    const OleColor f = RGB(193, 210, 238), edge = RGB(49, 106, 197);
    Row("normal: fill, no frame", Make(10), {0, 5}, f);
    Row("hot: fill", Make(10, H), {40, 12}, RGB(201, 218, 246));
    Row("hot: frame", Make(10, H), {0, 5}, edge);
    Row("down: fill", Make(10, D), {40, 12}, RGB(173, 190, 218));
    Row("checked: fill", With(Make(10), [](StyleSetup& s) { s.checked = true; }), {40, 12},
        RGB(180, 197, 225));
    Row("checked under the pointer",
        With(Make(10), [](StyleSetup& s) { s.checked = s.over = true; }), {40, 12},
        RGB(190, 207, 235));
    Row("custom scheme: frame from BackColor", Back(Make(10, H), RGB(100, 150, 200)), {0, 5},
        RGB(69, 119, 169));
}

void TestButtonStyles::sameLooks_data()
{
    QTest::addColumn<StyleSetup>("a");
    QTest::addColumn<StyleSetup>("b");
    auto disabled = [](StyleSetup& s) { s.enabled = false; };
    auto checked = [](StyleSetup& s) { s.checked = true; };
    QTest::newRow("4 disabled = normal") << With(Make(4), disabled) << Make(4);
    QTest::newRow("4 normal = hot") << Make(4) << Make(4, H);
    QTest::newRow("8 disabled = normal") << With(Make(8), disabled) << Make(8);
    for (int style : {2, 3, 4, 7, 9, 13}) {
        const QByteArray name = "checked " + QByteArray::number(style) + " draws pressed";
        QTest::newRow(name.constData()) << With(Make(style), checked) << Make(style, D);
    }
}

void TestButtonStyles::sameLooks()
{
    QFETCH(StyleSetup, a);
    QFETCH(StyleSetup, b);
    QCOMPARE(RenderStyle(a), RenderStyle(b));
}

void TestButtonStyles::themeStyle()
{
    // Drawn by the current Qt style: pressed and normal differ, and the
    // background under the style's button is the button face.
    const QImage normal = RenderStyle(Make(13));
    const QImage down = RenderStyle(Make(13, D));
    QVERIFY(normal != down);
    QVERIFY(normal != RenderStyle(With(Make(13), [](StyleSetup& s) { s.enabled = false; })));
    // With no widget to take a Qt style from, style 13 paints as style 2 in scheme 0.
    ButtonProperties props;
    props.ButtonStyle = ButtonStyleKind::WindowsTheme;
    ButtonDrawing d{props};
    d.parentActive = true;
    QImage img(80, 24, QImage::Format_ARGB32_Premultiplied);
    Canvas canvas(img);
    StylePainter(canvas, d).Paint();
    canvas.painter().end();
    QCOMPARE(img, RenderStyle(Make(2)));
}

void TestButtonStyles::contentShift_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("shift");
    for (int style = 0; style <= 13; ++style) {
        const bool shifts = QList<int>{0, 1, 5, 6, 7, 10, 11, 12}.contains(style);
        QTest::newRow(qPrintable(QStringLiteral("style %1").arg(style))) << style << int(shifts);
    }
}

void TestButtonStyles::contentShift()
{
    QFETCH(int, style);
    QFETCH(int, shift);
    QImage pic(4, 4, QImage::Format_ARGB32);
    pic.fill(QColor(10, 200, 30));
    auto place = [&](ButtonState state) {
        StyleSetup s = Make(style, state);
        s.tweak = [pic](ButtonProperties& p) {
            p.PictureNormal = pic;
            p.PictureAlign = PicturePosition::Center;
        };
        const QImage img = RenderStyle(s);
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (FromQRgb(img.pixel(x, y)) == RGB(10, 200, 30))
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    QCOMPARE(place(N), QPoint(38, 10));
    QCOMPARE(place(D), QPoint(38 + shift, 10 + shift));
}

void TestButtonStyles::focusShowsOnEveryStyle_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("scheme"); // 0 to 2 the style's colours; 3 the custom back colour
    QTest::addColumn<OleColor>("back");
    QTest::addColumn<bool>("checked");
    for (int style = 0; style <= 13; ++style) {
        for (bool checked : {false, true}) {
            const QString name = QStringLiteral("%1%2 ").arg(style).arg(checked ? " checked" : "");
            for (int scheme : {0, 1, 2})
                QTest::newRow(qPrintable(name + QString::number(scheme)))
                    << style << scheme << OleColor(0) << checked;
            // Mid-tone and dark faces, on which an inverted or a black dot would vanish.
            QTest::newRow(qPrintable(name + "grey")) << style << 3 << RGB(128, 128, 128) << checked;
            QTest::newRow(qPrintable(name + "dark")) << style << 3 << RGB(40, 40, 90) << checked;
        }
    }
}

// A focused button shows a ring inside its border that stands out from the
// unfocused look by at least 3:1 along a good part of each of its four sides.
void TestButtonStyles::focusShowsOnEveryStyle()
{
    QFETCH(int, style);
    QFETCH(int, scheme);
    QFETCH(OleColor, back);
    QFETCH(bool, checked);
    auto render = [&](bool focus, bool active, bool runtime, bool show = true) {
        StyleSetup s = Make(style);
        s.checked = checked;
        s.focus = focus;
        s.parentActive = active;
        s.runtime = runtime;
        s.tweak = [&](ButtonProperties& p) {
            if (scheme == 3) {
                p.BackColor = back;
                p.ColorScheme = 3;
            } else {
                p.ColorScheme = scheme;
                p.ApplyStyleColors();
            }
            p.ShowFocusRect = show;
        };
        return RenderStyle(s);
    };
    const QImage plain = render(false, true, true), focused = render(true, true, true);
    const int w = plain.width(), h = plain.height(), depth = 6;
    // For each position along a side: does some pixel within `depth` of the edge change clearly?
    auto covered = [&](bool horizontal, bool nearEdge) {
        const int length = horizontal ? w : h, from = length / 5, to = length - length / 5;
        int hits = 0;
        for (int i = from; i < to; ++i) {
            for (int d = 0; d < depth; ++d) {
                const int across = nearEdge ? d : (horizontal ? h : w) - 1 - d;
                const QPoint p = horizontal ? QPoint(i, across) : QPoint(across, i);
                if (PixelContrast(plain.pixel(p), focused.pixel(p)) >= 3.0) {
                    ++hits;
                    break;
                }
            }
        }
        return double(hits) / (to - from);
    };
    for (const auto& [horizontal, nearEdge, side] :
         {std::tuple{true, true, "top"}, std::tuple{true, false, "bottom"},
          std::tuple{false, true, "left"}, std::tuple{false, false, "right"}}) {
        const double share = covered(horizontal, nearEdge);
        QVERIFY2(share >= 0.4, qPrintable(QStringLiteral("%1 side: %2 of it shows the focus")
                                              .arg(QLatin1String(side))
                                              .arg(share)));
    }
    // The ring shows only while the parent window is active, and only at run time
    // (a checked style 0 button has a focus frame of its own that follows the focus alone).
    if (style == 0 && checked)
        return;
    QCOMPARE(render(true, false, true), render(true, false, true, false));
    QCOMPARE(render(true, true, false), render(true, true, false, false));
}

// The pressed style 6 face is pale: its caption must stay readable on it.
void TestButtonStyles::office2003PressedCaptionReadable()
{
    auto render = [](const QString& caption) {
        StyleSetup s = Make(6, D);
        s.caption = caption;
        return RenderStyle(s, QSize(120, 30));
    };
    const QImage face = render(QString()), text = render(QStringLiteral("MMMMWW"));
    double best = 1.0;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            best = std::max(best, PixelContrast(face.pixel(x, y), text.pixel(x, y)));
    QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
}

void TestButtonStyles::dropDownSymbolShift_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("downShift");
    QTest::newRow("0 moves twice") << 0 << 2;
    QTest::newRow("6 moves twice") << 6 << 2;
    QTest::newRow("5 moves once") << 5 << 1;
    QTest::newRow("10 moves once") << 10 << 1;
    QTest::newRow("3 stays") << 3 << 0;
}

void TestButtonStyles::dropDownSymbolShift()
{
    QFETCH(int, style);
    QFETCH(int, downShift);
    auto render = [style](ButtonState state) {
        StyleSetup s = Make(style, state);
        s.tweak = [](ButtonProperties& p) {
            p.DropDownSymbol = 1;
            p.ForeColor = RGB(250, 0, 250);
        };
        return RenderStyle(s);
    };
    // The tip row of the down arrow: its widest line sits at (67..73, 11) on an 80 x 24 button.
    const QImage normal = render(N), down = render(D);
    const OleColor ink = style == 6 ? RGB(0, 0, 0) : RGB(250, 0, 250);
    QCOMPARE(FromQRgb(normal.pixel(70, 11)), ink);
    const OleColor downInk = ink;
    QCOMPARE(FromQRgb(down.pixel(70 + downShift, 11 + downShift)), downInk);
}

QTEST_MAIN(TestButtonStyles)
#include "TestButtonStyles.moc"
