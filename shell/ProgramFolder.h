#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

/// The folder of the files the program opens (row icons, the activation sound, the help
/// document). A program run from its build folder has them beside itself; an installed one in
/// the data folder the install gives it, found relative to the program file.
class ProgramFolder final
{
public:
    /// Where the install puts the data, relative to the installed program's folder.
    static const QString InstalledRelative;

    /// The files below the folder that the program opens.
    static const QStringList Files;

    /// The data folder of a program file kept in `executableFolder`: `installedRelative` below
    /// it when that is a folder, else `executableFolder` itself. The result is absolute and clean.
    static QString locate(const QString& executableFolder,
                          const QString& installedRelative = InstalledRelative);

    /// Logs (category tarvex.resources) each of `Files` that `folder` lacks, and where the
    /// data was looked for; returns the missing names.
    static QStringList reportMissing(const QString& folder);
};

} // namespace tarvex
