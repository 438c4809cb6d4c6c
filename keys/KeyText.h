#pragma once

#include <QString>
#include <QStringView>

namespace tarvex {

/// The 64 characters a combination text may hold outside its tokens, in this order.
QString KeyAlphabet();

/// Returns the text of key `code` (1-255) in a combination ("a", "7", "(Ctrl)", "(F4)"), or an
/// empty text for a key that no combination names. Letters are lower case.
QString KeyText(int code);

/// Returns the key that item `item` names: a token ("(Ctrl)", exact letter case), a letter of
/// either case or a digit; 0 when it names no key.
int KeyCodeOf(QStringView item);

/// Returns the length of the item that starts `text` at `from`: a whole token when one stands
/// there (exact letter case), else 1; 0 at the end.
qsizetype KeyItemLength(QStringView text, qsizetype from);

/// Puts the key-code sequence of combination `text` into `codes`, one character per item, and
/// reuses the buffer of `codes`. An item that names no key (a stray parenthesis, a token in
/// another letter case, a character outside the alphabet) becomes code 0, which no key press
/// matches.
void KeyCodesInto(QStringView text, QString& codes);

/// Returns the key-code sequence of combination `text` (see KeyCodesInto).
QString KeyCodesFromText(QStringView text);

/// Returns how many characters typing combination `text` prints into the focused application:
/// one per key when every key is a letter or a digit (typed without a modifier), else 0 (a
/// chord, a modifier or a key that prints nothing, such as F4 or Enter, in the sequence).
int PrintedKeyCount(QStringView text);

} // namespace tarvex
