#include "keys/ChordTrigger.h"

#include "keys/KeyText.h"
#include "platform/KeyTable.h"

#include <QStringList>

#include <array>
#include <optional>

namespace tarvex {
namespace {

enum Modifier : unsigned { Ctrl = 1, Alt = 2, Shift = 4, Logo = 8 };

// The keys a chord may begin with, in the order a trigger names them.
struct ChordModifier
{
    int code;
    Modifier bit;
    const char* name;
};

constexpr std::array<ChordModifier, 4> Modifiers{{
    {17, Ctrl, "CTRL"},
    {18, Alt, "ALT"},
    {16, Shift, "SHIFT"},
    {91, Logo, "LOGO"},
}};

struct Key
{
    QString keysym;
    bool alone = false;
};

unsigned ModifierOf(int code)
{
    for (const ChordModifier& modifier : Modifiers) {
        if (modifier.code == code)
            return modifier.bit;
    }
    return 0;
}

// Keys that neither type nor move in text: the function keys, Print, Pause and the vendor keys
// (media, volume).
bool StandsAlone(quint32 keysym)
{
    return (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F35) || keysym == XKB_KEY_Print ||
           keysym == XKB_KEY_Pause || (keysym & 0xffffff00u) == 0x1008ff00u;
}

// The key at the end of a chord: one letter or digit (either case) or a token of the key
// table, named for the desktop as the key table names it.
std::optional<Key> FinalKey(QStringView text)
{
    const int code = KeyCodeOf(text);
    if (code == 0 || ModifierOf(code))
        return std::nullopt;
    for (const KeyTableEntry& key : KeyTable) {
        if (key.code == code)
            return Key{QLatin1StringView(key.keysymName ? key.keysymName : key.text).toString(),
                       StandsAlone(key.keysyms[0])};
    }
    return std::nullopt;
}

QString TriggerText(unsigned modifiers, const QString& keysym)
{
    QStringList parts;
    for (const ChordModifier& modifier : Modifiers) {
        if (modifiers & modifier.bit)
            parts.append(QLatin1StringView(modifier.name));
    }
    parts.append(keysym);
    return parts.join(u'+');
}

} // namespace

QString ChordTrigger(const QString& combination)
{
    const QStringView text(combination);
    unsigned modifiers = 0;
    qsizetype at = 0;
    // Leading modifier tokens, each at most once; whatever follows them is the one key.
    while (at < text.size() && text[at] == u'(') {
        const qsizetype length = KeyItemLength(text, at);
        const unsigned modifier = ModifierOf(KeyCodeOf(text.sliced(at, length)));
        if (!modifier)
            break;
        if (modifiers & modifier)
            return {};
        modifiers |= modifier;
        at += length;
    }
    const std::optional<Key> key = FinalKey(text.sliced(at));
    if (!key || (!key->alone && !(modifiers & (Ctrl | Alt | Logo))))
        return {};
    return TriggerText(modifiers, key->keysym);
}

} // namespace tarvex
