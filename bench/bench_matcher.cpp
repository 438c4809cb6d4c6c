// Cost of one key press: the compiled matcher against the plain algorithm (the reference of the
// equivalence test), side by side, for tables of 10, 1000 and 32767 records and buffers held
// at 10 and 4000 codes.
#include "activation/GlobalFlags.h"
#include "activation/HotkeyDetection.h"
#include "tests/core/ReferenceMatcher.h"
#include "tests/fakes/FakeKeyStateSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <cstdio>

using namespace tarvex;

namespace {

// Every combination needs (Alt), which the key stream never holds: nothing ever fires, so the
// buffer stays at its bound and every press costs a full matcher run.
QString MakeTable(int records)
{
    QRandomGenerator random(records);
    QStringList list;
    for (int i = 0; i < records; ++i) {
        QString combination = QStringLiteral("(Ctrl)(Alt)");
        for (int k = random.bounded(1, 4); k > 0; --k)
            combination += QChar(u'a' + random.bounded(26));
        list.append(combination + QStringLiteral("*/targets/%1").arg(i));
    }
    return list.join(u'|');
}

QList<int> MakeStream(int length)
{
    QRandomGenerator random(7);
    QList<int> codes;
    for (int i = 0; i < length; ++i)
        codes.append(random.bounded(8) == 0 ? 17 : 65 + random.bounded(26));
    return codes;
}

// Runs `press` for every code of `stream` in turn until `minimum` presses and `budgetMs` passed;
// returns nanoseconds per press.
template <typename Press>
double TimePerPress(const QList<int>& stream, int minimum, qint64 budgetMs, Press press)
{
    QElapsedTimer timer;
    timer.start();
    qint64 presses = 0;
    while (presses < minimum || timer.elapsed() < budgetMs)
        press(stream.at(int(presses++ % stream.size())));
    return double(timer.nsecsElapsed()) / double(presses);
}

void Measure(int records, int bufferLength)
{
    ActiveHotkeyTable table;
    table.replaceFromText(MakeTable(records));
    const QList<int> stream = MakeStream(bufferLength + 4096);
    FakeKeyStateSource source;
    int fired = 0;
    HotkeyDetection compiled(
        source, table, [&fired](const QString&) { ++fired; }, bufferLength);
    ReferenceMatcher reference(bufferLength);
    // Nothing fires in this stream, so the reference's buffer is filled without matching.
    for (int i = 0; i < bufferLength; ++i) {
        compiled.appendKeyCode(stream.at(i));
        reference.append(stream.at(i), {});
    }
    QElapsedTimer compileTimer;
    compileTimer.start();
    HotkeyMatcher matcher;
    matcher.compile(table);
    const double compileNs = double(compileTimer.nsecsElapsed());
    const double fast =
        TimePerPress(stream, 2000, 300, [&](int code) { compiled.appendKeyCode(code); });
    // The same presses as a key source delivers them, press and release.
    const double viaSource = TimePerPress(stream, 2000, 300, [&](int code) { source.tap({code}); });
    const double slow = TimePerPress(stream, 1, 300, [&](int code) {
        fired += reference.append(code, table.records()) >= 0 ? 1 : 0;
    });
    std::printf("%7d records  buffer %5d   compiled %8.0f ns/press   from the source %8.0f "
                "ns/press   reference %14.0f ns/press   reference/compiled %10.1f x   (compiling "
                "the table: %.1f ms = %.1f reference presses)%s\n",
                records, bufferLength, fast, viaSource, slow, slow / fast, compileNs / 1e6,
                compileNs / slow, fired ? "  (fired!)" : "");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    SetHK(true); // the hotkeys run, so the source's presses reach the matcher
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("Matcher cost per key press (nothing fires; buffer held at its length)\n");
    for (int records : {10, 1000, 32767}) {
        for (int bufferLength : {10, 4000})
            Measure(records, bufferLength);
    }
    return 0;
}
