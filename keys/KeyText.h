#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>

namespace tarvex {

/// A key token of a combination text and the key code it stands for.
struct KeyToken
{
    char16_t code;
    QLatin1StringView text;
};

/// The key tokens, the one table of them for key texts, capture and matching. Only this letter
/// case is a token when a text turns into codes; erasing in a capture box ignores the case. No
/// token holds another's text or code, so the order of replacement never changes a result.
inline constexpr std::array<KeyToken, 6> KeyTokens{{
    {18, QLatin1StringView("(Alt)")},
    {16, QLatin1StringView("(Shift)")},
    {17, QLatin1StringView("(Ctrl)")},
    {32, QLatin1StringView("(Space)")},
    {46, QLatin1StringView("(Del)")},
    {91, QLatin1StringView("(Win)")},
}};

/// The 64 characters a combination text may hold, in this order.
QString KeyAlphabet();

/// Returns the characters of `text` that are in KeyAlphabet, in order; drops every other one.
QString FilterKeyText(const QString& text);

/// Turns a text of key-code characters (as capture collects them) into a combination text:
/// codes 18, 16, 17, 32, 91 and 46 become "(Alt)", "(Shift)", "(Ctrl)", "(Space)", "(Win)" and
/// "(Del)", then everything outside KeyAlphabet is dropped. A combination text stays unchanged.
QString KeyTextFromCodes(const QString& text);

/// Turns a combination text into its key-code sequence: each token "(Alt)", "(Shift)",
/// "(Ctrl)", "(Space)", "(Del)", "(Win)" (exact letter case) becomes the character of its code;
/// every other character stays as it is.
QString KeyCodesFromText(const QString& text);

/// Returns the code that stands for `code` under the matching equality: letters 65-90 fold to
/// 97-122, every other code is itself. Two codes match when their folded codes are equal.
constexpr char16_t FoldKeyCode(char16_t code)
{
    return code >= 65 && code <= 90 ? char16_t(code + 32) : code;
}

/// Returns true when key codes `a` and `b` are equal by the matching equality.
constexpr bool KeyCodesMatch(char16_t a, char16_t b)
{
    return FoldKeyCode(a) == FoldKeyCode(b);
}

} // namespace tarvex
