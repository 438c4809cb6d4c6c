#pragma once

#include <QStringList>

#include <functional>

namespace tarvex {

/// The running program as other programs of the user's session reach it (scripts, a later
/// `tarvex --pause`): they pause and resume the hotkeys, have the hotkey file read again, bring
/// up the main window and list the hotkeys. Each request runs its handler on the GUI thread; a
/// request without a handler does nothing (a list comes back empty).
class RemoteControl
{
public:
    struct Handlers
    {
        /// Pause (true) or Resume (false).
        std::function<void(bool paused)> setPaused;
        /// Read the hotkey file again into the running hotkeys.
        std::function<void()> reload;
        /// Bring up the main window.
        std::function<void()> showMainWindow;
        /// The hotkeys, each "combination<TAB>target", in the order of the file.
        std::function<QStringList()> listHotkeys;
    };

    virtual ~RemoteControl() = default;

    /// Answers requests with `handlers` from now on; false when no other program can reach this
    /// one (the program runs on without).
    virtual bool start(Handlers handlers) = 0;
};

} // namespace tarvex
