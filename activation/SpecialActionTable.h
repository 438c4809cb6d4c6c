#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <array>

namespace tarvex {

/// The ten special actions, numbered by their row in the selection lists (1-10); None (0)
/// stands for a target that names no action.
enum class SpecialAction : int {
    None = 0,
    HideWindow = 1,
    CloseWindow = 2,
    MinimizeWindow = 3,
    MaximizeWindow = 4,
    LogOff = 5,
    ShutDown = 6,
    Restart = 7,
    InstantShutdown = 8,
    InstantRestart = 9,
    InstantPoweroff = 10,
};

/// One special action: the action (its row number), the name stored as a target, and the
/// confirmation prompt and title (empty prompt = no question).
struct SpecialActionRow
{
    SpecialAction action;
    QLatin1StringView name;
    QLatin1StringView prompt;
    QLatin1StringView title;
};

/// Returns the ten special actions in row order.
const std::array<SpecialActionRow, 10>& SpecialActionTable();

/// Returns the ten names in row order, as targets store them.
QStringList SpecialActionNames();

/// Returns the name of `action` as lists show it, in the user's language (what is stored stays
/// the name of the table); `action` must not be None.
QString SpecialActionDisplayName(SpecialAction action);

/// Returns the action named by `target` (compared without regard to letter case, in the
/// activation's comparison order), or None when it names none.
SpecialAction SpecialActionFor(const QString& target);

/// Returns the table row of `action`; `action` must not be None.
const SpecialActionRow& SpecialActionRowOf(SpecialAction action);

} // namespace tarvex
