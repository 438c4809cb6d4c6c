#pragma once

namespace tarvex {

class SignalWatcher;
class TarvexShell;

/// The program's entry procedure.
class TarvexApplication final
{
public:
    /// Runs the program with the process's arguments; returns the exit code.
    static int run(int argc, char* argv[]);

    /// Starts `shell` and runs the event loop until the shell finishes or `watcher` reports a
    /// termination signal (then the shell ends like the tray menu's Exit once no event loop,
    /// a dialog's included, is running any more); returns the exit code.
    static int exec(TarvexShell& shell, SignalWatcher& watcher);
};

} // namespace tarvex
