#include "shell/TarvexApplication.h"

#include "platform/evdev/ReaderKeyStateSource.h"
#include "platform/linux/DBusRemoteControl.h"
#include "platform/linux/HomeFolder.h"
#include "shell/CommandLine.h"
#include "shell/QtMessageFilter.h"
#include "shell/RealServices.h"
#include "shell/SignalWatcher.h"
#include "shell/TarvexShell.h"
#include "shell/Translations.h"
#include "ui/ProgramIcon.h"
#include "ui/QtDialogs.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

namespace tarvex {

namespace {

constexpr int UsageError = 2;

// Sends a request to the running instance over the session bus (no window, no display needed)
// and prints what it answers.
int askRunningInstance(const QString& method, int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    const std::optional<QStringList> answer = DBusRemoteControl::call(method);
    if (!answer) {
        std::fputs("Tarvex is not running.\n", stderr);
        return 1;
    }
    for (const QString& line : *answer)
        std::fputs(qPrintable(line + u'\n'), stdout);
    return 0;
}

// Answers --help, --version and the requests to the running instance; returns -1 for a command
// line that starts the program.
int answerRequest(const QStringList& arguments, int argc, char* argv[])
{
    QString option;
    const CommandLine::Request request = CommandLine::parse(arguments, &option);
    if (const QString method = CommandLine::remoteMethod(request); !method.isEmpty())
        return askRunningInstance(method, argc, argv);
    switch (request) {
    case CommandLine::Request::Run:
        return -1;
    case CommandLine::Request::Help:
        std::fputs(qPrintable(CommandLine::usage()), stdout);
        return 0;
    case CommandLine::Request::Version:
        std::fputs(qPrintable(CommandLine::versionText()), stdout);
        return 0;
    case CommandLine::Request::RevokeKeyReader:
        if (!ReaderKeyStateSource::revokeAccess(ReaderKeyStateSource::defaultSocketPath())) {
            std::fputs("tarvex: the key reader does not answer (tarvex-keyreader.socket); an "
                       "administrator can remove /var/lib/tarvex-keyreader/granted/UID\n",
                       stderr);
            return 1;
        }
        std::fputs("The key reader no longer passes your keys to Tarvex.\n", stdout);
        return 0;
    case CommandLine::Request::Unknown:
        std::fprintf(stderr, "tarvex: unknown option %s\n\n%s", qPrintable(option),
                     qPrintable(CommandLine::usage()));
        return UsageError;
    default:
        break;
    }
    return -1;
}

// Says on standard error and in a message box why the program cannot start without a home folder.
int refuseWithoutHome()
{
    const QString problem = HomeFolder::problem();
    std::fprintf(stderr, "tarvex: %s\n", qPrintable(problem));
    QtDialogs().warn(nullptr, ProgramTitle, problem);
    return 1;
}

} // namespace

int TarvexApplication::run(int argc, char* argv[])
{
    // --help, --version and the requests to a running instance need no display and start no
    // second instance.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLine::asksForInformation(rawArguments))
        return answerRequest(rawArguments, argc, argv);
    // Before the toolkit starts: it reads HOME once, and takes "/" when it is not set.
    const bool homeKnown = HomeFolder::ensure();

    InstallQtMessageFilter();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Tarvex"));
    QApplication::setDesktopFileName(QStringLiteral("tarvex"));
    // The program lives on in its tray icon while no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallTranslations(app);
    // Qt has taken out the options that are its own (-platform, -display, ...).
    const QStringList arguments = app.arguments().mid(1);
    if (const int status = answerRequest(arguments, argc, argv); status >= 0)
        return status;
    if (!homeKnown)
        return refuseWithoutHome();

    RealServices real(arguments);
    TarvexShell shell(real.services());
    // SIGTERM (log-out, kill), SIGINT and SIGHUP end the program like the tray menu's Exit, so
    // the windows it hid come back and its tray icons go away.
    SignalWatcher signalWatcher({SIGTERM, SIGINT, SIGHUP});
    return exec(shell, signalWatcher);
}

// A signal may arrive while a dialog runs its own event loop (a message box or the wizard, on
// the stack with a window as parent): the windows must not be deleted under it. So every
// event loop is left first, each dialog returning as if cancelled (dialogs opened on the way
// out return at once), and the exit runs once no loop is running. A signal during start-up,
// when a message box may be open before the main loop, ends the program too.
int TarvexApplication::exec(TarvexShell& shell, SignalWatcher& watcher)
{
    QObject::connect(&shell, &TarvexShell::finished, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    bool signalled = false;
    const QMetaObject::Connection onSignal =
        QObject::connect(&watcher, &SignalWatcher::signalReceived, qApp, [&signalled] {
            signalled = true;
            QCoreApplication::exit(0);
        });
    int status = 0;
    if (shell.start() && !signalled)
        status = QCoreApplication::exec();
    QObject::disconnect(onSignal);
    if (signalled)
        shell.terminate();
    // The windows unloaded on the way out are deleted now, while every service still exists.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}

} // namespace tarvex
