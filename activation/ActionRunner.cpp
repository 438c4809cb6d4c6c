#include "activation/ActionRunner.h"

#include "activation/SpecialActionTable.h"
#include "keys/KeyNames.h"
#include "store/ExecArguments.h"
#include "store/HotkeyEntry.h"

#include <QLoggingCategory>

namespace tarvex {

Q_LOGGING_CATEGORY(lcAction, "tarvex.action")

ActionRunner::ActionRunner(const AppSettings& settings, SoundPlayer& sound, Opener& opener,
                           SpecialActions& specialActions, QString programFolder)
    : m_settings(settings), m_sound(sound), m_opener(opener), m_specialActions(specialActions),
      m_programFolder(std::move(programFolder))
{}

void ActionRunner::setTyping(KeyInjector* injector, FocusQuery focusedWindow, TypedCallback typed)
{
    m_injector = injector;
    m_focusedWindow = std::move(focusedWindow);
    m_typed = std::move(typed);
}

void ActionRunner::RunHotkeyAction(const QString& target, const QString& combination,
                                   const QString& arguments, const QString& typedText)
{
    // Read on every activation, so a choice made in the options window applies at once.
    const QString sound = m_settings.activationSound(m_programFolder);
    if (!sound.isEmpty())
        m_sound.playAsync(sound);
    // Before the action, which may wait for the user (a confirmation) or end the session.
    if (m_notifier && m_settings.activationNotification())
        m_notifier->notify(KeyNames::Displayed(combination), target);
    if (target == TypeTextTarget) {
        typeText(typedText);
        return;
    }
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

// The text goes to the window in front when the hotkey fired; once another window has the
// focus, the rest is not typed, so it never lands where the user did not mean it to.
void ActionRunner::typeText(const QString& text)
{
    if (!m_injector || !m_injector->available()) {
        qCWarning(lcAction).noquote()
            << "Not typing the text of a \"Type text\" hotkey -"
            << (m_injector ? m_injector->unavailableReason()
                           : QStringLiteral("this desktop does not let Tarvex type keys."));
        return;
    }
    const quint64 window = m_focusedWindow ? m_focusedWindow() : 0;
    // Held by value: a back end that sends its keys later asks it as each character goes.
    const QList<int> presses =
        m_injector->typeText(text.left(MaxTypedTextLength), [focused = m_focusedWindow, window] {
            return !focused || focused() == window;
        });
    if (m_typed && !presses.isEmpty())
        m_typed(presses);
}

} // namespace tarvex
