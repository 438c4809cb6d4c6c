#include "shell/RealServices.h"

#include "platform/common/DesktopWindowsChoice.h"
#include "platform/common/KeySourceChain.h"
#include "platform/common/KeySourceChoice.h"
#include "platform/common/UnavailableDesktopWindows.h"
#include "platform/common/UnavailableKeyInjector.h"
#include "platform/evdev/EvdevKeyEventCodes.h"
#include "platform/evdev/EvdevKeyStateSource.h"
#include "platform/evdev/ReaderKeyStateSource.h"
#include "platform/evdev/SessionKeymap.h"
#include "platform/kwin/KWinDesktopWindows.h"
#include "platform/linux/AppIdIcon.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/DBusNotifier.h"
#include "platform/linux/DBusRemoteControl.h"
#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/LogindPowerControl.h"
#include "platform/linux/ProcessOpener.h"
#include "platform/linux/XdgDocumentsFolder.h"
#include "platform/linux/XdgLoginEntry.h"
#include "platform/portal/PortalGlobalShortcuts.h"
#include "platform/portal/PortalKeyInjector.h"
#include "platform/wayland/SwayIpc.h"
#include "platform/wayland/WaylandGlobals.h"
#include "platform/wayland/WlrDesktopWindows.h"
#include "platform/wayland/WlrKeyInjector.h"
#include "platform/x11/EwmhDesktopWindows.h"
#include "platform/x11/TrayHiddenWindowIcons.h"
#include "platform/x11/X11KeyEventCodes.h"
#include "platform/x11/X11KeyStateSource.h"
#include "platform/x11/XTestKeyInjector.h"
#include "shell/ProgramFolder.h"
#include "store/AppSettings.h"
#include "store/SettingsStore.h"
#include "ui/ProgramIcon.h"
#include "ui/QtDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

