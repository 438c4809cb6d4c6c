#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tarvex {

class DesktopWindows;
class Dialogs;
class DocumentsFolder;
class GlobalShortcuts;
class HiddenWindowIcons;
class KeyInjector;
class KeyStateSource;
class LoginEntry;
class Notifier;
class Opener;
class PowerControl;
class RemoteControl;
class SettingsStore;
class SingleInstance;
class SoundPlayer;

/// What the shell builds the run from: the desktop services (real ones in the program, recording
/// fakes in tests), the settings store and the facts of this start. The shell hands each window
/// the few of them it uses.
struct ShellServices
{
    SettingsStore& settings;
    SingleInstance& instance;
    LoginEntry& login;
    Opener& opener;
    Dialogs& dialogs;
    /// The keyboard the hotkeys read, or nullptr where only the desktop's shortcuts run them.
    /// With both at hand ("auto" on Wayland) the table decides which runs (HotkeyRoute).
    KeyStateSource* keys;
    DesktopWindows& desktop;
    HiddenWindowIcons& hiddenIcons;
    SoundPlayer& sound;
    PowerControl& power;
    DocumentsFolder& documents;
    /// Starts watching the keyboard (and reserves Ctrl+Alt+Space); false when it cannot. Called
    /// only once the keys run the hotkeys, and again while they have a problem.
    std::function<bool()> startKeySource;
    /// The folder of the program's data files (Icons/, Sounds/, help): the program file's own
    /// folder in the build folder, the data folder of the install otherwise (ProgramFolder).
    QString programFolder;
    /// The program file's name (names the login entry, which starts this file).
    QString programName;
    /// The command-line arguments, without the program name.
    QStringList arguments;
    /// The folder of the program file itself, which the login entry starts.
    QString executableFolder;
    /// Shows the activation notifications (nullptr: none are shown).
    Notifier* notifier = nullptr;
    /// The desktop's global shortcuts that run a table of chords (nullptr: none).
    GlobalShortcuts* shortcuts = nullptr;
    /// The user's runtime folder, where the hidden windows are recorded (empty: nowhere).
    QString runtimeFolder{};
    /// Lets other programs of the session reach the running one (nullptr: none can).
    RemoteControl* remote = nullptr;
    /// Types the Backspaces that erase a typed sequence (nullptr: this desktop types no keys).
    KeyInjector* injector = nullptr;
};

} // namespace tarvex
