#pragma once

#include <QString>

namespace tarvex {

// Texts written into a Desktop Entry (.desktop) file.
namespace DesktopEntryText {

/// One argument of an `Exec` value: in double quotes, with `"`, `` ` ``, `$` and
/// `\` escaped for the quoting, `%` doubled (no field code), then escaped as a
/// string value (a backslash becomes two, line breaks and tabs become \n, \t, \r).
QString quotedExecArgument(const QString& argument);

/// A plain string value: backslash, line breaks and tabs escaped, a leading space as \s.
QString stringValue(const QString& value);

/// False when stringValue(value) cannot read back as `value`: readers drop a leading form
/// feed or vertical tab, and the format has no escape for either.
bool stringValueReadsBack(const QString& value);

} // namespace DesktopEntryText

} // namespace tarvex
