#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The entry functions of the fuzz targets. Each takes one input of any bytes and checks the
// rules its unit must keep for it; it returns an empty text when they hold, else what broke.
// libFuzzer runs them in the fuzz build (make fuzz); TestFuzzReplay runs them over the saved
// crash inputs and the seed corpus in the normal build.
namespace tarvex::fuzz {

/// The hotkey file: bytes -> list -> save -> reload. A save without edits writes the bytes back
/// unchanged; the list and table agree; an edited list re-saved reads back the same texts.
QString FuzzHotkeyFile(QByteArrayView data);

/// The combination texts: every key's text names its key, and text -> codes -> text gives the
/// same keys; capture keeps combination texts and its conversion is stable; both code
/// converters agree.
QString FuzzKeyTexts(QByteArrayView data);

/// The capture rules: a run of key presses and selections always leaves a combination text,
/// appends never change what was there, and Backspace only ever shortens.
QString FuzzKeyCapture(QByteArrayView data);

/// The compiled matcher against the plainly written matching algorithm, on random tables,
/// key streams, buffer sizes and table replacements.
QString FuzzMatcher(QByteArrayView data);

/// The settings reader: any INI file reads without fault; writing one key either reads back
/// exactly and leaves the others as they were, or is refused and leaves the file as it was.
QString FuzzSettings(QByteArrayView data);

/// The login entry's quoting: a program path put into an `Exec` line and read back the way
/// desktops read it (GLib's key-file and shell parsers) gives the path and "automatic".
QString FuzzLoginEntry(QByteArrayView data);

} // namespace tarvex::fuzz
