#include "store/HotkeyEntry.h"

#include "keys/KeyText.h"
#include "store/WebAddress.h"

#include <algorithm>
#include <QCoreApplication>

namespace tarvex {
namespace {

// The keypad's multiply key, the one key whose text holds the record separator "*".
constexpr QLatin1StringView KeypadMultiply{"(Num*)"};

bool HoldsSeparator(QStringView text)
{
    for (QChar c : text) {
        if (c == u'*' || c == u'|' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

// The first "*" that is not the middle of a keypad multiply key, or -1.
qsizetype SeparatorStar(QStringView record)
{
    qsizetype star = record.indexOf(u'*');
    while (star >= 4 && record.sliced(star - 4).startsWith(KeypadMultiply))
        star = record.indexOf(u'*', star + 1);
    return star;
}

} // namespace

HotkeyRecord SplitHotkeyRecord(QStringView record)
{
    const qsizetype star = SeparatorStar(record);
    if (star < 0)
        return {{record.toString(), QString()}, false};
    const qsizetype next = record.indexOf(u'*', star + 1);
    const QStringView target =
        record.sliced(star + 1, (next < 0 ? record.size() : next) - star - 1);
    return {{record.left(star).toString(), target.toString()}, true};
}

TargetKind ClassifyTarget(const QString& target)
{
    // Only spaces count as blank here; a tab keeps the target a File.
    qsizetype first = 0;
    while (first < target.size() && target.at(first) == u' ')
        ++first;
    if (first == target.size())
        return TargetKind::None;
    if (IsWebAddress(target))
        return TargetKind::Website;
    if (target == TypeTextTarget)
        return TargetKind::TypeText;
    if (target.startsWith(u'-'))
        return TargetKind::Special;
    return TargetKind::File;
}

QString IconKeyFor(const HotkeyEntry& entry)
{
    switch (ClassifyTarget(entry.target)) {
    case TargetKind::Website:
        return QStringLiteral("website");
    case TargetKind::Special:
    case TargetKind::TypeText:
        return QStringLiteral("action");
    case TargetKind::None:
        return QStringLiteral("file");
    case TargetKind::File:
        break;
    }
    return entry.target;
}

int TypeSelectorPosition(TargetKind kind, int current)
{
    switch (kind) {
    case TargetKind::File:
        return 0;
    case TargetKind::Website:
        return 1;
    case TargetKind::Special:
        return 2;
    case TargetKind::TypeText:
        return 3;
    case TargetKind::None:
        break;
    }
    return current;
}

QString ValidateCombination(const QString& combination)
{
    if (!HoldsSeparator(QString(combination).remove(KeypadMultiply)))
        return {};
    return QCoreApplication::translate(
        "tarvex::HotkeyEntry", "The key combination must not contain \"*\", \"|\" or a line break, "
                               "because the hotkey file uses them to separate its entries.");
}

QString ValidateTarget(const QString& target)
{
    if (HoldsSeparator(target))
        return QCoreApplication::translate(
            "tarvex::HotkeyEntry", "The target must not contain \"*\", \"|\" or a line break, "
                                   "because the hotkey file uses them to separate its entries.");
    if (HoldsControlCharacter(target))
        return QCoreApplication::translate(
            "tarvex::HotkeyEntry", "The target must not contain control characters (such as a tab "
                                   "or a NUL), because no file name or address holds them.");
    return {};
}

bool HasKeyCombination(const QString& combination)
{
    return !combination.trimmed().isEmpty();
}

bool HoldsControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; });
}

QString ReasonNotRun(const HotkeyEntry& entry)
{
    if (!HasKeyCombination(entry.combination))
        return QCoreApplication::translate(
            "tarvex::HotkeyEntry", "it has no key combination, so it would run at every key press");
    if (HoldsControlCharacter(entry.target))
        return QCoreApplication::translate(
            "tarvex::HotkeyEntry", "its action holds a control character, which no file name or "
                                   "address holds");
    if (KeyCodesFromText(entry.combination).contains(QChar(0)))
        return QCoreApplication::translate(
            "tarvex::HotkeyEntry", "its key combination holds text that names no key (such as "
                                   "a lone parenthesis or a key name in other letters)");
    return {};
}

QString ValidateHotkeyEntry(const HotkeyEntry& entry)
{
    const QString error = ValidateCombination(entry.combination);
    return error.isEmpty() ? ValidateTarget(entry.target) : error;
}

} // namespace tarvex
