#pragma once

#include "platform/linux/DetachedLauncher.h"
#include "platform/Opener.h"

#include <QLoggingCategory>
#include <QStringList>

namespace tarvex {

Q_DECLARE_LOGGING_CATEGORY(lcOpener)

// Opens targets on a Linux desktop. An executable file is started directly as
// its own detached process; anything else (document, folder, web address) goes
// to the desktop's opener, xdg-open. The target is always a single argument
// and never passes through a shell; a program gets its arguments as they are
// given, each one argument, while the opener never gets them.
//
// Where a target is looked for: a bare program name (no "/") only on the PATH;
// any other relative path below the user's home folder, never in the current
// folder, so a file dropped there cannot stand in for a program. The opener
// only ever gets an absolute path or an address with its scheme, so no target
// can read as one of its options ("-x", "--help").
class ProcessOpener final : public Opener
{
public:
    /// What open() would start: a program and its arguments.
    struct Launch
    {
        QString program;
        QStringList arguments;
        /// The opener launch for the same file, tried when `program` turns out to be no
        /// program (a document with the execute bit); empty for opener launches.
        QStringList fallbackArguments;
    };

    using Opener::open;
    /// Starts the program for `target` (a program with `arguments`) without waiting; true
    /// when it could be started. Every failure is logged under "tarvex.opener", including an
    /// opener that ends with an error later.
    bool open(const QString& target, const QStringList& arguments) override;

    /// The program and arguments that open `target`, a program with `programArguments`
    /// after its own path (an empty program: nothing to open).
    static Launch launchFor(const QString& target, const QStringList& programArguments = {});
    /// True when `launch` starts the target itself as a program (not the desktop's opener).
    static bool isProgram(const Launch& launch) { return !launch.fallbackArguments.isEmpty(); }

private:
    static Launch openerLaunch(const QString& argument);
    static QString openerArgument(const QString& target, const QString& path);
    bool startOpener(const QString& target, const QStringList& arguments);

    DetachedLauncher m_launcher;
};

} // namespace tarvex
