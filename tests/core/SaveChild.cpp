// Helper of TestSaveCrashSafety: with a path and a count, saves two lists in turn until killed;
// with a file-size limit as third argument, saves once under it and prints the error.
#include "store/HotkeyDatabase.h"

#include <QCoreApplication>

#include <cstdio>
#include <sys/resource.h>

using namespace tarvex;

namespace {

HotkeyList MakeList(const QString& key, int count)
{
    HotkeyList list;
    for (int i = 0; i < count; ++i)
        list.append({key + QString::number(i), QStringLiteral("/targets/%1/%2").arg(key).arg(i)});
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    HotkeyDatabase database(QString::fromLocal8Bit(argv[1]));
    const int count = QByteArray(argv[2]).toInt();
    const HotkeyList lists[2] = {MakeList(QStringLiteral("a"), count),
                                 MakeList(QStringLiteral("b"), count)};
    ActiveHotkeyTable table;
    if (argc > 3) {
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = rlim_t(QByteArray(argv[3]).toLongLong());
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString error = database.save(lists[1], table);
        std::fputs(qPrintable(error), stderr);
        return error.isEmpty() ? 0 : 3;
    }
    for (int round = 0;; ++round) {
        if (!database.save(lists[round % 2], table).isEmpty())
            return 1;
    }
}
