#include "StyleFixture.h"

#include "../Contrast.h"

#include <QGuiApplication>
#include <QtTest>

using namespace tarvex;

// Canvas primitives, colour operations and system colours.
class TestCanvas final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseTestPalette(); } // every edge line told apart
    void cleanupTestCase() { SystemColors::reset(); }
    void shiftColor_data();
    void shiftColor();
    void averageColor_data();
    void averageColor();
    void translateColor_data();
    void translateColor();
    void drawLine_data();
    void drawLine();
    void drawRectangle();
    void gradient_data();
    void gradient();
    void gradientClipsAndSkipsEmpty();
    void edges_data();
    void edges();
    void focusRect();
    void textFlags();

private:
    static QImage blank(int w, int h, OleColor c = RGB(10, 20, 30));
    static OleColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }
};

QImage TestCanvas::blank(int w, int h, OleColor c)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(ToQColor(c));
    return img;
}

void TestCanvas::shiftColor_data()
{
    QTest::addColumn<OleColor>("colour");
    QTest::addColumn<double>("amount");
    QTest::addColumn<OleColor>("expected");
    // 0.1 x 255 = 25.5: halves go to the even neighbour.
    QTest::newRow("half to even up") << RGB(0, 1, 2) << 0.1 << RGB(26, 26, 28);
    QTest::newRow("half to even down") << RGB(100, 101, 255) << -0.1 << RGB(74, 76, 230);
    QTest::newRow("capped at 255") << RGB(250, 240, 0) << 0.06 << RGB(255, 255, 15);
    QTest::newRow("floored at 0") << RGB(5, 60, 200) << -0.2 << RGB(0, 9, 149);
    QTest::newRow("zero keeps") << RGB(12, 34, 56) << 0.0 << RGB(12, 34, 56);
    QTest::newRow("system colour first translated") << SystemColor(15) << 0.0 << RGB(200, 200, 200);
    QTest::newRow("bad colour") << OleColor(0x05000000) << 0.1 << InvalidColor;
}

void TestCanvas::shiftColor()
{
    QFETCH(OleColor, colour);
    QFETCH(double, amount);
    QFETCH(OleColor, expected);
    QCOMPARE(ShiftColor(colour, amount), expected);
}

void TestCanvas::averageColor_data()
{
    QTest::addColumn<OleColor>("a");
    QTest::addColumn<OleColor>("b");
    QTest::addColumn<OleColor>("expected");
    QTest::newRow("halves to even") << RGB(1, 2, 3) << RGB(2, 3, 4) << RGB(2, 2, 4);
    QTest::newRow("white and base")
        << RGB(255, 255, 255) << RGB(212, 212, 212) << RGB(234, 234, 234);
    QTest::newRow("exact") << RGB(0, 10, 20) << RGB(10, 20, 30) << RGB(5, 15, 25);
    QTest::newRow("invalid") << InvalidColor << RGB(1, 1, 1) << InvalidColor;
}

void TestCanvas::averageColor()
{
    QFETCH(OleColor, a);
    QFETCH(OleColor, b);
    QFETCH(OleColor, expected);
    QCOMPARE(AverageColor(a, b), expected);
}

void TestCanvas::translateColor_data()
{
    QTest::addColumn<OleColor>("colour");
    QTest::addColumn<OleColor>("expected");
    QTest::newRow("rgb") << RGB(1, 2, 3) << RGB(1, 2, 3);
    QTest::newRow("button face") << SystemColor(15) << RGB(200, 200, 200);
    QTest::newRow("3-D dark shadow") << SystemColor(21) << RGB(1, 2, 3);
    QTest::newRow("palette relative") << OleColor(0x02030405) << OleColor(0x030405);
    QTest::newRow("unknown system index") << SystemColor(31) << InvalidColor;
    QTest::newRow("bad high byte") << OleColor(0x40000000) << InvalidColor;
}

void TestCanvas::translateColor()
{
    QFETCH(OleColor, colour);
    QFETCH(OleColor, expected);
    QCOMPARE(TranslateColor(colour), expected);
}

void TestCanvas::drawLine_data()
{
    QTest::addColumn<QRect>("line"); // x1, y1 as topLeft, x2, y2 as bottomRight
    QTest::addColumn<QList<QPoint>>("painted");
    QTest::addColumn<QList<QPoint>>("untouched");
    QTest::newRow("right") << QRect(QPoint(1, 2), QPoint(5, 2)) << QList<QPoint>{{1, 2}, {4, 2}}
                           << QList<QPoint>{{5, 2}, {0, 2}};
    QTest::newRow("left") << QRect(QPoint(5, 2), QPoint(1, 2)) << QList<QPoint>{{5, 2}, {2, 2}}
                          << QList<QPoint>{{1, 2}};
    QTest::newRow("down") << QRect(QPoint(3, 0), QPoint(3, 6)) << QList<QPoint>{{3, 0}, {3, 5}}
                          << QList<QPoint>{{3, 6}};
    QTest::newRow("diagonal") << QRect(QPoint(0, 0), QPoint(4, 4)) << QList<QPoint>{{0, 0}, {3, 3}}
                              << QList<QPoint>{{4, 4}, {1, 0}};
    QTest::newRow("zero length") << QRect(QPoint(2, 2), QPoint(2, 2)) << QList<QPoint>{}
                                 << QList<QPoint>{{2, 2}};
}

