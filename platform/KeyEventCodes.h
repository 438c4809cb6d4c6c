#pragma once

class QKeyEvent;

namespace tarvex {

/// Turns the key events of a capture box into keys (virtual-key numbers, KeyTable.h) by the
/// same table as the session's key-state source, so a captured key is stored as the key that
/// later fires it. The event's keysym names the key first; where it names none, the X11 session
/// reads the X server's keymap and a session watched through the kernel's input devices uses
/// the table of that source.
class KeyEventCodes
{
public:
    virtual ~KeyEventCodes() = default;

    /// Returns the virtual-key number (1-255) of the key of `event`, or 0 when it has none.
    virtual int codeFor(const QKeyEvent& event) = 0;
    /// The layout may have changed (a capture box got the focus): read it again if needed.
    virtual void invalidateLayout() {}

    /// The mapping of this run: the one the program installed at start, else one that goes by
    /// the key symbol of each event alone.
    static KeyEventCodes& session();
    /// Installs `codes` for this run (nullptr: back to the one by key symbols); `codes` must
    /// stay alive until it is replaced.
    static void setSession(KeyEventCodes* codes);
};

} // namespace tarvex
