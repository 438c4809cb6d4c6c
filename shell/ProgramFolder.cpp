#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace tarvex {

// Debug lines (where the data is) only when asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcResources, "tarvex.resources", QtInfoMsg)

const QString ProgramFolder::InstalledRelative = QStringLiteral(TARVEX_DATA_FROM_BINDIR);

const QStringList ProgramFolder::Files = {
    QStringLiteral("Icons/file.ico"),   QStringLiteral("Icons/Website.ico"),
    QStringLiteral("Icons/action.ico"), QStringLiteral("Sounds/Bing.wav"),
    QStringLiteral("tarvex.html"),
};

QString ProgramFolder::locate(const QString& executableFolder, const QString& installedRelative)
{
    const QDir beside(executableFolder);
    const QString installed = beside.absoluteFilePath(installedRelative);
    if (!installedRelative.isEmpty() && QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return QDir::cleanPath(beside.absolutePath());
}

QStringList ProgramFolder::reportMissing(const QString& folder)
{
    qCDebug(lcResources, "Data files are read from %s", qUtf8Printable(folder));
    QStringList missing;
    for (const QString& name : Files) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile() && file.isReadable())
            continue;
        missing << name;
        qCWarning(lcResources, "Missing resource: %s is not a readable file",
                  qUtf8Printable(file.filePath()));
    }
    return missing;
}

} // namespace tarvex
