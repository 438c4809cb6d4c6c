#pragma once

#include <QString>

#include <functional>
#include <utility>

namespace tarvex {

/// The keyboard as the hotkeys see it: a source tells the press callback of each new press of a
/// key, with its virtual-key code 1-255, once per press (a held or auto-repeated key is one
/// press), in press order, before the release that follows it, so a quick tap is never lost.
///
/// Modifier codes: 16 Shift, 17 Ctrl and 18 Alt are the generic codes (either side); 160/161
/// left/right Shift, 162/163 left/right Ctrl, 164/165 left/right Alt are the sided codes; 91 and
/// 92 are the left and right Windows (Super) keys. A source that knows the side of a modifier
/// announces the generic code and then the sided one, as Windows reports them; the X11 and the
/// evdev sources announce the generic code only. The detection's rule for the sided codes works
/// with either.
///
/// A source that cannot read the keyboard says why in problem(): one sentence (short enough for
/// a tray tip), then, after a blank line, what the user can do; it announces each change of it
/// through the problem callback. Where the user's permission would
/// mend it, canAskForAccess() is true and askForAccess() asks through the desktop's own dialog.
///
/// The owner says through setListening() whether the hotkeys run: a source that reads the keys
/// through another program passes that on, so keys flow only while the hotkeys need them.
class KeyStateSource
{
public:
    virtual ~KeyStateSource() = default;

    /// Sets the function told each new key press with its code (empty = none).
    void setPressCallback(std::function<void(int code)> callback)
    {
        m_pressCallback = std::move(callback);
    }

    /// Why no keyboard can be read, with the fix, in one sentence; empty while keys are read.
    virtual QString problem() const { return {}; }
    /// True while asking the user's permission (askForAccess()) could mend problem().
    virtual bool canAskForAccess() const { return false; }
    /// Asks the user for the permission to read the keys; problem() follows the answer.
    virtual void askForAccess() {}
    /// Says whether the hotkeys run (true) or are paused or stopped (false).
    virtual void setListening(bool listening) { Q_UNUSED(listening); }

    /// Sets the function called when problem() has changed (empty = none).
    void setProblemCallback(std::function<void()> callback)
    {
        m_problemCallback = std::move(callback);
    }

protected:
    /// Tells the press callback, if any, of a new press of key code `code`.
    void notifyPressed(int code)
    {
        // A copy, so the callback may replace or clear itself (its owner may end meanwhile).
        const std::function<void(int)> callback = m_pressCallback;
        if (callback)
            callback(code);
    }

    /// Runs the problem callback, if any.
    void notifyProblemChanged()
    {
        const std::function<void()> callback = m_problemCallback;
        if (callback)
            callback();
    }

private:
    std::function<void(int)> m_pressCallback;
    std::function<void()> m_problemCallback;
};

} // namespace tarvex
