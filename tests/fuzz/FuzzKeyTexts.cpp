// Fuzz target "key_texts". Each input byte is one item: 0-63 a character of the key alphabet,
// 64-69 a token ("(Alt)" ... "(Win)"), 70-79 one of the six token codes or ")" as a raw code,
// and 80-255 the character of that code as it is (foreign characters, capitals of tokens...).
#include "keys/HotkeyShadowing.h"
#include "keys/KeyText.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tarvex::fuzz {
namespace {

const char* const Tokens[] = {"(Alt)", "(Shift)", "(Ctrl)", "(Space)", "(Del)", "(Win)"};
constexpr char16_t TokenCodes[] = {18, 16, 17, 32, 46, 91};

struct Texts
{
    QString combination; // alphabet characters and tokens only
    QString captured;    // the codes capture would collect for it (lower case only)
    QString raw;         // every item, foreign ones included
};

Texts Build(QByteArrayView data)
{
    const QString alphabet = KeyAlphabet();
    Texts texts;
    for (char c : data) {
        const quint8 b = quint8(c);
        if (b < 64) {
            const QChar key = alphabet.at(b);
            texts.combination += key;
            texts.raw += key;
            if (!key.isUpper() && key != u'(')
                texts.captured += key;
        } else if (b < 70) {
            texts.combination += QLatin1String(Tokens[b - 64]);
            texts.raw += QLatin1String(Tokens[b - 64]);
            texts.captured += QChar(TokenCodes[b - 64]);
        } else if (b < 80) {
            texts.raw += b < 76 ? QChar(TokenCodes[b - 70]) : QChar(u')');
        } else {
            texts.raw += QChar(char16_t(b));
        }
    }
    return texts;
}

bool IsCombinationText(const QString& text)
{
    return FilterKeyText(text) == text;
}

} // namespace

QString FuzzKeyTexts(QByteArrayView data)
{
    const Texts texts = Build(data);
    if (!IsCombinationText(texts.combination) ||
        KeyTextFromCodes(texts.combination) != texts.combination)
        return QStringLiteral("a combination text is not kept by the capture conversion");
    if (KeyTextFromCodes(KeyCodesFromText(texts.combination)) != texts.combination)
        return QStringLiteral("text -> codes -> text changed the combination");
    if (KeyCodesFromText(KeyTextFromCodes(texts.captured)) != texts.captured)
        return QStringLiteral("captured codes -> text -> codes changed the codes");
    const QString converted = KeyTextFromCodes(texts.raw);
    if (!IsCombinationText(converted) || KeyTextFromCodes(converted) != converted)
        return QStringLiteral("the capture conversion left foreign characters or is not stable");
    // The editor's fast converter must give the matcher's codes for every text.
    QString fast;
    for (const QString& text : {texts.combination, texts.raw}) {
        HotkeyShadowing::CodesInto(text, fast);
        if (fast != KeyCodesFromText(text))
            return QStringLiteral("the two code converters disagree");
    }
    return {};
}

} // namespace tarvex::fuzz
