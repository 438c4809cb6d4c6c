#include "keys/KeyText.h"

#include "platform/KeyTable.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace tarvex {
namespace {

struct KeyTexts
{
    std::array<QLatin1StringView, 256> ofCode{};
    std::vector<std::pair<QLatin1StringView, int>> tokens; // sorted by text: "(F4)" -> 115
};

const KeyTexts& Texts()
{
    static const KeyTexts texts = [] {
        KeyTexts built;
        for (const KeyTableEntry& key : KeyTable) {
            const QLatin1StringView text(key.text);
            built.ofCode[key.code] = text;
            if (text.startsWith(u'('))
                built.tokens.emplace_back(text, key.code);
        }
        std::sort(built.tokens.begin(), built.tokens.end());
        return built;
    }();
    return texts;
}

// The key of token `token` (exact letter case), else 0; looked up without copying the text.
int TokenCode(QStringView token)
{
    const auto& tokens = Texts().tokens;
    const auto it = std::lower_bound(
        tokens.begin(), tokens.end(), token,
        [](const auto& entry, QStringView text) { return text.compare(entry.first) > 0; });
    return it != tokens.end() && token.compare(it->first) == 0 ? it->second : 0;
}

int CharacterCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 'A';
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9'))
        return u;
    return 0;
}

// The length of the token at `from` (a known one, exact case), else 0. A token runs from its
// "(" to the first ")" after it.
qsizetype TokenLength(QStringView text, qsizetype from)
{
    if (text.at(from) != u'(')
        return 0;
    const qsizetype close = text.indexOf(u')', from + 1);
    if (close < 0)
        return 0;
    const QStringView token = text.sliced(from, close - from + 1);
    return TokenCode(token) != 0 ? token.size() : 0;
}

} // namespace

QString KeyAlphabet()
{
    return QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ()");
}

QString KeyText(int code)
{
    return code > 0 && code < 256 ? QString(Texts().ofCode[code]) : QString();
}

int KeyCodeOf(QStringView item)
{
    if (item.size() == 1)
        return CharacterCode(item.front());
    return TokenCode(item);
}

qsizetype KeyItemLength(QStringView text, qsizetype from)
{
    if (from >= text.size())
        return 0;
    const qsizetype token = TokenLength(text, from);
    return token > 0 ? token : 1;
}

void KeyCodesInto(QStringView text, QString& codes)
{
    codes.resize(0);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = KeyItemLength(text, i);
        codes.append(QChar(char16_t(KeyCodeOf(text.sliced(i, length)))));
        i += length;
    }
}

QString KeyCodesFromText(QStringView text)
{
    QString codes;
    KeyCodesInto(text, codes);
    return codes;
}

int PrintedKeyCount(QStringView text)
{
    const QString codes = KeyCodesFromText(text);
    for (const QChar code : codes) {
        const bool digit = code >= QLatin1Char('0') && code <= QLatin1Char('9');
        const bool letter = code >= QLatin1Char('A') && code <= QLatin1Char('Z');
        if (!digit && !letter)
            return 0;
    }
    return int(codes.size());
}

} // namespace tarvex
