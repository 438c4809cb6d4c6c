#include "keys/ChordTrigger.h"

#include <QHash>
#include <QStringList>

#include <array>
#include <optional>

namespace tarvex {
namespace {

enum Modifier : unsigned { Ctrl = 1, Alt = 2, Shift = 4, Logo = 8 };

// A bracketed key token and the keysym name the desktop knows it by; `alone` keys do not type
// or move in text, so they may be bound without Ctrl, Alt or Win.
struct ChordKey
{
    const char* token;
    const char* keysym;
    bool alone;
};

constexpr std::array<ChordKey, 31> NamedKeys{{
    {"(Space)", "space", false},
    {"(Del)", "Delete", false},
    {"(Tab)", "Tab", false},
    {"(Enter)", "Return", false},
    {"(Esc)", "Escape", false},
    {"(Backspace)", "BackSpace", false},
    {"(Ins)", "Insert", false},
    {"(Home)", "Home", false},
    {"(End)", "End", false},
    {"(PgUp)", "Page_Up", false},
    {"(PgDn)", "Page_Down", false},
    {"(Up)", "Up", false},
    {"(Down)", "Down", false},
    {"(Left)", "Left", false},
    {"(Right)", "Right", false},
    {"(Num+)", "KP_Add", false},
    {"(Num-)", "KP_Subtract", false},
    {"(Num*)", "KP_Multiply", false},
    {"(Num/)", "KP_Divide", false},
    {"(Num.)", "KP_Decimal", false},
    {"(NumEnter)", "KP_Enter", false},
    {"(Menu)", "Menu", false},
    {"(Print)", "Print", true},
    {"(Pause)", "Pause", true},
    {"(Mute)", "XF86AudioMute", true},
    {"(VolDown)", "XF86AudioLowerVolume", true},
    {"(VolUp)", "XF86AudioRaiseVolume", true},
    {"(Play)", "XF86AudioPlay", true},
    {"(Stop)", "XF86AudioStop", true},
    {"(Prev)", "XF86AudioPrev", true},
    {"(Next)", "XF86AudioNext", true},
}};

constexpr std::array<std::pair<const char*, Modifier>, 4> Modifiers{{
    {"(Ctrl)", Ctrl},
    {"(Alt)", Alt},
    {"(Shift)", Shift},
    {"(Win)", Logo},
}};

struct Key
{
    QString keysym;
    bool alone = false;
};

// Every bracketed key token: the named keys, the F-keys and the keypad digits.
const QHash<QString, Key>& BracketedKeys()
{
    static const QHash<QString, Key> keys = [] {
        QHash<QString, Key> table;
        for (const ChordKey& key : NamedKeys)
            table.insert(QLatin1StringView(key.token), {QLatin1StringView(key.keysym), key.alone});
        for (int n = 1; n <= 24; ++n)
            table.insert(QStringLiteral("(F%1)").arg(n), {QStringLiteral("F%1").arg(n), true});
        for (int n = 0; n <= 9; ++n)
            table.insert(QStringLiteral("(Num%1)").arg(n), {QStringLiteral("KP_%1").arg(n), false});
        return table;
    }();
    return keys;
}

unsigned ModifierOf(QStringView token)
{
    for (const auto& [text, modifier] : Modifiers) {
        if (token == QLatin1StringView(text))
            return modifier;
    }
    return 0;
}

// The key at the end of a chord: a bracketed token, or one letter or digit.
std::optional<Key> FinalKey(QStringView text)
{
    if (text.size() == 1 && text[0].isLetterOrNumber() && text[0].unicode() < 128)
        return Key{text.toString().toLower(), false};
    const auto found = BracketedKeys().constFind(text.toString());
    if (found == BracketedKeys().constEnd())
        return std::nullopt;
    return *found;
}

QString TriggerText(unsigned modifiers, const QString& keysym)
{
    QStringList parts;
    const std::array<std::pair<Modifier, const char*>, 4> names{
        {{Ctrl, "CTRL"}, {Alt, "ALT"}, {Shift, "SHIFT"}, {Logo, "LOGO"}}};
    for (const auto& [modifier, name] : names) {
        if (modifiers & modifier)
            parts.append(QLatin1StringView(name));
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
        const qsizetype close = text.indexOf(u')', at);
        const unsigned modifier = close < 0 ? 0 : ModifierOf(text.sliced(at, close - at + 1));
        if (!modifier)
            break;
        if (modifiers & modifier)
            return {};
        modifiers |= modifier;
        at = close + 1;
    }
    const std::optional<Key> key = FinalKey(text.sliced(at));
    if (!key || (!key->alone && !(modifiers & (Ctrl | Alt | Logo))))
        return {};
    return TriggerText(modifiers, key->keysym);
}

} // namespace tarvex
