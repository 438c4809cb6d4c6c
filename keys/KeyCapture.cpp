#include "keys/KeyCapture.h"

#include "keys/KeyText.h"

#include <QCoreApplication>

namespace tarvex {
namespace {

bool HasSelection(const CaptureState& state)
{
    return state.selectionLength > 0 && state.selectionStart >= 0 &&
           state.selectionStart < state.text.size();
}

} // namespace

QString KeyCapture::Placeholder()
{
    //: One word of plain letters: the key box shows any other character as a key's name.
    return QCoreApplication::translate("tarvex::KeyCapture", "ClickToEdit");
}

QString KeyCapture::KeyDown(const CaptureState& state, int code)
{
    if (IsArrow(code) || code <= 0 || code > 255)
        return state.text;
    if (code == Backspace)
        return Erase(state);
    return state.text + QChar(char16_t(code)).toLower();
}

QString KeyCapture::Erase(const CaptureState& state)
{
    QString text = state.text;
    if (HasSelection(state))
        return text.remove(state.selectionStart, state.selectionLength);
    // A trailing token goes as a whole, in any letter case (a hand-edited "(ALT)" too).
    for (const KeyToken& token : KeyTokens) {
        if (text.endsWith(token.text, Qt::CaseInsensitive))
            return text.chopped(token.text.size());
    }
    text.chop(1);
    return text;
}

QString KeyCapture::Normalised(const QString& text)
{
    return KeyTextFromCodes(text);
}

QString KeyCapture::Clicked(const QString& text)
{
    return text == Placeholder() ? QString() : text;
}

} // namespace tarvex
