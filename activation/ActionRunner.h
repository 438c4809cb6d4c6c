#pragma once

#include "activation/SpecialActions.h"
#include "platform/Opener.h"
#include "platform/SoundPlayer.h"
#include "store/AppSettings.h"

namespace tarvex {

/// Runs a matched hotkey: starts the activation sound, then runs the special action the target
/// names or hands the target to the opener.
class ActionRunner final
{
public:
    /// Acts through the given services; `programFolder` holds "Sounds/Bing.wav", the default
    /// sound. All references must outlive this object.
    ActionRunner(const AppSettings& settings, SoundPlayer& sound, Opener& opener,
                 SpecialActions& specialActions, QString programFolder);

    /// Plays the sound stored now (none when stored empty), then runs `target`.
    void RunHotkeyAction(const QString& target);
    /// Returns the result of the last open request (true = accepted).
    bool lastOpenResult() const { return m_lastOpenResult; }

private:
    const AppSettings& m_settings;
    SoundPlayer& m_sound;
    Opener& m_opener;
    SpecialActions& m_specialActions;
    QString m_programFolder;
    bool m_lastOpenResult = false;
};

} // namespace tarvex
