#include "keys/KeyText.h"

#include <array>

namespace tarvex {
namespace {

struct KeyToken
{
    char16_t code;
    QLatin1StringView text;
};

// In the order of the capture conversion; none contains another's text or code, so the order
// does not change the result.
constexpr std::array<KeyToken, 6> CaptureTokens{{
    {18, QLatin1StringView("(Alt)")},
    {16, QLatin1StringView("(Shift)")},
    {17, QLatin1StringView("(Ctrl)")},
    {32, QLatin1StringView("(Space)")},
    {91, QLatin1StringView("(Win)")},
    {46, QLatin1StringView("(Del)")},
}};

// In the order of the matcher's conversion.
constexpr std::array<KeyToken, 6> MatchTokens{{
    {18, QLatin1StringView("(Alt)")},
    {16, QLatin1StringView("(Shift)")},
    {17, QLatin1StringView("(Ctrl)")},
    {32, QLatin1StringView("(Space)")},
    {46, QLatin1StringView("(Del)")},
    {91, QLatin1StringView("(Win)")},
}};

bool InAlphabet(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '(' ||
           u == ')';
}

} // namespace

QString KeyAlphabet()
{
    return QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ()");
}

QString FilterKeyText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (InAlphabet(c))
            result.append(c);
    }
    return result;
}

QString KeyTextFromCodes(const QString& text)
{
    QString result = text;
    for (const KeyToken& token : CaptureTokens)
        result.replace(QChar(token.code), token.text);
    return FilterKeyText(result);
}

QString KeyCodesFromText(const QString& text)
{
    QString result = text;
    for (const KeyToken& token : MatchTokens)
        result.replace(token.text, QString(QChar(token.code)), Qt::CaseSensitive);
    return result;
}

} // namespace tarvex
