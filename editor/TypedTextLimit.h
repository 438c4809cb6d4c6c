#pragma once

#include "store/HotkeyEntry.h"

#include <QPlainTextEdit>

namespace tarvex {

/// Cuts the text of `field` to the most a hotkey types (MaxTypedTextLength), the caret then at
/// its end, and returns the text it holds: a paste past the limit keeps what fits.
inline QString LimitTypedText(QPlainTextEdit& field)
{
    QString text = field.toPlainText();
    if (text.size() > MaxTypedTextLength) {
        text.truncate(MaxTypedTextLength);
        field.setPlainText(text);
        field.moveCursor(QTextCursor::End);
    }
    return text;
}

} // namespace tarvex
