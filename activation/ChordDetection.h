#pragma once

#include "activation/ForegroundApp.h"
#include "platform/GlobalShortcuts.h"
#include "store/ActiveHotkeyTable.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <memory>

namespace tarvex {

/// The running hotkeys when the desktop watches the keys: each chord of the table (see
/// ChordTrigger) is bound as one global shortcut, with the chord's trigger as its id and the
/// hotkey's target as its description; an activated shortcut runs its hotkey as a key match
/// runs it. Hotkeys that are not chords do not run here (sequences() names them).
///
/// An activation does nothing while the editor is visible, while HotkeysEnabled is false, while
/// the user paused the hotkeys, and while an action it started still runs (for example while a
/// confirmation box is open). Of the hotkeys with the activated chord the lowest one that
/// AppFilterAllows for the application in front runs. While the editor is visible or the hotkeys
/// are off the shortcuts are released (see sync()), so the editor's key box and every other program
/// get those keys.
class ChordDetection final
{
public:
    /// Runs a match, told the whole hotkey that fired: its combination, target and arguments.
    using MatchFunction = std::function<void(const HotkeyEntry& hotkey)>;

    /// Runs the activated shortcuts of `shortcuts` with `runMatch`; the chords of `table` are
    /// bound at the first sync(). Both `shortcuts` and `table` must outlive this object.
    ChordDetection(GlobalShortcuts& shortcuts, const ActiveHotkeyTable& table,
                   MatchFunction runMatch);
    /// Releases the shortcuts.
    ~ChordDetection();
    ChordDetection(const ChordDetection&) = delete;
    ChordDetection& operator=(const ChordDetection&) = delete;

    /// Sets the query that answers whether the hotkey editor is visible (activations pause).
    void setEditorVisibleQuery(std::function<bool()> query) { m_editorVisible = std::move(query); }
    /// Sets the query that answers whether the user paused the hotkeys: activations are ignored
    /// then, and the shortcuts stay bound (so resuming asks the desktop nothing).
    void setPausedQuery(std::function<bool()> query) { m_userPaused = std::move(query); }
    /// Sets the query that names the application in front (none: the desktop cannot tell).
    void setForegroundAppQuery(ForegroundAppQuery query) { m_foregroundApp = std::move(query); }
    /// Binds the chords as the table and the pause now stand: none while the editor is visible
    /// or HotkeysEnabled is false, else those of the table (read again if it was replaced). The
    /// desktop is asked when that list changed, or again after it declined or failed.
    void sync();
    /// Runs the hotkey bound as shortcut `id` (the lowest record with that chord that may act in
    /// the application in front), unless paused.
    void activate(const QString& id);
    /// The combinations of the hotkeys that would run but are not chords, in table order.
    const QStringList& sequences() const { return m_sequences; }
    /// Why some hotkeys do not run here (they are key sequences), or an empty text.
    QString problem() const;
    /// Returns true while an action started by an activation runs.
    bool isRunningAction() const { return m_runningAction; }

    /// The shortcuts that bind the chords of `table`, one per distinct chord (the lowest record
    /// wins); the combinations of the runnable hotkeys that are not chords go to `sequences`.
    static QList<GlobalShortcut> ShortcutsOf(const ActiveHotkeyTable& table,
                                             QStringList* sequences = nullptr);
    /// True when every hotkey of `table` that can run is a chord.
    static bool IsChordTable(const ActiveHotkeyTable& table);

private:
    void readTable();
    bool isReleased() const;
    bool isPaused() const;

    GlobalShortcuts& m_shortcuts;
    const ActiveHotkeyTable& m_table;
    MatchFunction m_runMatch;
    std::function<bool()> m_editorVisible;
    std::function<bool()> m_userPaused;
    ForegroundAppQuery m_foregroundApp;
    quint64 m_generation = 0;
    QList<GlobalShortcut> m_chords;
    QList<GlobalShortcut> m_asked;
    QHash<QString, QList<int>> m_records; // shortcut id -> its records, lowest first
    QStringList m_sequences;
    bool m_runningAction = false;
    // Cleared on destruction, so a run whose action ended the detection stops at once.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace tarvex
