#include "activation/SpecialActionTable.h"

namespace tarvex {
namespace {

using L = QLatin1StringView;

constexpr std::array<SpecialActionRow, 10> Rows{{
    {1, L("-Hide Window-"), L(""), L("")},
    {2, L("-Close Window-"), L(""), L("")},
    {3, L("-Minimize Window-"), L(""), L("")},
    {4, L("-Maximize Window-"), L(""), L("")},
    {5, L("-Log Off-"), L("Do you want to log off from current user account?"), L("")},
    {6, L("-Shut Down-"), L("Do you want to shutdown the computer?"), L("Shutdown Computer")},
    {7, L("-Restart-"), L("Do you want to restart the computer?"), L("")},
    {8, L("-Instant Shutdown-"), L("Do you want to instantly shut down the computer?"), L("")},
    {9, L("-Instant Restart-"), L("Do you want to instantly restart the computer?"),
     L("Restart Computer")},
    {10, L("-Instant Poweroff-"), L("Do you want to poweroff the computer?"),
     L("Poweroff Computer")},
}};

// The order in which a target is compared with the names when a hotkey fires.
constexpr std::array<int, 10> ComparisonOrder{6, 5, 8, 9, 10, 7, 1, 4, 3, 2};

} // namespace

const std::array<SpecialActionRow, 10>& SpecialActionTable()
{
    return Rows;
}

QStringList SpecialActionNames()
{
    QStringList names;
    for (const SpecialActionRow& row : Rows)
        names.append(QString(row.name));
    return names;
}

int SpecialActionRowFor(const QString& target)
{
    const QString lowered = target.toLower();
    for (int row : ComparisonOrder) {
        if (lowered == QString(Rows[row - 1].name).toLower())
            return row;
    }
    return 0;
}

} // namespace tarvex
