#include "platform/linux/AppIdIcon.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvex {

namespace {

// The Icon value of the [Desktop Entry] group (not of an action, not a translation).
QString desktopEntryIcon(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inEntry && equals > 0 && QStringView(line).left(equals).trimmed() == u"Icon")
            return line.mid(equals + 1).trimmed();
    }
    return QString();
}

} // namespace

QIcon appIdIcon(const QString& appId)
{
    // An app id is a name, never a path: it must not reach outside the applications folders.
    if (appId.isEmpty() || appId.contains(u'/'))
        return QIcon();
    const QString desktopFile = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral("applications/%1.desktop").arg(appId));
    const QString icon = desktopFile.isEmpty() ? appId : desktopEntryIcon(desktopFile);
    if (icon.isEmpty())
        return QIcon();
    if (QFileInfo(icon).isAbsolute())
        return QFileInfo::exists(icon) ? QIcon(icon) : QIcon();
    return QIcon::fromTheme(icon);
}

} // namespace tarvex
