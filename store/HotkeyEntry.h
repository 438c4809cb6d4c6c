#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tarvex {

/// The applications a hotkey acts in, named by their app id or window class (compared without
/// regard to letter case): everywhere, only in the named ones, or in all but them.
struct AppFilter
{
    enum class Mode : quint8 { Everywhere, OnlyIn, NotIn };
    Mode mode = Mode::Everywhere;
    QStringList apps;

    friend bool operator==(const AppFilter&, const AppFilter&) = default;
};

/// One hotkey: the key combination (text form of the key sequence) and its target, with the
/// options kept beside the record in the hotkey file (a hotkey from a file without them is on,
/// has no arguments and acts everywhere).
struct HotkeyEntry
{
    HotkeyEntry() = default;
    HotkeyEntry(QString combination, QString target)
        : combination(std::move(combination)), target(std::move(target))
    {}

    QString combination;
    QString target;
    /// False for a hotkey switched off: it stays in the file and the list but never fires.
    bool enabled = true;
    /// The command-line arguments of a program target, quoted as in a desktop entry's Exec key.
    QString arguments;
    /// The applications the hotkey acts in.
    AppFilter apps;
    /// True when a completed sequence first erases what its keys printed in the focused
    /// application (Backspace once per printed character, PrintedKeyCount).
    bool eraseTyped = false;
    /// The text a "Type text" hotkey (target TypeTextTarget) types into the focused window.
    QString typedText;
    /// Words of the hotkey's option line that this release does not know (a later release
    /// wrote them), kept as they were so that a save does not drop them.
    QList<QByteArray> otherOptions;

    friend bool operator==(const HotkeyEntry&, const HotkeyEntry&) = default;
};

/// The target of a hotkey that types its text: a special-action-like marker that names no
/// action. A release that knows no typing starts no program for it: it finds no program of that
/// name and hands its desktop opener a file of that name in the home folder, which is not there.
/// The text itself is kept on the hotkey's option line.
inline constexpr QStringView TypeTextTarget = u"-Type Text-";
/// The most characters a hotkey types.
inline constexpr int MaxTypedTextLength = 4000;

/// One record of the hotkey file ("combination*target") taken apart: the combination is the
/// text before the first "*" that is not the middle of the keypad multiply key "(Num*)", the
/// target the text from there up to the next "*" (anything after that is ignored). A record
/// without such a "*" is all combination and has no target.
struct HotkeyRecord
{
    HotkeyEntry entry;
    bool hasTarget = false;
};

/// Splits one record of the hotkey file or of the active table at its "*" separators.
HotkeyRecord SplitHotkeyRecord(QStringView record);

/// The kind of a target, always derived from the target text by ClassifyTarget.
enum class TargetKind : qint16 {
    Website = 0,
    File = 1,
    Special = 2,
    TypeText = 3,
    None = 4,
};

/// Returns the kind of `target`: None when only spaces, Website when it is a web address
/// (IsWebAddress: "http:", "https:" or any scheme followed by "://"), TypeText when it is
/// TypeTextTarget, Special when it starts with "-", else File.
TargetKind ClassifyTarget(const QString& target);

/// Returns the editor's icon key of `entry`: "website", "action", "file" (None), or for a File
/// entry the target text itself (the key of that file's own icon).
QString IconKeyFor(const HotkeyEntry& entry);

/// Returns the position of `kind` in the editor's type selector ("File", "Website", "Action",
/// "Type text"); None keeps `current`.
int TypeSelectorPosition(TargetKind kind, int current);

/// Returns a message for the user when `combination` cannot be stored in the hotkey file
/// (it holds "|", a carriage return, a line feed or a "*" outside "(Num*)"), else an empty text.
QString ValidateCombination(const QString& combination);

/// Returns a message for the user when `target` cannot be stored in the hotkey file (it holds
/// "*", "|", a carriage return or a line feed) or can name nothing that could be opened (it
/// holds another control character, such as a NUL), else an empty text.
QString ValidateTarget(const QString& target);

/// True when `combination` names a key: one that is empty or only blanks would run at every
/// key press, so such a hotkey never runs and the editor does not save it.
bool HasKeyCombination(const QString& combination);

/// True when `text` holds a control character (codes 0 to 31 and 127): no file name or address
/// holds one, and a NUL would cut the target short on its way to the desktop.
bool HoldsControlCharacter(const QString& text);

/// Returns why the running hotkeys ignore `entry` (it has no key combination, its target holds
/// a control character, or its combination holds text that names no key), else an empty text.
QString ReasonNotRun(const HotkeyEntry& entry);

/// Returns the first message of ValidateCombination and ValidateTarget, or an empty text.
QString ValidateHotkeyEntry(const HotkeyEntry& entry);

} // namespace tarvex
