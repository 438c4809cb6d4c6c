// Fuzz target "key_capture": byte 0 the length of a start text (the bytes after it), then
// three bytes per key-down: the key code, the selection start and length.
#include "keys/KeyCapture.h"
#include "keys/KeyNames.h"
#include "keys/KeyText.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tarvex::fuzz {
namespace {

bool IsCombinationText(const QString& text)
{
    return KeyCapture::Normalised(text) == text;
}

bool HasSelection(const CaptureState& state)
{
    return state.selectionLength > 0 && state.selectionStart >= 0 &&
           state.selectionStart < state.text.size();
}

QString CheckKey(const CaptureState& state, int code, const QString& after)
{
    if (!IsCombinationText(after))
        return QStringLiteral("key %1 left no combination text").arg(code);
    if (KeyText(code).isEmpty() && code != KeyCapture::Backspace) {
        if (after != state.text)
            return QStringLiteral("key %1 changed the text").arg(code);
    } else if (code == KeyCapture::Backspace) {
        if (!HasSelection(state) && !state.text.startsWith(after))
            return QStringLiteral("Backspace removed more than the end");
        if (!state.text.isEmpty() && after.size() >= state.text.size())
            return QStringLiteral("Backspace did not shorten the text");
    } else {
        if (after != state.text + KeyNames::Displayed(KeyText(code)))
            return QStringLiteral("key %1 did not append its item only").arg(code);
    }
    return {};
}

} // namespace

QString FuzzKeyCapture(QByteArrayView data)
{
    FuzzInput input(data);
    CaptureState state;
    state.text = KeyCapture::Normalised(QString::fromLatin1(input.take(input.below(16))));
    while (!input.atEnd()) {
        const int code = input.byte();
        const QString after = KeyCapture::Normalised(KeyCapture::KeyDown(state, code));
        if (QString broken = CheckKey(state, code, after); !broken.isEmpty())
            return broken;
        state.text = after;
        state.selectionStart = int(input.byte()) - 8;
        state.selectionLength = int(input.byte() % 24) - 2;
    }
    return {};
}

} // namespace tarvex::fuzz
