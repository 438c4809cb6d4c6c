#pragma once

#include "activation/SpecialActions.h"
#include "platform/KeyInjector.h"
#include "platform/Notifier.h"
#include "platform/Opener.h"
#include "platform/SoundPlayer.h"
#include "store/AppSettings.h"

#include <functional>

namespace tarvex {

/// Runs a matched hotkey: starts the activation sound, shows the activation notification when
/// the user asked for one, then runs the special action the target names or hands the target
/// to the opener; a "Type text" hotkey (target TypeTextTarget) has its text typed instead.
class ActionRunner final
{
public:
    /// Acts through the given services; `programFolder` holds "Sounds/Bing.wav", the default
    /// sound. All references must outlive this object.
    ActionRunner(const AppSettings& settings, SoundPlayer& sound, Opener& opener,
                 SpecialActions& specialActions, QString programFolder);

    /// Names the window that has the keyboard focus (0: none).
    using FocusQuery = std::function<quint64()>;
    /// Told the presses that typing a text caused, so the running hotkeys ignore them.
    using TypedCallback = std::function<void(const QList<int>& presses)>;

    /// Sets what types the text of "Type text" hotkeys (nullptr: nothing is typed), the query
    /// that tells whether the focus moved away during the typing (which then stops), and who is
    /// told the presses it caused. `injector` must outlive this object; so must what
    /// `focusedWindow` refers to, which the injector may still ask after this object is gone.
    void setTyping(KeyInjector* injector, FocusQuery focusedWindow, TypedCallback typed);
    /// Sets the notifier of the activation notifications (nullptr = none are shown).
    void setNotifier(Notifier* notifier) { m_notifier = notifier; }
    /// Plays the sound stored now (none when stored empty), announces `combination` and
    /// `target` when "Notification" is stored as 1, then runs `target`, a program with
    /// `arguments` (quoted as SplitExecArguments reads them; a malformed text starts nothing),
    /// or types `typedText` when `target` is TypeTextTarget.
    void RunHotkeyAction(const QString& target, const QString& combination = QString(),
                         const QString& arguments = QString(),
                         const QString& typedText = QString());
    /// Returns the result of the last open request (true = accepted).
    bool lastOpenResult() const { return m_lastOpenResult; }

private:
    bool openTarget(const QString& target, const QString& arguments);
    void typeText(const QString& text);

    const AppSettings& m_settings;
    SoundPlayer& m_sound;
    Opener& m_opener;
    SpecialActions& m_specialActions;
    Notifier* m_notifier = nullptr;
    KeyInjector* m_injector = nullptr;
    FocusQuery m_focusedWindow;
    TypedCallback m_typed;
    QString m_programFolder;
    bool m_lastOpenResult = false;
};

} // namespace tarvex
