#include "activation/HotkeyShadowing.h"

#include <QTest>

using namespace tarvex;

class TestHotkeyShadowing final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The row whose match fires first over the row at a position (0: none), with why.
    void winner()
    {
        const std::tuple<QStringList, int, int> rows[] = {
            {{"g", "gofb"}, 2, 1},              // earlier prefix hides
            {{"gofb", "g"}, 1, 2},              // later prefix fires first
            {{"ab", "b"}, 1, 0},                // later suffix loses the tie
            {{"b", "ab"}, 2, 1},                // earlier suffix wins the tie
            {{"xyz", "wxyzw"}, 2, 1},           // inner run
            {{"x", "x"}, 2, 1},                 // second duplicate is dead
            {{"x", "x"}, 1, 0},                 // first duplicate fires
            {{"G", "gofb"}, 2, 1},              // a capital is the same key
            {{"(Ctrl)", "(Ctrl)(Alt)k"}, 2, 1}, // tokens as key codes
            {{"(Ctrl)s", "(Ctrl)(F4)x"}, 2, 0}, // ctrl s is no ctrl F4
            {{"a", "(Num1)(Num2)"}, 2, 0},      // a is no keypad 1
            {{"(Num*)", "x(Num*)y"}, 2, 1},     // keypad multiply
            {{"(ALT)", "(ALT)k"}, 2, 0},        // a row naming no key hides none
            {{"cd", "bc", "abcd"}, 3, 2},       // earliest end wins
            {{"abcd", "d", "cd"}, 1, 0},        // same end: first row
            {{"d", "cd", "abcd"}, 3, 1},        // same end: earlier row
            {{"ab", "cd"}, 2, 0},               // unrelated
            {{"gofb", "go"}, 2, 0},             // longer is no cover
            {{"", "ab"}, 2, 0},                 // empty rows ignored
            {{"a", ""}, 2, 0},                  // empty row itself
            {{"a"}, 5, 0},                      // out of range
        };
        for (const auto& [combinations, position, winner] : rows) {
            QList<HotkeyEntry> entries;
            for (const QString& combination : combinations)
                entries.append({combination, QStringLiteral("/bin/true")});
            QCOMPARE(HotkeyShadowing::WinnerOver(entries, position), winner);
        }
    }
};

QTEST_GUILESS_MAIN(TestHotkeyShadowing)
#include "TestHotkeyShadowing.moc"
