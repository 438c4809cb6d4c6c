#pragma once

#include <QString>

namespace tarvex {

/// The text and selection of a capture box, as the capture rules see it.
struct CaptureState
{
    QString text;
    int selectionStart = 0;
    int selectionLength = 0;
};

/// The rules that turn key presses in a capture box into a combination text. Both capture
/// boxes (the editor's and the wizard's) use them; the widgets only feed key codes in.
class KeyCapture final
{
public:
    /// The editor box's placeholder, emptied by a click.
    static QString Placeholder();

    /// Returns the box text after a key-down with virtual-key number `code` (1-255): arrows
    /// change nothing, Backspace erases, any other key appends its lower-cased code character.
    /// The result may hold code characters; Normalised() turns it into a combination text.
    static QString KeyDown(const CaptureState& state, int code);
    /// Returns the text after Backspace: the selection, else a trailing token (any letter
    /// case), else the last character; an empty text stays empty.
    static QString Erase(const CaptureState& state);
    /// Returns `text` as a combination text (code characters become tokens, others drop).
    static QString Normalised(const QString& text);
    /// Returns the text after a click on the editor box: the placeholder becomes empty.
    static QString Clicked(const QString& text);
    /// Returns true for the arrow keys, which the box handles by moving its caret only.
    static bool IsArrow(int code) { return code >= 37 && code <= 40; }

    /// Virtual-key number of Backspace.
    static constexpr int Backspace = 8;
};

} // namespace tarvex
