#include "keys/KeyText.h"
#include "tests/core/CodesText.h"

#include <QTest>

using namespace tarvex;

class TestKeyText final : public QObject
{
    Q_OBJECT

private slots:
    void alphabet();
    void filter_data();
    void filter();
    void textFromCodes_data();
    void textFromCodes();
    void codesFromText_data();
    void codesFromText();
    void roundTripsCapturedTexts();
    void matchingEquality_data();
    void matchingEquality();
};

void TestKeyText::alphabet()
{
    const QString alphabet = KeyAlphabet();
    QCOMPARE(alphabet.size(), 64);
    QVERIFY(!alphabet.contains(u'*') && !alphabet.contains(u'|') && !alphabet.contains(u' '));
}

void TestKeyText::filter_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("keeps alphabet") << "(Ctrl)x9Z"
                                    << "(Ctrl)x9Z";
    QTest::newRow("drops separators") << "a*b|c d"
                                      << "abcd";
    QTest::newRow("drops control and high codes") << Codes({16, 'a', 200, 0xE9}) << "a";
    QTest::newRow("empty") << ""
                           << "";
}

void TestKeyText::filter()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(FilterKeyText(input), expected);
}

void TestKeyText::textFromCodes_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ctrl alt k") << Codes({17, 18, 'k'}) << "(Ctrl)(Alt)k";
    QTest::newRow("alt ctrl k") << Codes({18, 17, 'k'}) << "(Alt)(Ctrl)k";
    QTest::newRow("shift a stays lower") << Codes({16, 'a'}) << "(Shift)a";
    QTest::newRow("F1 is p") << QString(QChar(112)).toLower() << "p";
    QTest::newRow("keypad 1 is a") << Codes({97}) << "a";
    QTest::newRow("F12 tab keypad 0 leave nothing") << Codes({123, 9, 96}) << "";
    QTest::newRow("repeated modifier") << Codes({17, 17, 'a'}) << "(Ctrl)(Ctrl)a";
    QTest::newRow("space dot bracket") << " .["
                                       << "(Space)(Del)(Win)";
    QTest::newRow("combination unchanged") << "(Ctrl)x"
                                           << "(Ctrl)x";
    QTest::newRow("sided modifiers leave nothing") << Codes({160, 162, 164, 92}) << "";
}

void TestKeyText::textFromCodes()
{
    QFETCH(QString, codes);
    QFETCH(QString, expected);
    QCOMPARE(KeyTextFromCodes(codes), expected);
}

void TestKeyText::codesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ctrl alt k") << "(Ctrl)(Alt)k" << Codes({17, 18, 'k'});
    QTest::newRow("alt space") << "(Alt)(Space)" << Codes({18, 32});
    QTest::newRow("all tokens") << "(Shift)(Del)(Win)" << Codes({16, 46, 91});
    QTest::newRow("capitals are no token") << "(ALT)k"
                                           << "(ALT)k";
    QTest::newRow("stray parenthesis") << "(a)"
                                       << "(a)";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("plain keys") << "gofb"
                                << "gofb";
}

void TestKeyText::codesFromText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(KeyCodesFromText(text), expected);
}

void TestKeyText::roundTripsCapturedTexts()
{
    // Every capturable code sequence survives text form and back (up to letter case).
    const QString codes = Codes({17, 18, 'k', 16, 32, 91, 46, '7'});
    const QString text = KeyTextFromCodes(codes);
    QCOMPARE(KeyCodesFromText(text), codes);
    QCOMPARE(KeyTextFromCodes(text), text);
}

void TestKeyText::matchingEquality_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("A a") << 65 << 97 << true;
    QTest::newRow("Z z") << 90 << 122 << true;
    QTest::newRow("P and F1") << 80 << 112 << true;
    QTest::newRow("same code") << 17 << 17 << true;
    QTest::newRow("@ is not `") << 64 << 96 << false;
    QTest::newRow("[ is not {") << 91 << 123 << false;
    QTest::newRow("ctrl is not 49") << 17 << 49 << false;
    QTest::newRow("a is not b") << 97 << 98 << false;
    QTest::newRow("high codes exact") << 192 << 224 << false;
}

void TestKeyText::matchingEquality()
{
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, equal);
    QCOMPARE(KeyCodesMatch(char16_t(a), char16_t(b)), equal);
    QCOMPARE(KeyCodesMatch(char16_t(b), char16_t(a)), equal);
}

QTEST_GUILESS_MAIN(TestKeyText)
#include "tst_KeyText.moc"
