#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Fuzz entry functions: each checks its unit's rules on any bytes; empty result when they hold.
namespace tarvex::fuzz {

/// Bytes -> list -> save -> reload: unedited saves keep the bytes, edits read back.
QString FuzzHotkeyFile(QByteArrayView data);

/// Key texts: text -> codes -> text keeps the keys; capture and both converters agree.
QString FuzzKeyTexts(QByteArrayView data);

/// Capture: always a combination text, appends keep the start, Backspace only shortens.
QString FuzzKeyCapture(QByteArrayView data);

/// The compiled matcher against ReferenceMatcher on random tables and key streams.
QString FuzzMatcher(QByteArrayView data);

/// Settings: any INI reads; a write reads back and keeps the rest, or leaves the file.
QString FuzzSettings(QByteArrayView data);

/// Login entry quoting: the path through `Exec` and back gives the path and "automatic".
QString FuzzLoginEntry(QByteArrayView data);

} // namespace tarvex::fuzz
