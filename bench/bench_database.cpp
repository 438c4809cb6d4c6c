// Loading and saving a hotkey file of 32767 records, against reading and writing the same bytes
// with a plain QFile in the same process (the baseline).
#include "store/HotkeyDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int Records = 32767;
constexpr int Rounds = 10;

HotkeyList MakeList()
{
    HotkeyList list;
    for (int i = 0; i < Records; ++i)
        list.append({QStringLiteral("(Ctrl)(Alt)k%1").arg(i),
                     QStringLiteral("/home/user/Documents/Projects/file-%1.txt").arg(i)});
    return list;
}

template <typename Work> double MillisecondsPerRound(Work work)
{
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < Rounds; ++round)
        work();
    return double(timer.nsecsElapsed()) / 1e6 / Rounds;
}

void Report(const char* what, double ms, double baselineMs)
{
    std::printf("%-6s %8.2f ms   plain QFile %8.2f ms   ratio %6.1f x\n", what, ms, baselineMs,
                ms / baselineMs);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    HotkeyDatabase database(dir.filePath(QStringLiteral("Hotkeys.TarvexDB")));
    const QString rawPath = dir.filePath(QStringLiteral("raw.bin"));
    const HotkeyList list = MakeList();
    const QByteArray bytes = HotkeyDatabase::Serialize(list);
    ActiveHotkeyTable table;
    const double save = MillisecondsPerRound([&] { database.save(list, table); });
    const double rawWrite = MillisecondsPerRound([&] {
        QFile file(rawPath);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    });
    HotkeyList loaded;
    const double load = MillisecondsPerRound([&] { database.load(loaded, table); });
    const double rawRead = MillisecondsPerRound([&] {
        QFile file(rawPath);
        file.open(QIODevice::ReadOnly);
        file.readAll();
    });
    std::printf("Hotkey file of %d records (%lld bytes), %s\n", Records,
                static_cast<long long>(bytes.size()),
                loaded.entries() == list.entries() ? "loaded back intact" : "LOADED WRONG");
    Report("save", save, rawWrite);
    Report("load", load, rawRead);
    return loaded.entries() == list.entries() ? 0 : 1;
}