namespace tarvex {
namespace {

// Through the desktop portal's remote control where the desktop offers it (KDE Plasma, GNOME);
// the token that restores the user's permission is kept beside the preferences.
std::unique_ptr<KeyInjector> PortalOrUnavailableInjector()
{
    if (!PortalKeyInjector::isOffered())
        return std::make_unique<UnavailableKeyInjector>();
    return std::make_unique<PortalKeyInjector>(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Tarvex/RemoteDesktop.token"));
}

} // namespace

// Declared in the order they may depend on each other; destroyed in reverse.
struct RealServices::Parts
{
    SettingsStore settings;
    LockFileSingleInstance instance;
    XdgLoginEntry login;
    ProcessOpener opener;
    QtDialogs dialogs;
    DBusNotifier notifier;
    // The key source and the capture box's key numbers of the session (createKeySource).
    std::unique_ptr<SessionKeymap> keymap;
    std::unique_ptr<KeyStateSource> keys;
    std::unique_ptr<PortalGlobalShortcuts> shortcuts;
    std::function<bool()> startKeys;
    std::unique_ptr<KeyEventCodes> keyCodes;
    // The windows of other programs and the icons of hidden ones (createDesktopWindows).
    std::unique_ptr<DesktopWindows> desktop;
    std::unique_ptr<TrayHiddenWindowIcons> hiddenIcons;
    // Types the Backspaces that erase a sequence (createDesktopWindows).
    std::unique_ptr<KeyInjector> injector;
    CanberraSoundPlayer sound;
    LogindPowerControl power;
    XdgDocumentsFolder documents;
    DBusRemoteControl remote;
};

// An X11 session keeps XInput2. A Wayland session offers the desktop portal's global shortcuts,
// which open no device and run a table of chords, beside the keys: through the key reader when
// the user has allowed it, else from the devices the user can read, else the reader's
// permission is what the main window asks for (the route between them: HotkeyRoute). The keys
// are numbered by the session's layout. "Keyboard"/"Source" may choose any one way.
void RealServices::createKeySource(Parts& p)
{
    const AppSettings settings(p.settings);
    const KeySourceKind kind =
        chooseKeySource(settings.keyboardSource(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                        qEnvironmentVariable("WAYLAND_DISPLAY"), &X11KeyStateSource::displayUsable);
    if (kind == KeySourceKind::X11) {
        auto keys = std::make_unique<X11KeyStateSource>();
        p.startKeys = [&source = *keys] { return source.start(); };
        p.keys = std::move(keys);
        p.keyCodes = std::make_unique<X11KeyEventCodes>();
        return;
    }
    p.keymap = std::make_unique<SessionKeymap>();
    p.keyCodes = std::make_unique<EvdevKeyEventCodes>(*p.keymap);
    if (kind == KeySourceKind::Portal || kind == KeySourceKind::Wayland)
        p.shortcuts = std::make_unique<PortalGlobalShortcuts>();
    if (kind != KeySourceKind::Portal)
        createEvdevKeys(p, kind, settings.keyboardDevices());
}

void RealServices::createEvdevKeys(Parts& p, KeySourceKind kind, const QStringList& devices)
{
    auto direct =
        std::make_unique<EvdevKeyStateSource>(*p.keymap, QStringLiteral("/dev/input"), devices);
    auto reader = std::make_unique<ReaderKeyStateSource>(*p.keymap,
                                                         ReaderKeyStateSource::defaultSocketPath());
    if (kind == KeySourceKind::Evdev) {
        p.startKeys = [&source = *direct] { return source.start(); };
        p.keys = std::move(direct);
    } else if (kind == KeySourceKind::Reader) {
        p.startKeys = [&source = *reader] { return source.start(); };
        p.keys = std::move(reader);
    } else {
        auto chain = std::make_unique<KeySourceChain>();
        ReaderKeyStateSource& passed = *reader;
        EvdevKeyStateSource& read = *direct;
        chain->add(std::move(reader), [&passed] { return passed.start(); });
        chain->add(std::move(direct), [&read] { return read.start(); });
        p.startKeys = [&source = *chain] { return source.start(); };
        p.keys = std::move(chain);
    }
}

// Chosen from what the compositor advertises: EWMH on X11, the foreign-toplevel protocol on
// wlroots compositors, KWin's scripting on KDE Plasma, and elsewhere nothing, said once in
// plain words. Keys are typed through XTest where the windows are X11 ones, through a
// virtual keyboard on wlroots compositors, and elsewhere through the desktop portal.
void RealServices::createDesktopWindows(Parts& p)
{
    p.injector = std::make_unique<UnavailableKeyInjector>();
    const DesktopWindowsKind kind =
        chooseDesktopWindows(qEnvironmentVariable("XDG_SESSION_TYPE"), waylandGlobals());
    if (kind == DesktopWindowsKind::Ewmh) {
        auto windows = std::make_unique<EwmhDesktopWindows>();
        p.injector = std::make_unique<XTestKeyInjector>();
        p.hiddenIcons = std::make_unique<TrayHiddenWindowIcons>(*windows);
        p.desktop = std::move(windows);
        return;
    }
    if (kind == DesktopWindowsKind::WlrForeignToplevel) {
        auto windows = std::make_unique<WlrDesktopWindows>();
        p.injector = std::make_unique<WlrKeyInjector>();
        // sway keeps minimized windows on screen; its own IPC hides them in the scratchpad.
        if (!qEnvironmentVariableIsEmpty("SWAYSOCK"))
            windows->useSwayScratchpad(std::make_unique<SwayIpc>(qEnvironmentVariable("SWAYSOCK")));
        p.hiddenIcons = std::make_unique<TrayHiddenWindowIcons>(
            [&w = *windows](WindowId window) { return appIdIcon(w.windowAppId(window)); });
        p.desktop = std::move(windows);
        return;
    }
    p.injector = PortalOrUnavailableInjector();
    if (kind == DesktopWindowsKind::KWinScripting) {
        auto windows = std::make_unique<KWinDesktopWindows>();
        p.hiddenIcons = std::make_unique<TrayHiddenWindowIcons>(
            [&w = *windows](WindowId window) { return appIdIcon(w.windowAppId(window)); });
        p.desktop = std::move(windows);
        return;
    }
    p.desktop = std::make_unique<UnavailableDesktopWindows>(p.notifier, p.dialogs);
    p.hiddenIcons = std::make_unique<TrayHiddenWindowIcons>(std::function<QIcon(WindowId)>());
}

RealServices::RealServices(const QStringList& arguments)
    : m_parts(std::make_unique<Parts>()), m_arguments(arguments),
      m_executableFolder(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath()),
      m_programFolder(ProgramFolder::locate(m_executableFolder))
{
    ProgramFolder::reportMissing(m_programFolder);
    createKeySource(*m_parts);
    createDesktopWindows(*m_parts);
    KeyEventCodes::setSession(m_parts->keyCodes.get());
}

RealServices::~RealServices()
{
    KeyEventCodes::setSession(nullptr);
}

ShellServices RealServices::services()
{
    Parts& p = *m_parts;
    const QFileInfo program(QCoreApplication::applicationFilePath());
    ShellServices services{
        p.settings,
        p.instance,
        p.login,
        p.opener,
        p.dialogs,
        p.keys.get(),
        *p.desktop,
        *p.hiddenIcons,
        p.sound,
        p.power,
        p.documents,
        p.startKeys,
        m_programFolder,
        // The whole file name: a dot in it ("tarvex.v2") is part of the name, not an extension.
        program.fileName(),
        m_arguments,
        m_executableFolder,
    };
    services.notifier = &p.notifier;
    services.shortcuts = p.shortcuts.get();
    services.remote = &p.remote;
    services.injector = p.injector.get();
    services.runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return services;
}

} // namespace tarvex
