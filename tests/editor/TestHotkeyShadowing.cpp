#include "activation/HotkeyShadowing.h"

#include <QTest>

using namespace tarvex;

class TestHotkeyShadowing final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void winner_data()
    {
        QTest::addColumn<QStringList>("combinations");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("winner");
        QTest::newRow("earlier prefix hides") << QStringList{"g", "gofb"} << 2 << 1;
        QTest::newRow("later prefix fires first") << QStringList{"gofb", "g"} << 1 << 2;
        QTest::newRow("later suffix loses the tie") << QStringList{"ab", "b"} << 1 << 0;
        QTest::newRow("earlier suffix wins the tie") << QStringList{"b", "ab"} << 2 << 1;
        QTest::newRow("inner run") << QStringList{"xyz", "wxyzw"} << 2 << 1;
        QTest::newRow("second duplicate is dead") << QStringList{"x", "x"} << 2 << 1;
        QTest::newRow("first duplicate fires") << QStringList{"x", "x"} << 1 << 0;
        QTest::newRow("a capital is the same key") << QStringList{"G", "gofb"} << 2 << 1;
        QTest::newRow("tokens as key codes") << QStringList{"(Ctrl)", "(Ctrl)(Alt)k"} << 2 << 1;
        QTest::newRow("ctrl s is no ctrl F4") << QStringList{"(Ctrl)s", "(Ctrl)(F4)x"} << 2 << 0;
        QTest::newRow("a is no keypad 1") << QStringList{"a", "(Num1)(Num2)"} << 2 << 0;
        QTest::newRow("keypad multiply") << QStringList{"(Num*)", "x(Num*)y"} << 2 << 1;
        QTest::newRow("a row naming no key hides none") << QStringList{"(ALT)", "(ALT)k"} << 2 << 0;
        QTest::newRow("earliest end wins") << QStringList{"cd", "bc", "abcd"} << 3 << 2;
        QTest::newRow("same end: first row") << QStringList{"abcd", "d", "cd"} << 1 << 0;
        QTest::newRow("same end: earlier row") << QStringList{"d", "cd", "abcd"} << 3 << 1;
        QTest::newRow("unrelated") << QStringList{"ab", "cd"} << 2 << 0;
        QTest::newRow("longer is no cover") << QStringList{"gofb", "go"} << 2 << 0;
        QTest::newRow("empty rows ignored") << QStringList{"", "ab"} << 2 << 0;
        QTest::newRow("empty row itself") << QStringList{"a", ""} << 2 << 0;
        QTest::newRow("out of range") << QStringList{"a"} << 5 << 0;
    }

    void winner()
    {
        QFETCH(QStringList, combinations);
        QFETCH(int, position);
        QFETCH(int, winner);
        QList<HotkeyEntry> entries;
        for (const QString& combination : combinations)
            entries.append({combination, QStringLiteral("/bin/true")});
        QCOMPARE(HotkeyShadowing::WinnerOver(entries, position), winner);
    }
};

QTEST_GUILESS_MAIN(TestHotkeyShadowing)
#include "TestHotkeyShadowing.moc"
