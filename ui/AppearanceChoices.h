#pragma once

#include <QStringList>

namespace tarvex {

class SettingsStore;

/// The entries of the appearance window's three lists and the stored look codes as the window
/// reads them. A code is an entry's zero-based position; a stored code outside its list, or a
/// text that is not a number, reads as the list's default.
class AppearanceChoices final
{
public:
    static constexpr int DefaultButtonStyle = 3; // "3D Hover"
    static constexpr int DefaultThemeColor = 0;  // "Blue"
    static constexpr int DefaultFrameStyle = 3;  // "Style Four"

    /// The fourteen button styles in code order (`velbutton` ButtonStyle 0 to 13).
    static QStringList ButtonStyles();
    /// The five window colours in code order (`velForms` ThemeColor 0 to 4).
    static QStringList WindowColors();
    /// The six window styles in code order (`velForms` Style 0 to 5).
    static QStringList WindowStyles();

    /// Returns `code` when it names an entry of `list`, else `fallback`.
    static int Valid(qint64 code, const QStringList& list, int fallback);

    /// "ButtonTheme"/"Color", a valid button style (else `fallback`, by default 3).
    static int StoredButtonStyle(const SettingsStore& store, int fallback = DefaultButtonStyle);
    /// "Theme"/"Color", a valid window colour (default 0).
    static int StoredThemeColor(const SettingsStore& store);
    /// "WTheme"/"Color", a valid window style (default 3).
    static int StoredFrameStyle(const SettingsStore& store);
    /// "Hotkey Activation"/"Notification": false only for a stored 0 (default 1).
    static bool StoredNotification(const SettingsStore& store);
};

} // namespace tarvex
