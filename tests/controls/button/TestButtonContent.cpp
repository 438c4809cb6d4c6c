#include "StyleFixture.h"

#include "controls/button/ButtonContent.h"
#include "controls/button/PictureEffects.h"

#include <QtTest>

using namespace tarvex;

// The content layer's layout and the picture treatments.
class TestButtonContent final : public QObject
{
    Q_OBJECT

private slots:
    void picturePlaces_data();
    void picturePlaces();
    void lookupTables_data();
    void lookupTables();
    void pictureTreatments();
    void captionEffects_data();
    void captionEffects();
};

void TestButtonContent::picturePlaces_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<bool>("dropDown");
    QTest::addColumn<QString>("rule");
    QTest::newRow("0 left edge") << 0 << false << "x=3";
    QTest::newRow("1 left of caption") << 1 << false << "right+4=caption left";
    QTest::newRow("2 right edge") << 2 << false << "x=w-pw-3";
    QTest::newRow("3 right of caption") << 3 << false << "x=caption right+4";
    QTest::newRow("4 centre") << 4 << false << "centred";
    QTest::newRow("5 top edge") << 5 << false << "y=4";
    QTest::newRow("6 above caption") << 6 << false << "bottom+2=caption top";
    QTest::newRow("7 bottom edge") << 7 << false << "y=h-ph-4";
    QTest::newRow("8 below caption") << 8 << false << "y=caption bottom+2";
    QTest::newRow("4 centre, drop-down") << 4 << true << "centred-8";
    QTest::newRow("5 top edge, drop-down") << 5 << true << "centred-8";
    QTest::newRow("2 right edge, drop-down") << 2 << true << "x=w-pw-19";
}

void TestButtonContent::picturePlaces()
{
    QFETCH(int, align);
    QFETCH(bool, dropDown);
    QFETCH(QString, rule);
    ButtonProperties p;
    p.PictureAlign = PicturePosition(align);
    p.DropDownSymbol = dropDown ? 1 : 0;
    ButtonDrawing d{p};
    d.caption = QStringLiteral("Go");
    QImage img(160, 60, QImage::Format_ARGB32_Premultiplied);
    Canvas canvas(img);
    const QSize pic(16, 12);
    const ButtonContent::Layout l = ButtonContent::Arrange(canvas, d, pic);
    const QRect c = l.caption, r = l.picture;
    const int capRight = c.left() + c.width(), capBottom = c.top() + c.height();
    QCOMPARE(r.size(), pic);
    const QHash<QString, bool> rules{
        {"x=3", r.left() == 3 && r.top() == (60 - 12) / 2},
        {"right+4=caption left", r.left() + 16 + 4 == c.left()},
        {"x=w-pw-3", r.left() == 160 - 16 - 3},
        {"x=caption right+4", r.left() == capRight + 4},
        {"centred", r.topLeft() == QPoint((160 - 16) / 2, (60 - 12) / 2)},
        {"centred-8", r.left() == (160 - 16) / 2 - 8},
        {"y=4", r.top() == 4},
        {"bottom+2=caption top", r.top() + 12 + 2 == c.top()},
        {"y=h-ph-4", r.top() == 60 - 12 - 4},
        {"y=caption bottom+2", r.top() == capBottom + 2},
        {"x=w-pw-19", r.left() == std::max(160 - 16 - 3 - 16, capRight + 2)},
    };
    QVERIFY2(rules.value(rule), qPrintable(QStringLiteral("picture %1,%2 caption %3,%4 %5x%6")
                                               .arg(r.left())
                                               .arg(r.top())
                                               .arg(c.left())
                                               .arg(c.top())
                                               .arg(c.width())
                                               .arg(c.height())));
    QVERIFY(dropDown == !l.symbol.isNull());
}

void TestButtonContent::lookupTables_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("light");
    QTest::addColumn<int>("dark");
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("1") << 1 << 1 << 0;
    QTest::newRow("128") << 128 << 147 << 108;
    QTest::newRow("221: last below the cap") << 221 << 253 << 188;
    QTest::newRow("222: capped") << 222 << 255 << 188;
    QTest::newRow("255") << 255 << 255 << 217;
}

void TestButtonContent::lookupTables()
{
    QFETCH(int, x);
    QFETCH(int, light);
    QFETCH(int, dark);
    QCOMPARE(int(PictureEffects::LightTable()[std::size_t(x)]), light);
    QCOMPARE(int(PictureEffects::DarkTable()[std::size_t(x)]), dark);
}

void TestButtonContent::pictureTreatments()
{
    QImage pic(2, 1, QImage::Format_ARGB32);
    pic.setPixel(0, 0, qRgb(224, 224, 224)); // the default mask colour
    pic.setPixel(1, 0, qRgb(128, 100, 10));
    const QImage masked = PictureEffects::Masked(pic, 0xE0E0E0);
    QCOMPARE(qAlpha(masked.pixel(0, 0)), 0);
    QCOMPARE(masked.pixel(1, 0), qRgb(128, 100, 10));
    QCOMPARE(PictureEffects::Apply(pic, PictureEffects::Lighten).pixel(1, 0), qRgb(147, 114, 11));
    QCOMPARE(PictureEffects::Apply(pic, PictureEffects::Darken).pixel(1, 0), qRgb(108, 85, 8));
    QCOMPARE(PictureEffects::Apply(pic, PictureEffects::None), pic);
    const QImage shadow = PictureEffects::Silhouette(masked, RGB(192, 192, 192));
    QCOMPARE(shadow.pixel(1, 0), qRgb(192, 192, 192));
    QCOMPARE(qAlpha(shadow.pixel(0, 0)), 0);
}

void TestButtonContent::captionEffects_data()
{
    QTest::addColumn<int>("effects");
    QTest::addColumn<bool>("extraPasses");
    for (int e = 1; e <= 5; ++e)
        QTest::newRow(qPrintable(QStringLiteral("effect %1").arg(e))) << e << true;
    QTest::newRow("unknown code draws none") << 9 << false;
    QTest::newRow("negative draws none") << -1 << false;
}

// Effect passes add ink round the caption; unknown codes leave it as effect 0 draws it.
void TestButtonContent::captionEffects()
{
    QFETCH(int, effects);
    QFETCH(bool, extraPasses);
    auto render = [](int e) {
        StyleSetup s;
        s.style = 1;
        s.caption = QStringLiteral("Effects");
        s.tweak = [e](ButtonProperties& p) {
            p.CaptionEffects = e;
            p.BackColor = RGB(90, 120, 160); // effects shift this colour both ways
            p.ForeColor = RGB(255, 255, 255);
        };
        return RenderStyle(s, QSize(120, 30));
    };
    const QImage plain = render(0);
    QCOMPARE(render(effects) != plain, extraPasses);
}

QTEST_MAIN(TestButtonContent)
#include "TestButtonContent.moc"
