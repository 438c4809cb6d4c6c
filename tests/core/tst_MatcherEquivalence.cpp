#include "activation/HotkeyDetection.h"
#include "tests/core/ReferenceMatcher.h"
#include "tests/fakes/FakeKeyStateSource.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tarvex;

namespace {

// Small pools, so that random sequences meet often: letters in both cases, every token,
// stray parentheses, a capitals token form, and sided and high codes in the key stream.
const QStringList Items{"a",     "b",     "c",       "A", "B", "(Ctrl)", "(Alt)", "(Shift)",
                        "(Win)", "(Del)", "(Space)", "(", ")", "(ALT)",  "1",     "p"};
const QList<int> KeyPool{65, 66, 67, 97, 98, 16,  17,  18,  32, 40,
                         41, 46, 49, 80, 91, 112, 162, 200, 220};

QString RandomRecord(QRandomGenerator& random, int index)
{
    QString combination;
    const int length = random.bounded(0, 5);
    for (int i = 0; i < length; ++i)
        combination += Items.at(random.bounded(int(Items.size())));
    const int shape = random.bounded(20);
    if (shape == 0)
        return combination; // no "*": no target element
    if (shape == 1)
        return combination + QStringLiteral("*t%1*extra").arg(index);
    return combination + QStringLiteral("*t%1").arg(index);
}

QString RandomTable(QRandomGenerator& random)
{
    QStringList records;
    const int count = random.bounded(0, 9);
    for (int i = 0; i < count; ++i)
        records.append(RandomRecord(random, i));
    return records.join(u'|');
}

} // namespace

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
    QTest::newRow("tiny buffer, trims constantly") << 3 << 400;
    QTest::newRow("small buffer") << 7 << 400;
    QTest::newRow("default buffer") << KeyBuffer::DefaultCapacity << 150;
}

void TestMatcherEquivalence::sameFiringsAsReference()
{
    QFETCH(int, capacity);
    QFETCH(int, seeds);
    FakeKeyStateSource source;
    for (quint32 seed = 1; seed <= quint32(seeds); ++seed) {
        QRandomGenerator random(seed);
        ActiveHotkeyTable table;
        table.replaceFromText(RandomTable(random));
        QStringList fired;
        HotkeyDetection detection(
            source, table, [&fired](const QString& target) { fired.append(target); }, capacity);
        ReferenceMatcher reference(capacity);
        auto sequences = ReferenceMatcher::Prepare(table.records());
        for (int step = 0; step < 300; ++step) {
            if (random.bounded(25) == 0) {
                table.replaceFromText(RandomTable(random));
                sequences = ReferenceMatcher::Prepare(table.records());
            }
            const int code = KeyPool.at(random.bounded(int(KeyPool.size())));
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
    QTest::newRow("case ignored") << "ab"
                                  << "xAB" << true;
    QTest::newRow("not contiguous") << "ab"
                                    << "aXb" << false;
    QTest::newRow("longer than buffer") << "abc"
                                        << "ab" << false;
    QTest::newRow("brackets exact") << "["
                                    << "{" << false;
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
