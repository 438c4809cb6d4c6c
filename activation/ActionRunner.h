#pragma once

#include "activation/SpecialActions.h"
#include "platform/Notifier.h"
#include "platform/Opener.h"
#include "platform/SoundPlayer.h"
#include "store/AppSettings.h"

namespace tarvex {

/// Runs a matched hotkey: starts the activation sound, shows the activation notification when
/// the user asked for one, then runs the special action the target names or hands the target
/// to the opener.
class ActionRunner final
{
public:
    /// Acts through the given services; `programFolder` holds "Sounds/Bing.wav", the default
    /// sound. All references must outlive this object.
    ActionRunner(const AppSettings& settings, SoundPlayer& sound, Opener& opener,
                 SpecialActions& specialActions, QString programFolder);

    /// Sets the notifier of the activation notifications (nullptr = none are shown).
    void setNotifier(Notifier* notifier) { m_notifier = notifier; }
    /// Plays the sound stored now (none when stored empty), announces `combination` and
    /// `target` when "Notification" is stored as 1, then runs `target`, a program with
    /// `arguments` (quoted as SplitExecArguments reads them; a malformed text starts nothing).
    void RunHotkeyAction(const QString& target, const QString& combination = QString(),
                         const QString& arguments = QString());
    /// Returns the result of the last open request (true = accepted).
    bool lastOpenResult() const { return m_lastOpenResult; }

private:
    bool openTarget(const QString& target, const QString& arguments);

    const AppSettings& m_settings;
    SoundPlayer& m_sound;
    Opener& m_opener;
    SpecialActions& m_specialActions;
    Notifier* m_notifier = nullptr;
    QString m_programFolder;
    bool m_lastOpenResult = false;
};

} // namespace tarvex
