// Fuzz target "key_texts": per byte, 0-63 a key-alphabet character, 64 the next key-table
// token, above that the character of that code.
#include "keys/KeyCapture.h"
#include "keys/KeyText.h"
#include "platform/KeyTable.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tarvex::fuzz {
namespace {

struct Texts
{
    QString combination; // alphabet characters and tokens only
    QString canonical;   // the same keys as capture writes them (letters in lower case)
    QString raw;         // every item, foreign ones included
};

QStringList Tokens()
{
    QStringList tokens;
    for (const KeyTableEntry& key : KeyTable) {
        if (key.text[0] == '(')
            tokens << QString::fromLatin1(key.text);
    }
    return tokens;
}

Texts Build(QByteArrayView data)
{
    static const QString alphabet = KeyAlphabet();
    static const QStringList tokens = Tokens();
    Texts texts;
    for (char c : data) {
        const int b = quint8(c);
        QString item = b < 64                   ? QString(alphabet.at(b))
                       : b - 64 < tokens.size() ? tokens.at(b - 64)
                                                : QString(QChar(char16_t(b)));
        texts.raw += item;
        if (b < 64 && (item == u"(" || item == u")"))
            continue; // a stray parenthesis names no key
        if (b < 64 || b - 64 < tokens.size()) {
            texts.combination += item;
            texts.canonical += item.size() == 1 ? item.toLower() : item;
        }
    }
    return texts;
}

} // namespace

QString FuzzKeyTexts(QByteArrayView data)
{
    const Texts texts = Build(data);
    const QString codes = KeyCodesFromText(texts.combination);
    if (codes.contains(QChar(0)))
        return QStringLiteral("a key's text names no key");
    QString text;
    for (QChar code : codes)
        text += KeyText(code.unicode());
    if (text != texts.canonical)
        return QStringLiteral("text -> codes -> text changed the keys");
    if (KeyCapture::Normalised(texts.combination) != texts.combination)
        return QStringLiteral("capture changed a combination text");
    const QString normalised = KeyCapture::Normalised(texts.raw);
    if (KeyCapture::Normalised(normalised) != normalised)
        return QStringLiteral("the capture conversion is not stable");
    QString reused = QStringLiteral("left over from an earlier text");
    KeyCodesInto(texts.raw, reused);
    if (reused != KeyCodesFromText(texts.raw))
        return QStringLiteral("the two code converters disagree");
    for (QChar code : reused) {
        if (code.unicode() > 255)
            return QStringLiteral("a code above 255");
    }
    return {};
}

} // namespace tarvex::fuzz
