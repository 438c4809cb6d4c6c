#include "platform/common/KeyLatch.h"
#include "platform/common/KeysymTable.h"

#include <QtTest>

#include <X11/keysym.h>
#include <X11/XF86keysym.h>

using namespace tarvex;

// The keysym → virtual-key table and the key latch behind the X11 key-state source.
class TestKeyInput final : public QObject
{
    Q_OBJECT

private slots:
    void keysym_data();
    void keysym();
    void keycodePosition_data();
    void keycodePosition();
    void latch_data();
    void latch();
};

void TestKeyInput::keysym_data()
{
    QTest::addColumn<qulonglong>("keysym");
    QTest::addColumn<int>("code");
    const auto row = [](const char* name, unsigned long keysym, int code) {
        QTest::newRow(name) << qulonglong(keysym) << code;
    };
    row("lower a", XK_a, 65);
    row("upper A", XK_A, 65);
    row("lower z", XK_z, 90);
    row("digit 0", XK_0, 48);
    row("digit 9", XK_9, 57);
    row("F1", XK_F1, 112);
    row("F12", XK_F12, 123);
    row("F24", XK_F24, 135);
    row("keypad 0", XK_KP_0, 96);
    row("keypad 9", XK_KP_9, 105);
    row("keypad home (num lock off)", XK_KP_Home, 36);
    row("keypad delete", XK_KP_Delete, 46);
    row("keypad multiply", XK_KP_Multiply, 106);
    row("keypad divide", XK_KP_Divide, 111);
    row("keypad enter is Enter", XK_KP_Enter, 13);
    row("left shift generic", XK_Shift_L, 16);
    row("right shift generic", XK_Shift_R, 16);
    row("left ctrl generic", XK_Control_L, 17);
    row("right ctrl generic", XK_Control_R, 17);
    row("left alt generic", XK_Alt_L, 18);
    row("right alt generic", XK_Alt_R, 18);
    row("AltGr is Alt", XK_ISO_Level3_Shift, 18);
    row("left Windows key", XK_Super_L, 91);
    row("right Windows key", XK_Super_R, 92);
    row("menu key", XK_Menu, 93);
    row("space", XK_space, 32);
    row("enter", XK_Return, 13);
    row("tab", XK_Tab, 9);
    row("shift tab", XK_ISO_Left_Tab, 9);
    row("escape", XK_Escape, 27);
    row("backspace", XK_BackSpace, 8);
    row("delete", XK_Delete, 46);
    row("insert", XK_Insert, 45);
    row("page up", XK_Prior, 33);
    row("page down", XK_Next, 34);
    row("arrow left", XK_Left, 37);
    row("arrow down", XK_Down, 40);
    row("print screen", XK_Print, 44);
    row("caps lock", XK_Caps_Lock, 20);
    row("num lock", XK_Num_Lock, 144);
    row("semicolon", XK_semicolon, 186);
    row("equal", XK_equal, 187);
    row("comma", XK_comma, 188);
    row("minus", XK_minus, 189);
    row("period", XK_period, 190);
    row("slash", XK_slash, 191);
    row("grave", XK_grave, 192);
    row("left bracket", XK_bracketleft, 219);
    row("backslash", XK_backslash, 220);
    row("right bracket", XK_bracketright, 221);
    row("apostrophe", XK_apostrophe, 222);
    row("volume up", XF86XK_AudioRaiseVolume, 175);
    row("no symbol", 0, 0);
    row("umlaut has no number", XK_odiaeresis, 0);
    row("dead key has no number", XK_dead_acute, 0);
}

void TestKeyInput::keysym()
{
    QFETCH(qulonglong, keysym);
    QFETCH(int, code);
    QCOMPARE(virtualKeyForKeysym(keysym), code);
}

void TestKeyInput::keycodePosition_data()
{
    QTest::addColumn<int>("keycode");
    QTest::addColumn<int>("code");
    QTest::newRow("minus key") << 20 << 189;
    QTest::newRow("key right of L") << 47 << 186;
    QTest::newRow("key right of semicolon") << 48 << 222;
    QTest::newRow("ISO key beside left shift") << 94 << 226;
    QTest::newRow("letter key has no fallback") << 38 << 0;
}

void TestKeyInput::keycodePosition()
{
    QFETCH(int, keycode);
    QFETCH(int, code);
    QCOMPARE(virtualKeyForKeycodePosition(keycode), code);
}

// A script of latch steps: "p<keycode>:<code>+" expects a new press, "p..-" a
// repeat; "r<keycode>" releases; "q<code>=<hex>" queries and compares.
void TestKeyInput::latch_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("press is reported once") << "p38:65+ q65=8001 q65=8000 r38 q65=0000";
    QTest::newRow("tap released before the query") << "p38:65+ r38 q65=0001 q65=0000";
    QTest::newRow("auto-repeat is no new press") << "p38:65+ q65=8001 p38:65- p38:65- q65=8000";
    QTest::newRow("release without press is accepted") << "r38 r38 q65=0000 p38:65+ q65=8001";
    QTest::newRow("duplicate release") << "p38:65+ r38 r38 p38:65+ q65=8001";
    QTest::newRow("both shift keys are one code")
        << "p50:16+ q16=8001 p62:16- r50 q16=8000 r62 q16=0000 p62:16+ q16=8001";
    QTest::newRow("other codes are untouched") << "p38:65+ q66=0000 q65=8001";
    QTest::newRow("keycode without a code") << "p200:0- q0=0000";
    QTest::newRow("out of range") << "p300:65- r300 q256=0000 q-1=0000 q65=0000";
}

void TestKeyInput::latch()
{
    QFETCH(QString, script);
    KeyLatch latch;
    const QRegularExpression step(
        QStringLiteral("^([pqr])(-?\\d+)(?::(\\d+)([+-]))?(?:=(\\w+))?$"));
    for (const QString& text : script.split(QLatin1Char(' '))) {
        const QRegularExpressionMatch m = step.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        const int first = m.captured(2).toInt();
        if (m.captured(1) == QLatin1String("p"))
            QVERIFY2(latch.press(first, m.captured(3).toInt()) == (m.captured(4) == "+"),
                     qPrintable(text));
        else if (m.captured(1) == QLatin1String("r"))
            latch.release(first);
        else
            QCOMPARE(QString::number(latch.query(first), 16).rightJustified(4, QLatin1Char('0')),
                     m.captured(5));
    }
}

QTEST_GUILESS_MAIN(TestKeyInput)
#include "TestKeyInput.moc"
