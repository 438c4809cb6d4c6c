#include "keys/KeyCapture.h"

#include "keys/KeyNames.h"
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
    if (code == Backspace)
        return Erase(state);
    return state.text + KeyNames::Displayed(KeyText(code));
}

QString KeyCapture::Erase(const CaptureState& state)
{
    QString text = state.text;
    if (HasSelection(state))
        return text.remove(state.selectionStart, state.selectionLength);
    // A trailing key name goes as a whole, in any letter case (a hand-edited "(ALT)" too).
    const qsizetype name = KeyNames().trailingNameLength(text);
    text.chop(name > 0 ? name : 1);
    return text;
}

QString KeyCapture::Normalised(const QString& text)
{
    const QString alphabet = KeyAlphabet();
    const KeyNames names;
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype name = names.nameLengthAt(text, i);
        if (name > 0 || alphabet.contains(text.at(i)))
            result += QStringView(text).sliced(i, name > 0 ? name : 1);
        i += name > 0 ? name : 1;
    }
    return result;
}

QString KeyCapture::Clicked(const QString& text)
{
    return text == Placeholder() ? QString() : text;
}

} // namespace tarvex
