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

/// The rules that turn key presses in a capture box into a combination text, as the box shows
/// it (each key by its name in the user's language, KeyNames). Both capture boxes (the
/// editor's and the wizard's) use them; the widgets only feed keys in.
class KeyCapture final
{
public:
    /// The editor box's placeholder, emptied by a click.
    static QString Placeholder();

    /// Returns the box text after a key-down of key `code` (1-255): Backspace erases, any other
    /// key appends its name (a key without one changes nothing).
    static QString KeyDown(const CaptureState& state, int code);
    /// Returns the text after Backspace: the selection, else a trailing key name (any letter
    /// case), else the last character; an empty text stays empty.
    static QString Erase(const CaptureState& state);
    /// Returns `text` as a combination text: key names stay whole, the characters of the key
    /// alphabet stay, every other character is dropped.
    static QString Normalised(const QString& text);
    /// Returns the text after a click on the editor box: the placeholder becomes empty.
    static QString Clicked(const QString& text);

    /// The key that erases instead of being recorded.
    static constexpr int Backspace = 8;
};

} // namespace tarvex
