#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

/// A program's arguments taken from their text, or why the text cannot be taken apart.
struct ExecArguments
{
    QStringList arguments;
    /// A message for the user when the text is malformed (arguments is then empty).
    QString error;
};

/// Splits `text` with the quoting rules of a desktop entry's Exec key (after the key's own
/// string escapes): arguments are separated by spaces; an argument holding a space or one of
/// the reserved characters " ' \ > < ~ | & ; $ * ? # ( ) ` is written in double quotes, inside
/// which only \" \` \$ and \\ are escapes and " ` $ stand nowhere else. A quoted part may
/// adjoin unquoted text (--title="A B"); "" is an empty argument. A hotkey has no files or
/// addresses to hand over, so "%%" is a percent sign and every other field code (%f, %u, a
/// lone %) is refused rather than passed on. Control characters are refused: no argument of a
/// program started by a hotkey holds one.
ExecArguments SplitExecArguments(const QString& text);

/// The text SplitExecArguments takes back to `arguments`: plain words as they are, any other
/// argument in double quotes, percent signs doubled.
QString JoinExecArguments(const QStringList& arguments);

} // namespace tarvex
