#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <array>

namespace tarvex {

/// One special action: its row number (1-10, the order of the selection lists), the name
/// stored as a target, and the confirmation prompt and title (empty prompt = no question).
struct SpecialActionRow
{
    int row;
    QLatin1StringView name;
    QLatin1StringView prompt;
    QLatin1StringView title;
};

/// Returns the ten special actions in row order.
const std::array<SpecialActionRow, 10>& SpecialActionTable();

/// Returns the ten names in row order, as the selection lists show them.
QStringList SpecialActionNames();

/// Returns the row named by `target` (compared without regard to letter case, in the
/// activation's comparison order), or 0 when it names none.
int SpecialActionRowFor(const QString& target);

} // namespace tarvex
