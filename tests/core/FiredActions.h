#pragma once

#include "activation/GlobalFlags.h"
#include "store/ActiveHotkeyTable.h"

#include <QStringList>

#include <functional>
#include <utility>

// What a detection under test ran, and a step run once inside the next action (as an open
// question box would let keys and signals arrive).
struct FiredActions
{
    QStringList fired;
    std::function<void()> during;

    void reset()
    {
        fired.clear();
        during = {};
        tarvex::SetHK(true);
    }
    void run(const QString& what)
    {
        fired.append(what);
        if (const auto step = std::exchange(during, {}))
            step();
    }
};

// Replaces `table` by its own records, each acting in the applications of `apps` at its index.
inline void LimitToApps(tarvex::ActiveHotkeyTable& table, const QList<tarvex::AppFilter>& apps)
{
    QList<tarvex::HotkeyEntry> options(apps.size());
    for (qsizetype i = 0; i < apps.size(); ++i)
        options[i].apps = apps.at(i);
    table.replace(table.records(), options);
}
