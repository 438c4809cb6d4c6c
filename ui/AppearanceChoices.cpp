#include "ui/AppearanceChoices.h"

#include "store/SettingsStore.h"

#include <cmath>

namespace tarvex {
namespace {

const QString Color = QStringLiteral("Color");

// Reads a stored code, rounded like the store's integer readers; a huge number reads as -1
// (no entry). A text that is not a number reads as `fallback`.
qint64 StoredCode(const SettingsStore& store, const QString& section, int fallback)
{
    const double value = store.readNumber(section, Color, fallback);
    return std::fabs(value) < 1e9 ? qint64(std::nearbyint(value)) : -1;
}

} // namespace

const QStringList& AppearanceChoices::ButtonStyles()
{
    static const QStringList styles{
        QStringLiteral("Standard"),       QStringLiteral("Flat"),
        QStringLiteral("Windows XP"),     QStringLiteral("3D Hover"),
        QStringLiteral("Vista Aero"),     QStringLiteral("Office XP"),
        QStringLiteral("Office 2003"),    QStringLiteral("XP Toolbar"),
        QStringLiteral("Vista Toolbar"),  QStringLiteral("Outlook 2007"),
        QStringLiteral("Install Shield"), QStringLiteral("Gel Button"),
        QStringLiteral("Flat Hover"),     QStringLiteral("Windows Theme"),
    };
    return styles;
}

const QStringList& AppearanceChoices::WindowColors()
{
    static const QStringList colors{QStringLiteral("Blue"), QStringLiteral("Silver"),
                                    QStringLiteral("Olive"), QStringLiteral("VB 2005"),
                                    QStringLiteral("Norton 2004")};
    return colors;
}

const QStringList& AppearanceChoices::WindowStyles()
{
    static const QStringList styles{QStringLiteral("Style One"),   QStringLiteral("Style Two"),
                                    QStringLiteral("Style Three"), QStringLiteral("Style Four"),
                                    QStringLiteral("Style Five"),  QStringLiteral("Style Six")};
    return styles;
}

int AppearanceChoices::Valid(qint64 code, const QStringList& list, int fallback)
{
    return code >= 0 && code < list.size() ? int(code) : fallback;
}

int AppearanceChoices::StoredButtonStyle(const SettingsStore& store, int fallback)
{
    const qint64 code = StoredCode(store, QStringLiteral("ButtonTheme"), fallback);
    return Valid(code, ButtonStyles(), fallback);
}

int AppearanceChoices::StoredThemeColor(const SettingsStore& store)
{
    const qint64 code = StoredCode(store, QStringLiteral("Theme"), DefaultThemeColor);
    return Valid(code, WindowColors(), DefaultThemeColor);
}

int AppearanceChoices::StoredFrameStyle(const SettingsStore& store)
{
    const qint64 code = StoredCode(store, QStringLiteral("WTheme"), DefaultFrameStyle);
    return Valid(code, WindowStyles(), DefaultFrameStyle);
}

bool AppearanceChoices::StoredNotification(const SettingsStore& store)
{
    const double value =
        store.readNumber(QStringLiteral("Hotkey Activation"), QStringLiteral("Notification"), 1);
    return value != 0; // "1" and anything that is not "0" or "1" read as the default, checked
}

} // namespace tarvex
