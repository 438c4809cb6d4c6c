#include "activation/ActionRunner.h"

#include "activation/SpecialActionTable.h"
#include "keys/KeyNames.h"
#include "store/ExecArguments.h"

#include <QLoggingCategory>

namespace tarvex {

Q_LOGGING_CATEGORY(lcAction, "tarvex.action")

ActionRunner::ActionRunner(const AppSettings& settings, SoundPlayer& sound, Opener& opener,
                           SpecialActions& specialActions, QString programFolder)
    : m_settings(settings), m_sound(sound), m_opener(opener), m_specialActions(specialActions),
      m_programFolder(std::move(programFolder))
{}

void ActionRunner::RunHotkeyAction(const QString& target, const QString& combination,
                                   const QString& arguments)
{
    // Read on every activation, so a choice made in the options window applies at once.
    const QString sound = m_settings.activationSound(m_programFolder);
    if (!sound.isEmpty())
        m_sound.playAsync(sound);
    // Before the action, which may wait for the user (a confirmation) or end the session.
    if (m_notifier && m_settings.activationNotification())
        m_notifier->notify(KeyNames::Displayed(combination), target);
    if (target.startsWith(u'-')) {
        const SpecialAction action = SpecialActionFor(target);
        if (action != SpecialAction::None) {
            m_specialActions.RunSpecialAction(action);
            return;
        }
    }
    m_lastOpenResult = openTarget(target, arguments);
}

// The editor saves no malformed arguments; a hand-edited file may hold them, and a program
// started with a guess at what they meant could do harm, so it is not started.
bool ActionRunner::openTarget(const QString& target, const QString& arguments)
{
    const ExecArguments split = SplitExecArguments(arguments);
    if (!split.error.isEmpty()) {
        qCWarning(lcAction).noquote() << "Not opening" << target << "-" << split.error;
        return false;
    }
    return m_opener.open(target, split.arguments);
}

} // namespace tarvex
