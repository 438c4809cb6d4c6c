#include "keys/KeyText.h"

namespace tarvex {
namespace {

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
    for (const KeyToken& token : KeyTokens)
        result.replace(QChar(token.code), token.text);
    return FilterKeyText(result);
}

QString KeyCodesFromText(const QString& text)
{
    QString result = text;
    for (const KeyToken& token : KeyTokens)
        result.replace(token.text, QString(QChar(token.code)), Qt::CaseSensitive);
    return result;
}

} // namespace tarvex
