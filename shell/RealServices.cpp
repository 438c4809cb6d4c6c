#include "shell/RealServices.h"

#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/DBusNotifier.h"
#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/LogindPowerControl.h"
#include "platform/linux/ProcessOpener.h"
#include "platform/linux/XdgDocumentsFolder.h"
#include "platform/linux/XdgLoginEntry.h"
#include "platform/x11/EwmhDesktopWindows.h"
#include "platform/x11/TrayHiddenWindowIcons.h"
#include "platform/x11/X11KeyStateSource.h"
#include "shell/MessageBoxConfirmation.h"
#include "shell/ProgramFolder.h"
#include "store/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tarvex {

// Declared in the order they may depend on each other; destroyed in reverse.
struct RealServices::Parts
{
    SettingsStore settings;
    LockFileSingleInstance instance;
    XdgLoginEntry login;
    ProcessOpener opener;
    MessageBoxConfirmation confirmation;
    X11KeyStateSource keys;
    EwmhDesktopWindows desktop;
    TrayHiddenWindowIcons hiddenIcons{desktop};
    CanberraSoundPlayer sound;
    LogindPowerControl power;
    XdgDocumentsFolder documents;
    DBusNotifier notifier;
};

RealServices::RealServices(const QStringList& arguments)
    : m_parts(std::make_unique<Parts>()), m_arguments(arguments),
      m_executableFolder(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath()),
      m_programFolder(ProgramFolder::locate(m_executableFolder))
{
    ProgramFolder::reportMissing(m_programFolder);
}

RealServices::~RealServices() = default;

ShellServices RealServices::services()
{
    Parts& p = *m_parts;
    const QFileInfo program(QCoreApplication::applicationFilePath());
    ShellServices services{
        p.settings,
        p.instance,
        p.login,
        p.opener,
        p.confirmation,
        p.keys,
        p.desktop,
        p.hiddenIcons,
        p.sound,
        p.power,
        p.documents,
        &MessageBoxConfirmation::showInformation,
        [&keys = p.keys] { return keys.start(); },
        m_programFolder,
        // The whole file name: a dot in it ("tarvex.v2") is part of the name, not an extension.
        program.fileName(),
        m_arguments,
        m_executableFolder,
    };
    services.notifier = &p.notifier;
    return services;
}

} // namespace tarvex
