#include "activation/SpecialActionTable.h"

#include <QCoreApplication>

namespace tarvex {
namespace {

using A = SpecialAction;
using L = QLatin1StringView;

// The questions and titles are translated where they are asked; the names are stored as they
// are written here and translated only where a list shows them.
constexpr std::array<SpecialActionRow, 10> Rows{{
    {A::HideWindow, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Hide Window-")), L(""), L("")},
    {A::CloseWindow, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Close Window-")), L(""),
     L("")},
    {A::MinimizeWindow, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Minimize Window-")), L(""),
     L("")},
    {A::MaximizeWindow, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Maximize Window-")), L(""),
     L("")},
    {A::LogOff, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Log Off-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions",
                         "Do you want to log off from current user account?")),
     L("")},
    {A::ShutDown, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Shut Down-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Do you want to shutdown the computer?")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Shutdown Computer"))},
    {A::Restart, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Restart-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Do you want to restart the computer?")), L("")},
    {A::InstantShutdown, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Instant Shutdown-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions",
                         "Do you want to instantly shut down the computer?")),
     L("")},
    {A::InstantRestart, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Instant Restart-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions",
                         "Do you want to instantly restart the computer?")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Restart Computer"))},
    {A::InstantPoweroff, L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "-Instant Poweroff-")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Do you want to poweroff the computer?")),
     L(QT_TRANSLATE_NOOP("tarvex::SpecialActions", "Poweroff Computer"))},
}};

// The order in which a target is compared with the names when a hotkey fires.
constexpr std::array<SpecialAction, 10> ComparisonOrder{
    A::ShutDown, A::LogOff,     A::InstantShutdown, A::InstantRestart, A::InstantPoweroff,
    A::Restart,  A::HideWindow, A::MaximizeWindow,  A::MinimizeWindow, A::CloseWindow};

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

QString SpecialActionDisplayName(SpecialAction action)
{
    return QCoreApplication::translate("tarvex::SpecialActions",
                                       SpecialActionRowOf(action).name.data());
}

SpecialAction SpecialActionFor(const QString& target)
{
    const QString lowered = target.toLower();
    for (SpecialAction action : ComparisonOrder) {
        if (lowered == QString(SpecialActionRowOf(action).name).toLower())
            return action;
    }
    return SpecialAction::None;
}

const SpecialActionRow& SpecialActionRowOf(SpecialAction action)
{
    return Rows[size_t(action) - 1];
}

} // namespace tarvex
