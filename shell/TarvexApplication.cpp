#include "shell/TarvexApplication.h"

#include "shell/RealServices.h"
#include "shell/SignalWatcher.h"
#include "shell/TarvexShell.h"

#include <QApplication>

#include <csignal>

namespace tarvex {

int TarvexApplication::run(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationName(QStringLiteral("Tarvex"));
    QApplication::setDesktopFileName(QStringLiteral("tarvex"));
    // The program lives on in its tray icon while no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);

    RealServices real(app.arguments().mid(1));
    TarvexShell shell(real.services());
    QObject::connect(&shell, &TarvexShell::finished, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // SIGTERM (log-out, kill) and SIGINT end the program like the tray menu's Exit, so the
    // windows it hid come back and its tray icons go away.
    SignalWatcher signalWatcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&signalWatcher, &SignalWatcher::signalReceived, &shell,
                     &TarvexShell::terminate);
    if (!shell.start())
        return 0;
    return app.exec();
}

} // namespace tarvex
