#pragma once

#include "store/SettingsStore.h"

#include <QStringList>

namespace tarvex {

/// The program's settings, one reader per place that reads them, each with its own default
/// (so the main window's buttons default to style 3 and the editor's to style 13).
class AppSettings final
{
public:
    /// Reads and writes through `store`.
    explicit AppSettings(SettingsStore& store) : m_store(store) {}

    /// "ButtonTheme"/"Color" as read by the main window (default 3).
    qint16 mainWindowButtonStyle() const;
    /// "ButtonTheme"/"Color" as read by the hotkey editor (default 13).
    qint16 editorButtonStyle() const;
    /// "ButtonTheme"/"Color" as read by the appearance options window (default 3).
    qint16 optionsButtonStyle() const;
    /// "Theme"/"Color": the frame colour code (default 0 for every reader).
    qint32 themeColor() const;
    /// "WTheme"/"Color": the frame style code (default 3 for every reader).
    qint32 frameStyle() const;
    /// "Startup"/"Note" for the "Disable Notification" check box (default 0).
    qint16 startupNote() const;
    /// True when the start-up balloon is suppressed: "Startup"/"Note" equals 1 (default 0).
    bool startupBalloonSuppressed() const;
    /// True when "Startup"/"Run" was ever written (absent reads as "NOTSET": first run).
    bool runChoiceStored() const;
    /// "Hotkey Activation"/"Sound" (default `programFolder` + "/Sounds/Bing.wav"; "" = none).
    QString activationSound(const QString& programFolder) const;
    /// "Hotkey Activation"/"Notification" equals 1 (default 1).
    bool activationNotification() const;
    /// "Keyboard"/"Source": which source watches the keyboard, "auto", "x11", "evdev", "reader"
    /// (the key reader) or "portal" (the desktop's global shortcuts); default "auto"; the
    /// composition root reads it.
    QString keyboardSource() const;
    /// "Keyboard"/"Devices": the input devices to read, a ";"-separated list of paths
    /// (default none: every keyboard).
    QStringList keyboardDevices() const;

    /// Stores the button style code.
    QString setButtonStyle(qint16 style);
    /// Stores the frame colour code.
    QString setThemeColor(qint32 color);
    /// Stores the frame style code.
    QString setFrameStyle(qint32 style);
    /// Stores the "Disable Notification" box (1 ticked, 0 not).
    QString setStartupNote(bool suppressed);
    /// Stores the "Run Tarvex When I Login" box (1 ticked, 0 not).
    QString setRunChoice(bool run);
    /// Stores the activation sound path ("" = no sound).
    QString setActivationSound(const QString& path);
    /// Stores the "Show notification when hotkey is activated" box.
    QString setActivationNotification(bool show);

    /// Returns the default sound file of the program in `programFolder`.
    static QString DefaultSound(const QString& programFolder);

private:
    SettingsStore& m_store;
};

} // namespace tarvex
