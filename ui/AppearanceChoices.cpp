#include "ui/AppearanceChoices.h"

#include "store/SettingsStore.h"

#include <QCoreApplication>

#include <array>
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

// The names of a list in the user's language; the stored codes are their positions.
template <std::size_t N> QStringList Translated(const std::array<const char*, N>& names)
{
    QStringList list;
    for (const char* name : names)
        list.append(QCoreApplication::translate("tarvex::AppearanceChoices", name));
    return list;
}

} // namespace

QStringList AppearanceChoices::ButtonStyles()
{
    static constexpr std::array styles{
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Standard"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Flat"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Rounded"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "3D Hover"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Glass"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Soft Highlight"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Gradient"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Toolbar"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Glossy Toolbar"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Banded"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Tile"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Gel Button"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Flat Hover"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Desktop Theme"),
    };
    return Translated(styles);
}

QStringList AppearanceChoices::WindowColors()
{
    static constexpr std::array colors{
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Blue"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Silver"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Olive"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Khaki"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Amber"),
    };
    return Translated(colors);
}

QStringList AppearanceChoices::WindowStyles()
{
    static constexpr std::array styles{
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style One"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style Two"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style Three"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style Four"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style Five"),
        QT_TRANSLATE_NOOP("tarvex::AppearanceChoices", "Style Six"),
    };
    return Translated(styles);
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