void TestCanvas::drawLine()
{
    QFETCH(QRect, line);
    QFETCH(QList<QPoint>, painted);
    QFETCH(QList<QPoint>, untouched);
    QImage img = blank(8, 8);
    {
        Canvas c(img);
        c.DrawLine(line.left(), line.top(), line.right(), line.bottom(), RGB(255, 0, 0));
    }
    for (const QPoint& p : painted)
        QCOMPARE(at(img, p.x(), p.y()), RGB(255, 0, 0));
    for (const QPoint& p : untouched)
        QCOMPARE(at(img, p.x(), p.y()), RGB(10, 20, 30));
}

void TestCanvas::drawRectangle()
{
    QImage img = blank(10, 10);
    {
        Canvas c(img);
        c.DrawRectangle(1, 2, 5, 4, RGB(0, 255, 0));
        c.DrawRectangle(0, 0, 0, 3, RGB(255, 255, 255)); // empty: nothing
    }
    for (const QPoint& p : {QPoint(1, 2), QPoint(5, 2), QPoint(1, 5), QPoint(5, 5), QPoint(3, 2)})
        QCOMPARE(at(img, p.x(), p.y()), RGB(0, 255, 0));
    for (const QPoint& p : {QPoint(6, 2), QPoint(1, 6), QPoint(3, 3), QPoint(0, 0)})
        QCOMPARE(at(img, p.x(), p.y()), RGB(10, 20, 30));
}

void TestCanvas::gradient_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("last"); // pixel of the final step
    QTest::addColumn<QPoint>("middle");
    QTest::addColumn<OleColor>("middleColour");
    // Vertical over 11 rows of 0..200: row 5 is the exact middle.
    QTest::newRow("vertical") << 1 << QPoint(3, 10) << QPoint(0, 5) << RGB(100, 50, 0);
    QTest::newRow("horizontal") << 0 << QPoint(5, 0) << QPoint(2, 7) << RGB(80, 40, 0);
    // Diagonal over 6 + 11 - 1 = 16 steps; (5, 10) is step 15.
    QTest::newRow("diagonal") << 7 << QPoint(5, 10) << QPoint(3, 4) << RGB(93, 47, 0);
}

void TestCanvas::gradient()
{
    QFETCH(int, direction);
    QFETCH(QPoint, last);
    QFETCH(QPoint, middle);
    QFETCH(OleColor, middleColour);
    QImage img = blank(6, 11);
    {
        Canvas c(img);
        c.DrawGradient(0, 0, 6, 11, RGB(0, 0, 0), RGB(200, 100, 0), direction);
    }
    QCOMPARE(at(img, 0, 0), RGB(0, 0, 0));
    QCOMPARE(at(img, last.x(), last.y()), RGB(200, 100, 0));
    QCOMPARE(at(img, middle.x(), middle.y()), middleColour);
}

void TestCanvas::gradientClipsAndSkipsEmpty()
{
    QImage img = blank(4, 4);
    {
        Canvas c(img);
        c.DrawGradient(0, 0, 4, 0, RGB(255, 0, 0), RGB(255, 0, 0), 1);
        c.DrawGradient(0, 0, 0, 4, RGB(255, 0, 0), RGB(255, 0, 0), 0);
        // Runs past the bottom edge: only rows 2 and 3 (steps 0 and 1 of 8) land.
        c.DrawGradient(0, 2, 4, 8, RGB(0, 0, 0), RGB(0, 0, 70), 1);
    }
    QCOMPARE(at(img, 0, 0), RGB(10, 20, 30));
    QCOMPARE(at(img, 1, 2), RGB(0, 0, 0));
    QCOMPARE(at(img, 1, 3), RGB(0, 0, 10));
}

void TestCanvas::edges_data()
{
    QTest::addColumn<int>("edge");
    QTest::addColumn<OleColor>("outerTopLeft");
    QTest::addColumn<OleColor>("outerBottomRight");
    QTest::addColumn<OleColor>("innerTopLeft");
    QTest::addColumn<OleColor>("innerBottomRight");
    const OleColor light = RGB(220, 221, 222), hilite = RGB(255, 255, 254);
    const OleColor shadow = RGB(128, 129, 130), dark = RGB(1, 2, 3);
    const OleColor none = RGB(10, 20, 30);
    QTest::newRow("raised") << int(Canvas::EdgeRaised) << light << dark << hilite << shadow;
    QTest::newRow("raised inner") << int(Canvas::BdrRaisedInner) << hilite << shadow << none
                                  << none;
    QTest::newRow("sunken") << int(Canvas::EdgeSunken) << shadow << hilite << dark << light;
}

