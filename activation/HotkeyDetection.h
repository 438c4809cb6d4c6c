#pragma once

#include "activation/HotkeyMatcher.h"
#include "activation/KeyBuffer.h"
#include "platform/KeyStateSource.h"
#include "store/ActiveHotkeyTable.h"

#include <functional>
#include <memory>

namespace tarvex {

/// The running hotkeys: the poll tick over the key-state source, the key buffer and the matcher.
///
/// It runs one onKeyPressed per press that the source announces (no timer). When the table has been
/// replaced since the last press, the key buffer is emptied first, so keys typed before a
/// hotkey existed never complete it. A tick does nothing
/// while the editor is visible or HotkeysEnabled is false, and nothing while an action started
/// by the matcher is still running (for example while a confirmation box is open); presses made
/// during such times are discarded, so they never reach the buffer later.
class HotkeyDetection final
{
public:
    using ActionFunction = std::function<void(const QString& target)>;
    /// Runs a match, told the combination that fired as well as its target.
    using MatchFunction = std::function<void(const QString& combination, const QString& target)>;

    /// Listens to `source` and matches against `table`; `runAction` is RunHotkeyAction.
    /// Both `source` and `table` must outlive this object.
    HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                    ActionFunction runAction, int bufferCapacity = KeyBuffer::DefaultCapacity);
    /// The same, with a function that also gets the combination of the record that fired.
    HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table, MatchFunction runMatch,
                    int bufferCapacity = KeyBuffer::DefaultCapacity);
    /// Stops listening to the source.
    ~HotkeyDetection();
    HotkeyDetection(const HotkeyDetection&) = delete;
    HotkeyDetection& operator=(const HotkeyDetection&) = delete;

    /// Sets the query that answers whether the hotkey editor is visible (ticks pause then).
    void setEditorVisibleQuery(std::function<bool()> query) { m_editorVisible = std::move(query); }
    /// One poll tick: scans codes 1-255 and appends each newly pressed one (163 and 161 append
    /// 17 and 16, 164 appends 18; those three end the tick).
    void onKeyPressed();
    /// Appends `code` (1-255) to the buffer and runs MatchHotkeys.
    void appendKeyCode(int code);
    /// Returns the key buffer.
    const KeyBuffer& buffer() const { return m_buffer; }
    /// Returns true while an action started by the matcher runs.
    bool isRunningAction() const { return m_runningAction; }

private:
    bool isPaused() const;
    void discardPresses();
    void MatchHotkeys(quint8 appended, bool trimmed);
    int findMatch(quint8 appended, bool trimmed);
    void runMatch(int record);

    KeyStateSource& m_source;
    const ActiveHotkeyTable& m_table;
    MatchFunction m_runAction;
    std::function<bool()> m_editorVisible;
    KeyBuffer m_buffer;
    HotkeyMatcher m_matcher;
    bool m_inTick = false;
    bool m_runningAction = false;
    // Cleared on destruction, so a match run whose action ended the detection stops at once.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace tarvex
