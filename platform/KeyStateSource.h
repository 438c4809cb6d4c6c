#pragma once

#include <QString>

#include <functional>
#include <utility>

namespace tarvex {

/// The keyboard as the poll tick sees it: one 16-bit state per virtual-key code 1-255.
///
/// `keyState(code)` has the meaning of the Windows key-state query: bit 15 (0x8000) set while the
/// key is down, bit 0 (0x0001) set when the key was pressed since the previous query of that
/// same code; the query clears bit 0. So 0x8001 means "down now and newly pressed" and is the only
/// value the poll treats as a press; 0x8000 is a held key that was already reported, and 0x0001
/// a tap that is already released (not a press for the poll).
///
/// Modifier codes: 16 Shift, 17 Ctrl and 18 Alt are the generic codes (either side); 160/161
/// left/right Shift, 162/163 left/right Ctrl, 164/165 left/right Alt are the sided codes; 91 and
/// 92 are the left and right Windows (Super) keys. Windows reports a modifier press under both
/// its generic and its sided code; the X11 and the evdev sources report the generic code only.
/// The poll's rules for 161, 163 and 164 and the matcher's removal of 162 work with either.
///
/// Instead of being polled on a 1 ms timer, a source announces each press through the press
/// callback: the owner runs one poll tick from inside the callback, once per press, in press
/// order, before the matching release is applied, so that a quick tap is never lost.
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

    /// Returns the 16-bit state of key code 1-255 and clears its pressed-since bit.
    virtual quint16 keyState(int code) = 0;

    /// Sets the function called after each key press has been latched (empty = none).
    void setPressCallback(std::function<void()> callback) { m_pressCallback = std::move(callback); }

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
    /// Runs the press callback, if any; implementations call it once per latched press.
    void notifyPressed()
    {
        // A copy, so the callback may replace or clear itself (its owner may end meanwhile).
        const std::function<void()> callback = m_pressCallback;
        if (callback)
            callback();
    }

    /// Runs the problem callback, if any.
    void notifyProblemChanged()
    {
        const std::function<void()> callback = m_problemCallback;
        if (callback)
            callback();
    }

private:
    std::function<void()> m_pressCallback;
    std::function<void()> m_problemCallback;
};

} // namespace tarvex