void TestCanvas::edges()
{
    QFETCH(int, edge);
    QFETCH(OleColor, outerTopLeft);
    QFETCH(OleColor, outerBottomRight);
    QFETCH(OleColor, innerTopLeft);
    QFETCH(OleColor, innerBottomRight);
    QImage img = blank(12, 10);
    {
        Canvas c(img);
        c.DrawEdge(QRect(0, 0, 12, 10), edge);
    }
    QCOMPARE(at(img, 0, 0), outerTopLeft);
    QCOMPARE(at(img, 5, 0), outerTopLeft);
    QCOMPARE(at(img, 0, 5), outerTopLeft);
    // The bottom and right lines own the two far corners.
    QCOMPARE(at(img, 11, 0), outerBottomRight);
    QCOMPARE(at(img, 0, 9), outerBottomRight);
    QCOMPARE(at(img, 11, 9), outerBottomRight);
    QCOMPARE(at(img, 1, 1), innerTopLeft);
    QCOMPARE(at(img, 5, 1), innerTopLeft);
    QCOMPARE(at(img, 10, 5), innerBottomRight);
    QCOMPARE(at(img, 5, 8), innerBottomRight);
    QCOMPARE(at(img, 5, 5), RGB(10, 20, 30));
}

void TestCanvas::focusRect()
{
    // Dotted: every other pixel of the border, the inside and outside untouched.
    QImage img = blank(10, 8, RGB(255, 255, 255));
    {
        Canvas c(img);
        c.DrawFocusRect(QRect(QPoint(2, 2), QPoint(7, 5)));
    }
    QCOMPARE(at(img, 2, 2), RGB(0, 0, 0));
    QCOMPARE(at(img, 3, 2), RGB(255, 255, 255));
    QCOMPARE(at(img, 4, 2), RGB(0, 0, 0));
    QCOMPARE(at(img, 7, 5), RGB(0, 0, 0));
    QCOMPARE(at(img, 2, 3), RGB(255, 255, 255));
    QCOMPARE(at(img, 2, 4), RGB(0, 0, 0));
    QCOMPARE(at(img, 4, 4), RGB(255, 255, 255));
    QCOMPARE(at(img, 8, 2), RGB(255, 255, 255));
    // The dots stand out from whatever lies under them: mid-tones (where an
    // inverted dot would look the same), dark faces and a face drawn just before.
    for (OleColor under : {RGB(128, 128, 128), RGB(120, 135, 140), RGB(20, 30, 90)}) {
        QImage face = blank(10, 8, RGB(255, 255, 255));
        Canvas c(face);
        c.PaintRect(under, QRect(0, 0, 10, 8));
        c.DrawFocusRect(QRect(QPoint(2, 2), QPoint(7, 5)));
        c.painter().end();
        for (const QPoint& p : {QPoint(2, 2), QPoint(4, 2), QPoint(7, 3), QPoint(3, 5)})
            QVERIFY2(
                PixelContrast(face.pixel(p), ToQColor(under).rgb()) >= 3.0,
                qPrintable(QStringLiteral("%1,%2 on %3").arg(p.x()).arg(p.y()).arg(under, 0, 16)));
        QCOMPARE(at(face, 3, 2), under);
    }
}

void TestCanvas::textFlags()
{
    QImage img = blank(200, 60, RGB(255, 255, 255));
    Canvas c(img);
    // Word-breaking in a narrow rectangle takes more lines than one line does.
    const QString text = "several words that wrap";
    const QRect one = c.MeasureText(text, QRect(5, 6, 400, 60), 0);
    const QRect wrapped = c.MeasureText(text, QRect(5, 6, 60, 60), Canvas::DtWordBreak);
    QCOMPARE(one.topLeft(), QPoint(5, 6));
    QVERIFY(wrapped.height() >= 2 * one.height());
    QVERIFY(wrapped.width() <= 60 + c.TextWidth("several"));
    // "&&" shows one ampersand; "&x" marks x and takes no width of its own.
    const QRect box(0, 0, 100, 20);
    QCOMPARE(c.MeasureText("a&&b", box, 0).width(),
             c.MeasureText("a&b", box, Canvas::DtNoPrefix).width());
    QCOMPARE(c.MeasureText("&ab", box, 0).width(), c.MeasureText("ab", box, 0).width());
    // Centred: ink lies round the middle column, none at the far left.
    c.DrawText("ab", QRect(0, 0, 200, 60), RGB(0, 0, 0), Canvas::DtCenter | Canvas::DtWordBreak);
    c.painter().end();
    int minX = 200, maxX = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (at(img, x, y) != RGB(255, 255, 255)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    QVERIFY(maxX > minX);
    QVERIFY(qAbs((minX + maxX) / 2 - 100) <= 4);
    // Right-to-left reading keeps a left-aligned caption on the left.
    QImage rtl = blank(200, 30, RGB(255, 255, 255));
    {
        Canvas r(rtl);
        r.DrawText("ab", QRect(0, 0, 200, 30), RGB(0, 0, 0), Canvas::DtRtlReading);
    }
    int rtlMax = -1;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x)
            if (at(rtl, x, y) != RGB(255, 255, 255))
                rtlMax = std::max(rtlMax, x);
    QVERIFY(rtlMax >= 0 && rtlMax < 100);
}

QTEST_MAIN(TestCanvas)
#include "TestCanvas.moc"
