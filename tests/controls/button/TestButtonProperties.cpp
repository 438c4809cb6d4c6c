#include "StyleFixture.h"

#include "controls/button/velbutton.h"
#include "controls/PropertyBag.h"

#include <QtTest>

using namespace tarvex;

// velbutton properties: "New" and "Missing" defaults, property sets, the
// style-derived colours and the access key.
class TestButtonProperties final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { UseTestPalette(); }
    void cleanupTestCase() { SystemColors::reset(); }
    void newControlDefaults();
    void missingDefaults_data();
    void missingDefaults();
    void propertySetRoundTrip();
    void backColorSwitchesScheme_data();
    void backColorSwitchesScheme();
    void styleResetsForeColor();
    void accessKeyOf_data();
    void accessKeyOf();
    void valueFromCode();
    void widgetSettersReachProperties();

private:
    QWidget m_window;
};

void TestButtonProperties::newControlDefaults()
{
    velbutton b(nullptr, QStringLiteral("velbutton7"));
    QCOMPARE(b.ButtonStyle(), ButtonStyleKind::WindowsTheme);
    QCOMPARE(b.ShowFocusRect(), true); // every style shows the keyboard focus
    QCOMPARE(b.Caption(), QStringLiteral("velbutton7"));
    QCOMPARE(b.ForeColorHover(), OleColor(0));
    QCOMPARE(b.TooltipBackColor(), OleColor(0));
    QCOMPARE(b.PictureEffectOnOver(), 0);
    QCOMPARE(b.PictureEffectOnDown(), 0);
    QCOMPARE(b.ForeColor(), SystemColor(18));
    QCOMPARE(b.MaskColor(), OleColor(0xE0E0E0));
    QCOMPARE(b.Font().family(), QStringLiteral("Tahoma"));
}

void TestButtonProperties::missingDefaults_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<qlonglong>("expected");
    QTest::newRow("ButtonStyle") << "ButtonStyle" << 1LL;
    QTest::newRow("ForeColorHover") << "ForeColorHover" << 0x80000012LL;
    QTest::newRow("TooltipBackColor") << "TooltipBackColor" << 0x80000018LL;
    QTest::newRow("PictureEffectOnOver") << "PictureEffectOnOver" << 1LL;
    QTest::newRow("PictureEffectOnDown") << "PictureEffectOnDown" << 2LL;
    QTest::newRow("BackColor") << "BackColor" << 0x8000000FLL;
    QTest::newRow("ColorScheme") << "ColorScheme" << 0LL;
    QTest::newRow("ShowFocusRect") << "ShowFocusRect" << 0LL;
}

void TestButtonProperties::missingDefaults()
{
    QFETCH(QString, property);
    QFETCH(qlonglong, expected);
    velbutton b;
    b.ReadProperties(PropertyBag());
    const ButtonProperties& p = b.properties();
    const QHash<QString, qlonglong> values{{"ButtonStyle", int(p.ButtonStyle)},
                                           {"ForeColorHover", p.ForeColorHover},
                                           {"TooltipBackColor", p.TooltipBackColor},
                                           {"PictureEffectOnOver", p.PictureEffectOnOver},
                                           {"PictureEffectOnDown", p.PictureEffectOnDown},
                                           {"BackColor", p.BackColor},
                                           {"ColorScheme", p.ColorScheme},
                                           {"ShowFocusRect", p.ShowFocusRect}};
    QCOMPARE(values.value(property), expected);
    QCOMPARE(b.Caption(), QStringLiteral("velbutton"));
    // Written back, nothing differs from the defaults: the set stays empty.
    PropertyBag out;
    b.WriteProperties(out);
    QCOMPARE(out.names(), QStringList());
}

