#include "platform/common/HeldKeys.h"
#include "platform/common/KeysymTable.h"
#include "platform/KeyTable.h"

#include <QtTest>

#include <X11/keysym.h>
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>

using namespace tarvex;

// The keysym → virtual-key table and the held keys behind the X11 key source.
class TestKeyInput final : public QObject
{
    Q_OBJECT

private slots:
    // The whole table walks both ways in TestKeyText; here the keysyms that name a key other
    // than their own look suggests.
    void keysym()
    {
        // Upper A is the A key; F1 no letter; right Ctrl the generic Ctrl; AltGr is Alt; then
        // the keypad's keys with and without Num Lock, its comma, and its Enter (no Enter); no
        // symbol, an umlaut, a dead key and a number beyond 32 bits name no key.
        const std::pair<unsigned long, int> rows[] = {{XK_A, 65},
                                                      {XK_F1, 112},
                                                      {XK_F24, 135},
                                                      {XK_Control_R, 17},
                                                      {XK_ISO_Level3_Shift, 18},
                                                      {XK_Super_R, 92},
                                                      {XK_ISO_Left_Tab, 9},
                                                      {XF86XK_AudioPlay, 179},
                                                      {XK_less, 188},
                                                      {XK_KP_1, 97},
                                                      {XK_KP_End, 97},
                                                      {XK_KP_Begin, 101},
                                                      {XK_KP_Delete, 110},
                                                      {XK_KP_Separator, 110},
                                                      {XK_KP_Enter, 14},
                                                      {0, 0},
                                                      {XK_odiaeresis, 0},
                                                      {XK_dead_acute, 0},
                                                      {0x100000000UL + XK_a, 0}};
        for (const auto& [keysym, code] : rows)
            QCOMPARE(virtualKeyForKeysym(keysym), code);
    }

    // The desktop's shortcuts name a key by its keysym name (a letter's or digit's is its text):
    // each one in the key table must be read back as that key's keysym.
    void keysymNamesNameTheirKeys()
    {
        for (const KeyTableEntry& key : KeyTable) {
            const bool character = key.text[0] && !key.text[1];
            const char* name = key.keysymName ? key.keysymName : character ? key.text : nullptr;
            if (name)
                QVERIFY2(XStringToKeysym(name) == key.keysyms[0], name);
        }
    }

    void keycodePosition()
    {
        // The minus key, the keys right of L and of semicolon, the ISO key beside left Shift,
        // F13 (a tool key in XKB) and F24; a letter key has no fallback.
        const std::pair<int, int> rows[] = {{20, 189},  {47, 186},  {48, 222}, {94, 226},
                                            {191, 124}, {202, 135}, {38, 0}};
        for (const auto& [keycode, code] : rows)
            QCOMPARE(virtualKeyForKeycodePosition(keycode), code);
    }

    // A script of steps: "p<keycode>:<code>+" expects a new press, "p..-" none
    // (a repeat, or a code another key holds down); "r<keycode>" releases.
    void heldKeys_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("press, release, press") << "p38:65+ r38 p38:65+";
        QTest::newRow("auto-repeat is no new press") << "p38:65+ p38:65- p38:65- r38 p38:65+";
        QTest::newRow("release without press is accepted") << "r38 r38 p38:65+";
        QTest::newRow("duplicate release") << "p38:65+ r38 r38 p38:65+ p39:65-";
        QTest::newRow("both shift keys are one code")
            << "p50:16+ p62:16- r50 p50:16- r50 r62 p62:16+";
        QTest::newRow("other codes are untouched") << "p38:65+ p39:66+";
        QTest::newRow("keycode without a code") << "p200:0- p200:65+";
        QTest::newRow("out of range") << "p300:65- r300 p38:256- p38:65+";
    }
    void heldKeys()
    {
        QFETCH(QString, script);
        HeldKeys held;
        const QRegularExpression step(QStringLiteral("^([pr])(-?\\d+)(?::(\\d+)([+-]))?$"));
        for (const QString& text : script.split(QLatin1Char(' '))) {
            const QRegularExpressionMatch m = step.match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            const int first = m.captured(2).toInt();
            if (m.captured(1) == QLatin1String("p"))
                QVERIFY2(held.press(first, m.captured(3).toInt()) == (m.captured(4) == "+"),
                         qPrintable(text));
            else
                held.release(first);
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyInput)
#include "TestKeyInput.moc"
