#include "keys/KeyCapture.h"

#include "keys/KeyText.h"

#include <array>

namespace tarvex {
namespace {

// Tried in this order against the end of the text, without regard to letter case, so a
// hand-edited "(ALT)" is erased as a whole too.
constexpr std::array<QLatin1StringView, 6> ErasableTokens{{
    QLatin1StringView("(SHIFT)"),
    QLatin1StringView("(CTRL)"),
    QLatin1StringView("(ALT)"),
    QLatin1StringView("(SPACE)"),
    QLatin1StringView("(DEL)"),
    QLatin1StringView("(WIN)"),
}};

bool HasSelection(const CaptureState& state)
{
    return state.selectionLength > 0 && state.selectionStart >= 0 &&
           state.selectionStart < state.text.size();
}

} // namespace

const QString KeyCapture::Placeholder = QStringLiteral("ClickToEdit");

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
    for (QLatin1StringView token : ErasableTokens) {
        if (text.endsWith(token, Qt::CaseInsensitive))
            return text.chopped(token.size());
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
    return text == Placeholder ? QString() : text;
}

} // namespace tarvex
