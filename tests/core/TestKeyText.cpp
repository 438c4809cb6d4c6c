#include "activation/HotkeyMatcher.h"
#include "keys/KeyText.h"
#include "platform/KeyTable.h"
#include "tests/core/CodesText.h"

#include <QSet>
#include <QTest>

using namespace tarvex;

class TestKeyText final : public QObject
{
    Q_OBJECT

private slots:
    // Key -> text -> key and back for every key, no text, keysym or position naming two keys.
    void tableWalksBothWays()
    {
        QSet<int> codes;
        QSet<QString> texts;
        QSet<quint32> keysyms;
        QSet<int> positions;
        for (const KeyTableEntry& key : KeyTable) {
            const QString text = QString::fromLatin1(key.text);
            QVERIFY2(!codes.contains(key.code), qPrintable(QString::number(key.code)));
            codes.insert(key.code);
            QCOMPARE(KeyText(key.code), text);
            if (!text.isEmpty()) {
                QVERIFY2(!texts.contains(text), qPrintable(text));
                texts.insert(text);
                QCOMPARE(KeyCodeOf(text), int(key.code));
                QCOMPARE(KeyText(KeyCodeOf(text)), text);
                QCOMPARE(KeyCodesFromText(text), Codes({key.code}));
            }
            for (const quint32 keysym : key.keysyms) {
                QVERIFY2(keysym == 0 || !keysyms.contains(keysym), qPrintable(text));
                keysyms.insert(keysym);
            }
            QVERIFY(key.position == 0 || !positions.contains(key.position));
            positions.insert(key.position);
        }
        for (int code = 1; code < 256; ++code)
            QVERIFY(codes.contains(code) || KeyText(code).isEmpty());
    }

    // Each key fires the record of its own text only; a key without a text fires none.
    void eachKeyFiresItsOwnTextOnly()
    {
        QStringList records;
        for (int code = 1; code < 256; ++code) {
            if (!KeyText(code).isEmpty())
                records << KeyText(code) + u'*' + QString::number(code);
        }
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            records << QString(QChar(letter)) + u'*' + QString::number(letter);
        ActiveHotkeyTable table;
        table.replaceFromText(records.join(u'|'));
        HotkeyMatcher matcher;
        matcher.compile(table);
        for (int code = 1; code < 256; ++code) {
            matcher.reset();
            const int fired = matcher.feed(quint8(code));
            const QString expected = KeyText(code).isEmpty() ? QString() : QString::number(code);
            QCOMPARE(fired < 0 ? QString() : table.targetAt(fired).value_or(QString()), expected);
        }
    }

    void codesFromText()
    {
        const std::pair<const char*, QString> rows[] = {
            {"(Ctrl)(Alt)k", Codes({17, 18, 75})},
            {"(Ctrl)s(Ctrl)(F4)", Codes({17, 83, 17, 115})}, // s is not F4
            {"gowp", Codes({71, 79, 87, 80})},               // letters are the letter keys
            {"S", Codes({83})},                              // a capital is the same key
            {"(Num1)a", Codes({97, 65})},                    // keypad 1 is not a
            {"(Num*)(Num+)(Num-)(Num/)(Num.)(NumEnter)", Codes({106, 107, 109, 111, 110, 14})},
            {"(Tab)(Enter)(Esc)(Backspace)(Ins)(Home)(End)(PgUp)(PgDn)",
             Codes({9, 13, 27, 8, 45, 36, 35, 33, 34})},
            {"(Up)(Down)(Left)(Right)", Codes({38, 40, 37, 39})},
            {"(Mute)(VolDown)(VolUp)(Play)(Stop)(Prev)(Next)",
             Codes({173, 174, 175, 179, 178, 177, 176})},
            {"(F24)(Print)(Pause)(Menu)", Codes({135, 44, 19, 93})},
            {"(ALT)k", Codes({0, 65, 76, 84, 0, 75})}, // capitals are no token
            {"(a)", Codes({0, 65, 0})},                // stray parentheses name no key
            {"(F25)", Codes({0, 70, 50, 53, 0})},
            {"ctrl+a", Codes({67, 84, 82, 76, 0, 65})},
            {"", ""},
        };
        for (const auto& [text, expected] : rows)
            QCOMPARE(KeyCodesFromText(QString(text)), expected);
    }
};

QTEST_GUILESS_MAIN(TestKeyText)
#include "TestKeyText.moc"
