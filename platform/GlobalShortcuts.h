#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace tarvex {

/// One shortcut to bind: a stable id, the text the desktop shows for it, and the trigger it
/// should get, in the freedesktop shortcut syntax (`CTRL+ALT+k`, `LOGO+e`, `F12`).
struct GlobalShortcut
{
    QString id;
    QString description;
    QString trigger;

    friend bool operator==(const GlobalShortcut&, const GlobalShortcut&) = default;
};

/// Shortcuts the desktop itself watches for the program (the desktop portal's GlobalShortcuts
/// on Wayland): the program reads no keyboard, the desktop tells it when a bound shortcut is
/// pressed. Binding is asynchronous: the desktop may ask the user first.
///
/// Reports through the activated callback, and through the state callback each change of
/// state() and problem().
class GlobalShortcuts
{
public:
    /// How far the last bind got.
    enum class State {
        Idle,     ///< nothing asked for, or an empty list
        Binding,  ///< waiting for the desktop (or for the user in its dialog)
        Bound,    ///< the shortcuts run
        Declined, ///< the user said no in the desktop's dialog
        Missing,  ///< this desktop offers no global shortcuts to programs
        Failed,   ///< the desktop answered with an error
    };

    virtual ~GlobalShortcuts() = default;

    /// Asks the desktop for `shortcuts` in place of those asked for before (an empty list
    /// releases them). Asking again for the same list after a decline or failure asks anew.
    virtual void bind(const QList<GlobalShortcut>& shortcuts) = 0;
    /// How far the last bind got.
    virtual State state() const = 0;
    /// Why the shortcuts do not run (missing, declined or failed), in one sentence for the
    /// user that says what to do; empty while they run or are being bound.
    virtual QString problem() const { return {}; }

    /// Sets the function told the id of each bound shortcut the user presses (empty = none).
    void setActivatedCallback(std::function<void(const QString& id)> callback)
    {
        m_activated = std::move(callback);
    }
    /// Sets the function called when state() or problem() has changed (empty = none).
    void setStateCallback(std::function<void()> callback) { m_stateChanged = std::move(callback); }

protected:
    /// Runs the activated callback, if any; implementations call it only for bound ids.
    void notifyActivated(const QString& id)
    {
        // A copy, so the callback may replace or clear itself (its owner may end meanwhile).
        const std::function<void(const QString&)> callback = m_activated;
        if (callback)
            callback(id);
    }
    /// Runs the state callback, if any.
    void notifyStateChanged()
    {
        const std::function<void()> callback = m_stateChanged;
        if (callback)
            callback();
    }

private:
    std::function<void(const QString&)> m_activated;
    std::function<void()> m_stateChanged;
};

} // namespace tarvex