void TestButtonProperties::propertySetRoundTrip()
{
    velbutton a(&m_window, "a");
    a.setButtonStyle(ButtonStyleKind(3));
    a.setBackColor(RGB(1, 2, 3));
    a.setCaption("Save && &Exit");
    a.setMode(ButtonMode::Check);
    a.setValue(true);
    a.setPictureAlign(PicturePosition::BottomEdge);
    a.setTooltipTitle("Info");
    a.setDropDownSymbol(2);
    QImage pic(5, 5, QImage::Format_ARGB32);
    pic.fill(Qt::red);
    a.setPictureNormal(pic);
    PropertyBag bag;
    a.WriteProperties(bag);
    PropertyBag json;
    QVERIFY(PropertyBag::fromJson(bag.toJson(), json));
    velbutton b(&m_window, "b");
    b.ReadProperties(json);
    QCOMPARE(b.ButtonStyle(), ButtonStyleKind::Hover3D);
    QCOMPARE(b.BackColor(), RGB(1, 2, 3));
    QCOMPARE(b.ColorScheme(), 3);
    QCOMPARE(b.Caption(), QStringLiteral("Save && &Exit"));
    QCOMPARE(b.accessKey(), QChar('E'));
    QVERIFY(b.Value());
    QCOMPARE(b.PictureNormal().pixel(2, 2), pic.pixel(2, 2));
    PropertyBag again;
    b.WriteProperties(again);
    QVERIFY(again == bag);
    // Keys match without regard to case.
    PropertyBag lower;
    lower.WriteProperty("buttonstyle", 9, 1);
    b.ReadProperties(lower);
    QCOMPARE(b.ButtonStyle(), ButtonStyleKind::Outlook2007);
}

void TestButtonProperties::backColorSwitchesScheme_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("schemeAfter");
    QTest::addColumn<OleColor>("restored"); // BackColor after ColorScheme = 0
    QTest::newRow("style 2") << 2 << 3 << RGB(236, 235, 231);
    QTest::newRow("style 3") << 3 << 3 << RGB(224, 236, 253);
    QTest::newRow("style 4 keeps its scheme") << 4 << 0 << SystemColor(15);
    QTest::newRow("style 9") << 9 << 3 << RGB(173, 209, 255);
}

void TestButtonProperties::backColorSwitchesScheme()
{
    QFETCH(int, style);
    QFETCH(int, schemeAfter);
    QFETCH(OleColor, restored);
    velbutton b;
    b.setButtonStyle(ButtonStyleKind(style));
    b.setBackColor(RGB(10, 20, 30));
    QCOMPARE(b.ColorScheme(), schemeAfter);
    QCOMPARE(b.BackColor(), RGB(10, 20, 30));
    b.setColorScheme(0);
    QCOMPARE(b.BackColor(), restored);
}

void TestButtonProperties::styleResetsForeColor()
{
    velbutton b;
    b.setForeColor(RGB(1, 1, 1));
    b.setShowFocusRect(false);
    b.setButtonStyle(ButtonStyleKind(9));
    QCOMPARE(b.ForeColor(), SystemColor(18));
    QCOMPARE(b.ShowFocusRect(), true);
    QCOMPARE(b.ColorScheme(), 2);
    b.setButtonStyle(ButtonStyleKind(4));
    QVERIFY(b.PicturePushOnHover());
}

void TestButtonProperties::accessKeyOf_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::newRow("plain") << "&Save"
                           << "S";
    QTest::newRow("after literal") << "Fish && &Chips"
                                   << "C";
    QTest::newRow("only literal") << "A && B"
                                  << "";
    QTest::newRow("none") << "Save"
                          << "";
    QTest::newRow("trailing") << "Save&"
                              << "";
}

void TestButtonProperties::accessKeyOf()
{
    QFETCH(QString, caption);
    QFETCH(QString, key);
    const QChar k = ButtonProperties::AccessKeyOf(caption);
    QCOMPARE(k.isNull() ? QString() : QString(k), key);
}

void TestButtonProperties::valueFromCode()
{
    velbutton b;
    b.setValue(true); // push mode does not keep it
    QVERIFY(!b.Value());
    b.setMode(ButtonMode::Option);
    b.setValue(true);
    QVERIFY(b.Value());
    b.setValue(false);
    QCOMPARE(b.state(), ButtonState::Normal);
}

// Code that treats the button as a plain widget still sets its properties.
void TestButtonProperties::widgetSettersReachProperties()
{
    velbutton b(&m_window, "b");
    b.setToolTip("Starts the hotkeys");
    QCOMPARE(b.ToolTip(), QStringLiteral("Starts the hotkeys"));
    QFont f = b.font();
    f.setPointSize(17);
    b.setFont(f);
    QCOMPARE(b.Font().pointSize(), 17);
    b.setEnabled(false);
    QVERIFY(!b.Enabled());
    PropertyBag bag;
    b.WriteProperties(bag);
    QCOMPARE(bag.ReadProperty("Enabled", true).toBool(), false);
    QCOMPARE(bag.ReadProperty("ToolTip").toString(), QStringLiteral("Starts the hotkeys"));
}

QTEST_MAIN(TestButtonProperties)
#include "TestButtonProperties.moc"
