// What a button shows inside its face: which picture for which state, and where it goes.
#include "controls/button/ButtonContent.h"
#include "controls/button/velbutton.h"

#include <QtTest>

using namespace tarvex;

namespace {

QImage Filled(QColor colour)
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(colour);
    return picture;
}

} // namespace

class TestButtonContent final : public QObject
{
    Q_OBJECT

private slots:
    void pictureOfEachState_data();
    void pictureOfEachState();
    void picturePlaces_data();
    void picturePlaces();
};

void TestButtonContent::pictureOfEachState_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("withHot");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("normal") << "" << true << QColor(Qt::red);
    QTest::newRow("pointer over") << "over" << true << QColor(Qt::green);
    QTest::newRow("pressed") << "press" << true << QColor(Qt::blue);
    QTest::newRow("checked, pointer away") << "check" << true << QColor(Qt::blue);
    QTest::newRow("pointer over, no hot picture") << "over" << false << QColor(Qt::red);
}

// The pictures of a real button driven by the pointer; a checked toggle button keeps its
// pressed picture once the pointer has left it.
void TestButtonContent::pictureOfEachState()
{
    QFETCH(QString, input);
    QFETCH(bool, withHot);
    QFETCH(QColor, shown);
    QWidget window;
    window.resize(200, 80);
    auto* b = new velbutton(&window, QStringLiteral("b"));
    b->setGeometry(10, 10, 100, 30);
    b->setMode(input == "check" ? ButtonMode::Check : ButtonMode::Push);
    b->setPictureAlign(PicturePosition::Center);
    b->setPictureNormal(Filled(Qt::red));
    b->setPictureHot(withHot ? Filled(Qt::green) : QImage());
    b->setPictureDown(Filled(Qt::blue));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint centre = b->rect().center();
    if (input == "over")
        QTest::mouseMove(b, centre);
    if (input == "press" || input == "check")
        QTest::mousePress(b, Qt::LeftButton, {}, centre);
    if (input == "check") {
        QTest::mouseRelease(b, Qt::LeftButton, {}, centre);
        QTest::mouseMove(&window, QPoint(180, 70));
        QTRY_COMPARE(b->state(), ButtonState::Normal);
        QVERIFY(b->isChecked());
    }
    QCOMPARE(b->grab().toImage().pixelColor(centre), shown);
}

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
    QTest::newRow("2 right edge, drop-down") << 2 << true << "x=w-pw-19";
}

// A 16 x 12 picture on a 160 x 60 face with the caption "Go".
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
    const ButtonContent::Layout l = ButtonContent::Arrange(canvas, d, QSize(16, 12));
    const QRect c = l.caption, r = l.picture;
    const int capRight = c.left() + c.width(), capBottom = c.top() + c.height();
    QCOMPARE(r.size(), QSize(16, 12));
    const QHash<QString, bool> rules{
        {"x=3", r.left() == 3 && r.top() == 24},
        {"right+4=caption left", r.left() + 20 == c.left()},
        {"x=w-pw-3", r.left() == 141},
        {"x=caption right+4", r.left() == capRight + 4},
        {"centred", r.topLeft() == QPoint(72, 24)},
        {"centred-8", r.left() == 64},
        {"y=4", r.top() == 4},
        {"bottom+2=caption top", r.top() + 14 == c.top()},
        {"y=h-ph-4", r.top() == 44},
        {"y=caption bottom+2", r.top() == capBottom + 2},
        {"x=w-pw-19", r.left() == std::max(125, capRight + 2)},
    };
    QVERIFY2(rules.value(rule), qPrintable(QStringLiteral("picture %1,%2 caption %3,%4 %5x%6")
                                               .arg(r.left())
                                               .arg(r.top())
                                               .arg(c.left())
                                               .arg(c.top())
                                               .arg(c.width())
                                               .arg(c.height())));
    QCOMPARE(!l.symbol.isNull(), dropDown);
}

QTEST_MAIN(TestButtonContent)
#include "TestButtonContent.moc"
