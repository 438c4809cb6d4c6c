#include "StyleFixture.h"

#include "controls/button/velbutton.h"

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
}

QTEST_MAIN(TestButtonProperties)
#include "TestButtonProperties.moc"
