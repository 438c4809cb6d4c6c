#pragma once

#include "store/HotkeyEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

#include <optional>

namespace tarvex {

/// The options of the hotkeys (off, arguments, applications) live in lines after the first
/// line of the hotkey file, which stays as older releases read and write it. A hotkey with an
/// option other than its default has one line, ended by CR LF:
///
///     tarvex-hotkey <position> <record>[TAB<option>]...
///
/// <position> is the hotkey's 1-based place in the first line and <record> its record
/// "combination*target" as read from there, UTF-8 percent-encoded (QUrl::toPercentEncoding,
/// so it holds no blank). The options are `off`, `erase` (erase the typed sequence),
/// `args=<arguments>`, `text=<typed text>` and `only=<app>,<app>` or `except=<app>,<app>`, each
/// text percent-encoded the same way. An option word this release does not know is skipped; lines
/// not beginning with "tarvex-hotkey " belong to others.
inline constexpr QByteArrayView OptionLinePrefix{"tarvex-hotkey "};

/// True when `entry` has an option other than its default (off, erase, arguments, typed text,
/// some applications).
bool HasOptions(const HotkeyEntry& entry);

/// Returns the option line of `entry` at 1-based `position`, whose record reads as `record`,
/// ended by CR LF.
QByteArray OptionLine(int position, const QString& record, const HotkeyEntry& entry);

/// One option line taken apart: where it points and the options it gives (in `options`; its
/// combination and target are left empty).
struct ParsedOptionLine
{
    int position = 0;
    QString record;
    HotkeyEntry options;
};

/// Takes apart one option line (without its line end); nothing when it is malformed (no
/// prefix, a position that is no positive number, a bad percent-encoding, not UTF-8).
std::optional<ParsedOptionLine> ParseOptionLine(QByteArrayView line);

/// Gives the rows of `entries`, whose records read as `records`, the options of the option
/// lines in `trailer` (what follows the first line). A line applies to the row at its position
/// when that row's record equals the line's; else to the first row with that record that got
/// no line yet; else (the list was edited by a release without options) it is dropped, as is
/// a malformed line.
void ApplyOptionLines(QByteArrayView trailer, const QStringList& records,
                      QList<HotkeyEntry>& entries);

/// Returns `trailer` with its option lines replaced by `lines` (each ended by CR LF): they go
/// where the first old one stood, else straight after the first line; every other line stays
/// as it was. A trailer without a line end gets CR LF before them. Without old option lines
/// and without new ones, `trailer` is returned unchanged.
QByteArray WithOptionLines(const QByteArray& trailer, const QByteArray& lines);

} // namespace tarvex
