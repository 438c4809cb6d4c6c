#include "keys/KeyNames.h"

#include "keys/KeyText.h"
#include "platform/KeyTable.h"

#include <QCoreApplication>
#include <QHash>

namespace tarvex {
namespace {

constexpr const char* Context = "tarvex::KeyNames";

// The tokens whose names a translation may change; the function keys and the keypad's digits
// and signs read alike in every language.
constexpr const char* Translatable[] = {
    //: A key's name as the key boxes and the hotkey list show it (hotkeys store it in English):
    //: in parentheses, without spaces, unlike every other key's name.
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Shift)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Ctrl)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Alt)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Win)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Space)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Del)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Backspace)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Tab)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Enter)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Esc)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Ins)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Home)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(End)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(PgUp)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(PgDn)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Up)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Down)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Left)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Right)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(NumEnter)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Print)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Pause)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Menu)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Mute)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(VolDown)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(VolUp)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Play)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Stop)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Prev)"),
    QT_TRANSLATE_NOOP("tarvex::KeyNames", "(Next)"),
};

// A name can stand in a text and be found again: "(", at least one character that is no
// parenthesis, "*", "|" or blank, then ")".
bool IsUsableName(QStringView name)
{
    if (name.size() < 3 || name.front() != u'(' || name.back() != u')')
        return false;
    for (QChar c : name.sliced(1, name.size() - 2)) {
        if (c == u'(' || c == u')' || c == u'*' || c == u'|' || c.isSpace())
            return false;
    }
    return true;
}

// The shown name of token `token`. A translation that could not be read back is not used, nor
// one that is another key's token (that key would take its place).
QString ShownName(const char* token)
{
    const QString shown = QCoreApplication::translate(Context, token);
    const bool usable =
        IsUsableName(shown) && (shown == QLatin1StringView(token) || KeyCodeOf(shown) == 0);
    return usable ? shown : QString::fromLatin1(token);
}

// The text from `from` to the first ")" after it when `from` holds a "(", else empty.
QStringView BracketedAt(QStringView text, qsizetype from)
{
    if (from >= text.size() || text.at(from) != u'(')
        return {};
    const qsizetype close = text.indexOf(u')', from + 1);
    return close < 0 ? QStringView() : text.sliced(from, close - from + 1);
}

bool IsTokenInAnyCase(QStringView name)
{
    for (const KeyTableEntry& key : KeyTable) {
        if (name.compare(QLatin1StringView(key.text), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

KeyNames::KeyNames()
{
    for (const char* token : Translatable) {
        const QString shown = ShownName(token);
        if (shown != QLatin1StringView(token))
            m_tokenOfShown.insert(shown, QLatin1StringView(token));
    }
}

QString KeyNames::Displayed(QStringView stored)
{
    if (!stored.contains(u'('))
        return stored.toString();
    QString shown;
    for (qsizetype i = 0; i < stored.size();) {
        const qsizetype length = KeyItemLength(stored, i);
        const QStringView item = stored.sliced(i, length);
        shown += length > 1 ? ShownName(item.toLatin1().constData()) : item.toString();
        i += length;
    }
    return shown;
}

QString KeyNames::stored(QStringView displayed) const
{
    QString stored;
    stored.reserve(displayed.size());
    for (qsizetype i = 0; i < displayed.size();) {
        const auto token = m_tokenOfShown.constFind(BracketedAt(displayed, i).toString());
        const bool named = token != m_tokenOfShown.cend();
        stored += named ? *token : QString(displayed.at(i));
        i += named ? token.key().size() : 1;
    }
    return stored;
}

qsizetype KeyNames::nameLengthAt(QStringView text, qsizetype from) const
{
    const QStringView name = BracketedAt(text, from);
    const bool known =
        !name.isEmpty() && (KeyCodeOf(name) != 0 || m_tokenOfShown.contains(name.toString()));
    return known ? name.size() : 0;
}

qsizetype KeyNames::trailingNameLength(QStringView text) const
{
    const qsizetype open = text.lastIndexOf(u'(');
    if (open < 0 || !text.endsWith(u')'))
        return 0;
    const QStringView name = text.sliced(open);
    if (IsTokenInAnyCase(name))
        return name.size();
    for (auto it = m_tokenOfShown.cbegin(); it != m_tokenOfShown.cend(); ++it) {
        if (name.compare(it.key(), Qt::CaseInsensitive) == 0)
            return name.size();
    }
    return 0;
}

} // namespace tarvex
