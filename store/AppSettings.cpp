#include "store/AppSettings.h"

#include "store/HotkeyDatabase.h"

namespace tarvex {
namespace {

const QString ButtonTheme = QStringLiteral("ButtonTheme");
const QString Theme = QStringLiteral("Theme");
const QString WTheme = QStringLiteral("WTheme");
const QString Startup = QStringLiteral("Startup");
const QString Activation = QStringLiteral("Hotkey Activation");
const QString Color = QStringLiteral("Color");
const QString Keyboard = QStringLiteral("Keyboard");

QString Flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

qint16 AppSettings::mainWindowButtonStyle() const
{
    return m_store.readInt16(ButtonTheme, Color, 3);
}

qint16 AppSettings::editorButtonStyle() const
{
    return m_store.readInt16(ButtonTheme, Color, 13);
}

qint16 AppSettings::optionsButtonStyle() const
{
    return m_store.readInt16(ButtonTheme, Color, 3);
}

qint32 AppSettings::themeColor() const
{
    return m_store.readInt32(Theme, Color, 0);
}

qint32 AppSettings::frameStyle() const
{
    return m_store.readInt32(WTheme, Color, 3);
}

qint16 AppSettings::startupNote() const
{
    return m_store.readInt16(Startup, QStringLiteral("Note"), 0);
}

bool AppSettings::startupBalloonSuppressed() const
{
    return m_store.readNumber(Startup, QStringLiteral("Note"), 0) == 1;
}

bool AppSettings::runChoiceStored() const
{
    const QString notSet = QStringLiteral("NOTSET");
    return m_store.readText(Startup, QStringLiteral("Run"), notSet) != notSet;
}

QString AppSettings::activationSound(const QString& programFolder) const
{
    return m_store.readText(Activation, QStringLiteral("Sound"), DefaultSound(programFolder));
}

bool AppSettings::activationNotification() const
{
    return m_store.readNumber(Activation, QStringLiteral("Notification"), 1) == 1;
}

QString AppSettings::setButtonStyle(qint16 style)
{
    return m_store.writeText(ButtonTheme, Color, QString::number(style));
}

QString AppSettings::setThemeColor(qint32 color)
{
    return m_store.writeText(Theme, Color, QString::number(color));
}

QString AppSettings::setFrameStyle(qint32 style)
{
    return m_store.writeText(WTheme, Color, QString::number(style));
}

QString AppSettings::setStartupNote(bool suppressed)
{
    return m_store.writeText(Startup, QStringLiteral("Note"), Flag(suppressed));
}

QString AppSettings::setRunChoice(bool run)
{
    return m_store.writeText(Startup, QStringLiteral("Run"), Flag(run));
}

QString AppSettings::setActivationSound(const QString& path)
{
    return m_store.writeText(Activation, QStringLiteral("Sound"), path);
}

QString AppSettings::setActivationNotification(bool show)
{
    return m_store.writeText(Activation, QStringLiteral("Notification"), Flag(show));
}

QString AppSettings::DefaultSound(const QString& programFolder)
{
    return JoinPath(programFolder, QStringLiteral("Sounds/Bing.wav"));
}

QString AppSettings::keyboardSource() const
{
    return m_store.readText(Keyboard, QStringLiteral("Source"), QStringLiteral("auto")).trimmed();
}

QStringList AppSettings::keyboardDevices() const
{
    QStringList devices;
    const QString stored = m_store.readText(Keyboard, QStringLiteral("Devices"), QString());
    for (const QString& device : stored.split(u';', Qt::SkipEmptyParts)) {
        if (!device.trimmed().isEmpty())
            devices << device.trimmed();
    }
    return devices;
}

} // namespace tarvex
