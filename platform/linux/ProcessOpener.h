#pragma once

#include "platform/linux/DetachedLauncher.h"
#include "platform/Opener.h"

#include <QStringList>

namespace tarvex {

// Opens targets on a Linux desktop. An executable file is started directly as
// its own detached process; anything else (document, folder, web address) goes
// to the desktop's opener, xdg-open. The target is always a single argument
// and never passes through a shell.
class ProcessOpener final : public Opener
{
public:
    /// What open() would start: a program and its arguments.
    struct Launch
    {
        QString program;
        QStringList arguments;
    };

    /// Starts the program for `target` without waiting; true when it could be started.
    bool open(const QString& target) override;

    /// The program and arguments that open `target`.
    static Launch launchFor(const QString& target);

private:
    static QString executableFor(const QString& target);
    static QString openerArgument(const QString& target);

    DetachedLauncher m_launcher;
};

} // namespace tarvex
