#pragma once

#include "activation/ForegroundApp.h"
#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyDatabase.h"
#include "store/HotkeyList.h"

#include <QObject>

#include <functional>
#include <memory>

namespace tarvex {

class ChordDetection;
class GlobalShortcuts;
class HotkeyDetection;
class HotkeyFileWatcher;
class KeyInjector;
class KeyStateSource;

/// The running hotkeys: the hotkey list and the active table read from the database file, and
/// while the polling is on either the detection over a key-state source or, where the desktop
/// watches the keys, the table's chords bound as the desktop's global shortcuts (useShortcuts()
/// switches between the two where both are at hand). The hotkey
/// editor edits the list and saves into the table; the hotkeys pause while the editor is
/// visible. While the editor is not visible, the list and the table follow the file when it
/// changes on disk (a file that cannot be read keeps the last good ones). Destroying the host
/// stops the hotkeys.
class HotkeyHost final : public QObject
{
    Q_OBJECT

public:
    /// Runs a match: the hotkey that fired (its combination, target and arguments).
    using ActionFunction = std::function<void(const HotkeyEntry& hotkey)>;

    /// Polls `keys` and runs matches with `runAction`; `keys` must outlive the host.
    HotkeyHost(KeyStateSource& keys, ActionFunction runAction, QObject* parent = nullptr);
    /// Binds the chords through `shortcuts` and runs activated ones with `runAction`; no key
    /// source is read. `shortcuts` must outlive the host.
    HotkeyHost(GlobalShortcuts& shortcuts, ActionFunction runAction, QObject* parent = nullptr);
    /// Polls `keys` or binds through `shortcuts`, as useShortcuts() says (the keys at first);
    /// either may be nullptr while it is never used. Both must outlive the host.
    HotkeyHost(KeyStateSource* keys, GlobalShortcuts* shortcuts, ActionFunction runAction,
               QObject* parent = nullptr);
    ~HotkeyHost() override;

    /// Reads `database` into the list and the active table; returns a message for the user
    /// when the file exists but cannot be read (the list is then empty), else an empty text.
    QString load(const HotkeyDatabase& database);
    /// The database the list was read from (which the editor saves to).
    HotkeyDatabase& database() { return m_database; }
    /// Reads the file again if it changed on disk, unless the editor is visible (its Save asks
    /// about the change), and binds the desktop's shortcuts as the new table says; what
    /// happened is logged.
    void followFile();
    /// The editor's rows.
    HotkeyList& list() { return m_list; }
    /// The table the matcher reads.
    ActiveHotkeyTable& table() { return m_table; }

    /// Sets what erases the typed keys of the hotkeys that ask for it (nullptr: nothing is
    /// erased); it must outlive the host.
    void setKeyInjector(KeyInjector* injector);
    /// Sets the query that answers whether the editor is visible (the polling pauses then).
    void setEditorVisibleQuery(std::function<bool()> query);
    /// Sets the query that names the application in front, for hotkeys limited to applications
    /// (without one the desktop cannot tell).
    void setForegroundAppQuery(ForegroundAppQuery query);
    /// Runs the hotkeys through the desktop's shortcuts (true) or the key source (false); while
    /// the polling is on, the one running gives way to the other at once.
    void useShortcuts(bool use);
    /// True while the hotkeys run, or would run, through the desktop's shortcuts.
    bool usesShortcuts() const { return m_useShortcuts; }
    /// Switches the key polling on or off.
    void setPollingEnabled(bool enabled);
    /// True while the key polling runs.
    bool isPollingEnabled() const { return m_detection || m_chords; }
    /// The polling and matching, or nullptr while the polling is off or the desktop watches.
    HotkeyDetection* detection() const { return m_detection.get(); }
    /// The chords bound as global shortcuts, or nullptr while the polling is off or keys are read.
    ChordDetection* chords() const { return m_chords.get(); }
    /// Binds the desktop's shortcuts as the table and the pause now stand (released while the
    /// editor is visible or the hotkeys are off); call it when either changed.
    void syncShortcuts();
    /// Why some of the hotkeys do not run where the desktop watches the keys, or an empty text.
    QString problem() const;

    /// Pauses (true) or resumes the hotkeys for the user: while paused no hotkey fires and a
    /// press is not kept for later, whatever else switches the hotkeys on or off; the desktop's
    /// shortcuts stay bound. The pause lasts until resumed or the host ends.
    void setPaused(bool paused);
    /// True while the user paused the hotkeys.
    bool isPaused() const { return m_paused; }

Q_SIGNALS:
    /// problem() may have changed.
    void problemChanged();
    /// The list and the table were read again after the file changed on disk.
    void fileReloaded();
    /// The user paused (`paused`) or resumed the hotkeys.
    void pausedChanged(bool paused);

private:
    KeyStateSource* m_keys = nullptr;
    GlobalShortcuts* m_shortcuts = nullptr;
    bool m_useShortcuts = false;
    ActionFunction m_runAction;
    std::function<bool()> m_editorVisible;
    ForegroundAppQuery m_foregroundApp;
    KeyInjector* m_injector = nullptr;
    HotkeyDatabase m_database{QString()};
    HotkeyList m_list;
    ActiveHotkeyTable m_table;
    std::unique_ptr<HotkeyDetection> m_detection;
    std::unique_ptr<ChordDetection> m_chords;
    HotkeyFileWatcher* m_watcher = nullptr;
    bool m_paused = false;
};

} // namespace tarvex
