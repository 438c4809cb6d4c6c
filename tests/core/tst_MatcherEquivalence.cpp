#include "activation/HotkeyDetection.h"
#include "tests/core/ReferenceMatcher.h"
#include "tests/fakes/FakeKeyStateSource.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tarvex;

namespace {

// Small pools, so that random sequences meet often: letters in both cases, tokens old and new
// (the keypad's "*" among them), stray parentheses, a capitals token form; in the key stream
// the keys those name, the keys that once shared their codes with letters (F1 = 112 = "p",
// keypad 1 = 97 = "a"), and sided and high codes.
const QStringList Items{"a",       "b",     "c",     "A",       "B",      "(Ctrl)", "(Alt)",
                        "(Shift)", "(Win)", "(Del)", "(Space)", "(",      ")",      "(ALT)",
                        "1",       "p",     "(F1)",  "(Num1)",  "(Num*)", "(Down)"};
const QList<int> KeyPool{65, 66, 67, 80, 97, 98,  16,  17,  18,  32,
                         40, 41, 46, 49, 91, 106, 112, 162, 200, 220};

// Two letters and left Ctrl only: sequences longer than a tiny buffer stand in it often, so a
// left Ctrl arrives while the matcher is in the middle of one and its append drops the oldest.
const QStringList TrimItems{"a", "b"};
const QList<int> TrimKeyPool{65, 66, 162, 162};

struct Pools
{
    QStringList items;
    QList<int> keys;
    int longest;
};

QString RandomRecord(QRandomGenerator& random, const Pools& pools, int index)
{
    QString combination;
    const int length = random.bounded(0, pools.longest + 1);
    for (int i = 0; i < length; ++i)
        combination += pools.items.at(random.bounded(int(pools.items.size())));
    const int shape = random.bounded(20);
    if (shape == 0)
        return combination; // no "*": no target element
    if (shape == 1)
        return combination + QStringLiteral("*t%1*extra").arg(index);
    if (shape == 2)
        return combination + QStringLiteral("*t%1\tx").arg(index); // ignored: control character
    return combination + QStringLiteral("*t%1").arg(index);
}

QString RandomTable(QRandomGenerator& random, const Pools& pools)
{
    QStringList records;
    const int count = random.bounded(0, 9);
    for (int i = 0; i < count; ++i)
        records.append(RandomRecord(random, pools, i));
    return records.join(u'|');
}

} // namespace

Q_DECLARE_METATYPE(Pools)

class TestMatcherEquivalence final : public QObject
{
    Q_OBJECT

private slots:
    void sameFiringsAsReference_data();
    void sameFiringsAsReference();
    void occursRule_data();
    void occursRule();
};

void TestMatcherEquivalence::sameFiringsAsReference_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("seeds");
    QTest::addColumn<Pools>("pools");
    const Pools mixed{Items, KeyPool, 4};
    QTest::newRow("tiny buffer, trims constantly") << 3 << 400 << mixed;
    QTest::newRow("small buffer") << 7 << 400 << mixed;
    QTest::newRow("default buffer") << KeyBuffer::DefaultCapacity << 150 << mixed;
    QTest::newRow("left ctrl trims a full buffer") << 3 << 400 << Pools{TrimItems, TrimKeyPool, 6};
}

void TestMatcherEquivalence::sameFiringsAsReference()
{
    QFETCH(int, capacity);
    QFETCH(int, seeds);
    QFETCH(Pools, pools);
    FakeKeyStateSource source;
    int leftCtrlTrims = 0;
    for (quint32 seed = 1; seed <= quint32(seeds); ++seed) {
        QRandomGenerator random(seed);
        ActiveHotkeyTable table;
        table.replaceFromText(RandomTable(random, pools));
        QStringList fired;
        HotkeyDetection detection(
            source, table, [&fired](const QString& target) { fired.append(target); }, capacity);
        ReferenceMatcher reference(capacity);
        auto sequences = ReferenceMatcher::Prepare(table.records());
        for (int step = 0; step < 300; ++step) {
            if (random.bounded(25) == 0) {
                table.replaceFromText(RandomTable(random, pools));
                sequences = ReferenceMatcher::Prepare(table.records());
                reference.tableReplaced();
            }
            const int code = pools.keys.at(random.bounded(int(pools.keys.size())));
            leftCtrlTrims += code == 162 && reference.buffer().size() == capacity ? 1 : 0;
            fired.clear();
            detection.appendKeyCode(code);
            const int expected = reference.appendPrepared(code, sequences);
            const QStringList expectedFired =
                expected < 0 ? QStringList{} : QStringList{table.targetAt(expected).value_or("")};
            // Checked by hand first: the test macros format their messages even on success.
            if (fired != expectedFired || detection.buffer().text() != reference.buffer()) {
                qWarning("seed %u step %d", seed, step);
                QCOMPARE(fired, expectedFired);
                QCOMPARE(detection.buffer().text(), reference.buffer());
            }
        }
    }
    if (capacity < 10)
        QVERIFY2(leftCtrlTrims > 0, "no left Ctrl ever met a full buffer");
}

void TestMatcherEquivalence::occursRule_data()
{
    // The reference itself must follow the containment rules, or the comparison proves nothing.
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<bool>("occurs");
    QTest::newRow("empty in empty") << ""
                                    << "" << false;
    QTest::newRow("empty in any") << ""
                                  << "x" << true;
    QTest::newRow("codes exact") << "ab"
                                 << "xAB" << false;
    QTest::newRow("not contiguous") << "ab"
                                    << "aXb" << false;
    QTest::newRow("longer than buffer") << "abc"
                                        << "ab" << false;
    QTest::newRow("found") << "AB"
                           << "xAB" << true;
}

void TestMatcherEquivalence::occursRule()
{
    QFETCH(QString, sequence);
    QFETCH(QString, buffer);
    QFETCH(bool, occurs);
    QCOMPARE(ReferenceMatcher::Occurs(sequence, buffer), occurs);
}

QTEST_GUILESS_MAIN(TestMatcherEquivalence)
#include "tst_MatcherEquivalence.moc"
