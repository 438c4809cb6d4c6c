#include "platform/linux/XdgLoginEntry.h"

#include "platform/linux/DesktopEntryText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tarvex {

namespace {

QString autostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/autostart");
}

// The failures keep the wording of the program's login-entry messages:
// "opening key" when the file cannot be created, "setting key" when its text
// cannot be written, "deleting key" when an existing entry cannot be removed,
// each followed by the system's description.
QString failure(int code, const char* what, const QString& description)
{
    return QCoreApplication::translate("tarvex::XdgLoginEntry", "Error %1 %2\n%3")
        .arg(code)
        .arg(QCoreApplication::translate("tarvex::XdgLoginEntry", what), description);
}

} // namespace

QString XdgLoginEntry::SetRunAtLogin(const QString& appName, const QString& appFolder, bool enable)
{
    if (enable)
        return writeEntry(appName, appFolder);
    return removeEntry(appName);
}

bool XdgLoginEntry::runsAtLogin(const QString& appName)
{
    return QFileInfo::exists(entryPath(appName));
}

QString XdgLoginEntry::entryPath(const QString& appName)
{
    return autostartFolder() + QLatin1Char('/') + appName + QLatin1String(".desktop");
}

QString XdgLoginEntry::entryText(const QString& appName, const QString& appFolder)
{
    const QString program = QDir(appFolder).filePath(appName);
    // TryExec: a session skips the entry once the program file is gone (removed by hand or by a
    // package manager that leaves the user's files alone), instead of failing at every login. A
    // path it could not hold exactly would name a missing file and stop the entry for good.
    const QString tryExec =
        DesktopEntryText::stringValueReadsBack(program)
            ? QLatin1String("\nTryExec=") + DesktopEntryText::stringValue(program)
            : QString();
    return QLatin1String("[Desktop Entry]\nType=Application\nName=") +
           DesktopEntryText::stringValue(appName) + tryExec + QLatin1String("\nExec=") +
           DesktopEntryText::quotedExecArgument(program) +
           QLatin1String(" automatic\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
}

QString XdgLoginEntry::writeEntry(const QString& appName, const QString& appFolder)
{
    if (!QDir().mkpath(autostartFolder()))
        return failure(
            QFileDevice::OpenError, QT_TRANSLATE_NOOP("tarvex::XdgLoginEntry", "opening key"),
            QCoreApplication::translate("tarvex::XdgLoginEntry", "Cannot create the folder %1")
                .arg(autostartFolder()));
    // Unbuffered, so a failed write says why at once (a full disk, say): a buffered one is only
    // found out when the file is committed, which may then report no reason at all.
    QSaveFile file(entryPath(appName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file.error(), QT_TRANSLATE_NOOP("tarvex::XdgLoginEntry", "opening key"),
                       file.errorString());
    const QByteArray text = entryText(appName, appFolder).toUtf8();
    for (qsizetype done = 0; done < text.size();) {
        const qint64 wrote = file.write(text.constData() + done, text.size() - done);
        if (wrote <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return failure(QFileDevice::WriteError,
                           QT_TRANSLATE_NOOP("tarvex::XdgLoginEntry", "setting key"), reason);
        }
        done += qsizetype(wrote);
    }
    if (!file.commit())
        return failure(file.error(), QT_TRANSLATE_NOOP("tarvex::XdgLoginEntry", "setting key"),
                       file.errorString());
    return QString();
}

QString XdgLoginEntry::removeEntry(const QString& appName)
{
    QFile file(entryPath(appName));
    // An absent entry is no error; one that stays would start the program at the next login.
    if (!file.exists() || file.remove())
        return QString();
    return failure(file.error(), QT_TRANSLATE_NOOP("tarvex::XdgLoginEntry", "deleting key"),
                   file.errorString());
}

} // namespace tarvex
