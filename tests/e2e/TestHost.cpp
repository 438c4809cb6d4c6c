// A small host of the running hotkeys for the end-to-end tests: the core's detection, matcher
// and actions on the real Linux/X11 back end, without the program's windows. It reads the hotkey
// file from the Documents folder of $HOME and the settings of $XDG_CONFIG_HOME, and reports on
// stdout, one line each: "ready", "action <target>" before each action runs and "tray <slot>"
// when a hidden window's tray icon was added. Its dialogs answer every question No, so nothing
// is ever switched off.
#include "activation/ActionRunner.h"
#include "activation/GlobalFlags.h"
#include "activation/HiddenWindowSlots.h"
#include "activation/HotkeyDetection.h"
#include "activation/SpecialActions.h"
#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/LogindPowerControl.h"
#include "platform/linux/ProcessOpener.h"
#include "platform/linux/XdgDocumentsFolder.h"
#include "platform/x11/EwmhDesktopWindows.h"
#include "platform/x11/TrayHiddenWindowIcons.h"
#include "platform/x11/X11KeyStateSource.h"
#include "store/AppSettings.h"
#include "store/HotkeyDatabase.h"
#include "store/SettingsStore.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>

#include <cstdio>

using namespace tarvex;

namespace {

void report(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    X11KeyStateSource source;
    if (!source.start()) {
        report(QStringLiteral("error no X display with XInput 2.2"));
        return 2;
    }
    XdgDocumentsFolder documents;
    HotkeyList list;
    ActiveHotkeyTable table;
    HotkeyDatabase::InFolder(documents.documentsFolder()).load(list, table);

    SettingsStore store;
    AppSettings settings(store);
    CanberraSoundPlayer sound;
    ProcessOpener opener;
    LogindPowerControl power;
    FakeDialogs dialogs;
    EwmhDesktopWindows windows;
    TrayHiddenWindowIcons icons(windows);
    QObject::connect(&icons, &TrayHiddenWindowIcons::iconAdded,
                     [](int slot) { report(QStringLiteral("tray %1").arg(slot)); });
    HiddenWindowSlots hiddenSlots(windows, icons);
    SpecialActions special(windows, power, dialogs, hiddenSlots);
    ActionRunner runner(settings, sound, opener, special, QCoreApplication::applicationDirPath());

    HotkeyDetection detection(source, table, [&runner](const QString& target) {
        report(QStringLiteral("action ") + target);
        runner.RunHotkeyAction(target);
    });
    SetHK(true);
    report(QStringLiteral("ready"));
    return app.exec();
}
