// Fuzz target "matcher": byte 0 the buffer size, then a table (count; per record a length,
// items, shape), then keys (<128 from a pool, 128-254 a code, 255 a new table).
#include "activation/HotkeyDetection.h"
#include "tests/core/ReferenceMatcher.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tarvex::fuzz {
namespace {

const char* const Items[] = {"a",       "b",     "c",     "A",       "B",      "(Ctrl)", "(Alt)",
                             "(Shift)", "(Win)", "(Del)", "(Space)", "(",      ")",      "(ALT)",
                             "1",       " ",     "p",     "(F1)",    "(Num1)", "(Num*)", "(Down)"};
constexpr int KeyPool[] = {65, 66, 67, 80, 97, 98, 16,  17,  18,
                           32, 40, 41, 46, 49, 91, 106, 112, 162};

class SilentKeys final : public KeyStateSource
{};

QString ReadTable(FuzzInput& input)
{
    QStringList records;
    const int count = input.below(9);
    for (int i = 0; i < count; ++i) {
        QString combination;
        const int length = input.below(7);
        for (int j = 0; j < length; ++j)
            combination += QLatin1String(Items[input.below(std::size(Items))]);
        switch (input.below(8)) {
        case 0:
            records.append(combination);
            break;
        case 1:
            records.append(combination + QStringLiteral("*t%1*extra").arg(i));
            break;
        case 2:
            records.append(combination + QStringLiteral("*t%1\tx").arg(i));
            break;
        default:
            records.append(combination + QStringLiteral("*t%1").arg(i));
        }
    }
    return records.join(u'|');
}

} // namespace

QString FuzzMatcher(QByteArrayView data)
{
    FuzzInput input(data);
    const int capacity = 1 + input.below(8);
    ActiveHotkeyTable table;
    table.replaceFromText(ReadTable(input));
    SilentKeys keys;
    QStringList fired;
    HotkeyDetection detection(
        keys, table, [&fired](const QString& target) { fired.append(target); }, capacity);
    ReferenceMatcher reference(capacity);
    auto sequences = ReferenceMatcher::Prepare(table.records());
    for (int step = 0; !input.atEnd(); ++step) {
        const quint8 b = input.byte();
        if (b == 255) {
            table.replaceFromText(ReadTable(input));
            sequences = ReferenceMatcher::Prepare(table.records());
            reference.tableReplaced();
            continue;
        }
        const int code = b < 128 ? KeyPool[b % std::size(KeyPool)] : b;
        fired.clear();
        detection.appendKeyCode(code);
        const int expected = reference.appendPrepared(code, sequences);
        const QStringList expectedFired =
            expected < 0 ? QStringList{} : QStringList{table.targetAt(expected).value_or("")};
        if (fired != expectedFired)
            return QStringLiteral("step %1: fired %2, the plain algorithm %3")
                .arg(step)
                .arg(fired.join(u','), expectedFired.join(u','));
        if (detection.buffer().text() != reference.buffer())
            return QStringLiteral("step %1: the buffers differ").arg(step);
    }
    return {};
}

} // namespace tarvex::fuzz
