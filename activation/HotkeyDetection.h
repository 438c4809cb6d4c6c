#pragma once

#include "activation/ForegroundApp.h"
#include "activation/HotkeyMatcher.h"
#include "activation/KeyBuffer.h"
#include "platform/KeyInjector.h"
#include "platform/KeyStateSource.h"
#include "store/ActiveHotkeyTable.h"

#include <functional>
#include <memory>
#include <optional>

namespace tarvex {

/// The running hotkeys: the key buffer and the matcher, fed by the presses a key source announces
/// (no timer). Each press appends its code (a sided modifier code by the rule of onKeyPressed)
/// and matches. When the table has been replaced since the last press, the key buffer is emptied
/// first, so keys typed before a hotkey existed never complete it. Presses are ignored while the
/// editor is visible, HotkeysEnabled is false or the user paused the hotkeys, and while an action
/// started by the matcher is still running (for example while a confirmation box is open), so they
/// never reach the buffer later. A hotkey limited to applications fires only as AppFilterAllows
/// says for the application in front, which is asked for at most once a press and only when such
/// a hotkey matches; when it may not fire, the next matching hotkey can.
/// A hotkey that erases its typed sequence has the injector press Backspace once per printed
/// key before its target runs; the presses that typing causes are ignored when the source
/// announces them, so they never complete a hotkey.
class HotkeyDetection final
{
public:
    using ActionFunction = std::function<void(const QString& target)>;
    /// Runs a match, told the whole hotkey that fired: its combination, target and arguments.
    using MatchFunction = std::function<void(const HotkeyEntry& hotkey)>;

    /// Listens to `source` and matches against `table`; `runAction` is RunHotkeyAction.
    /// Both `source` and `table` must outlive this object.
    HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table,
                    ActionFunction runAction, int bufferCapacity = KeyBuffer::DefaultCapacity);
    /// The same, with a function that gets the whole hotkey that fired.
    HotkeyDetection(KeyStateSource& source, const ActiveHotkeyTable& table, MatchFunction runMatch,
                    int bufferCapacity = KeyBuffer::DefaultCapacity);
    /// Stops listening to the source.
    ~HotkeyDetection();
    HotkeyDetection(const HotkeyDetection&) = delete;
    HotkeyDetection& operator=(const HotkeyDetection&) = delete;

    /// Sets the query that answers whether the hotkey editor is visible (presses pause then).
    void setEditorVisibleQuery(std::function<bool()> query) { m_editorVisible = std::move(query); }
    /// Sets the query that answers whether the user paused the hotkeys (presses are ignored).
    void setPausedQuery(std::function<bool()> query) { m_userPaused = std::move(query); }
    /// Sets the query that names the application in front (none: the desktop cannot tell).
    void setForegroundAppQuery(ForegroundAppQuery query) { m_foregroundApp = std::move(query); }
    /// Sets what erases the typed keys of a hotkey that asks for it (nullptr: nothing is erased);
    /// it must outlive this object.
    void setKeyInjector(KeyInjector* injector) { m_injector = injector; }
    /// Ignores the source's next announcements of `presses`, which the injector caused.
    void ignoreInjected(const QList<int>& presses) { m_injected.append(presses); }
    /// A new press of key `code`: appended unless paused. The right Shift, right Ctrl and left
    /// Alt codes (161, 163, 164) append their generic codes 16, 17 and 18.
    void onKeyPressed(int code);
    /// Appends `code` (1-255) to the buffer and runs MatchHotkeys.
    void appendKeyCode(int code);
    /// Returns the key buffer.
    const KeyBuffer& buffer() const { return m_buffer; }
    /// Returns true while an action started by the matcher runs.
    bool isRunningAction() const { return m_runningAction; }

private:
    bool isPaused() const;
    void MatchHotkeys(quint8 appended, bool trimmed);
    int findMatch(quint8 appended, bool trimmed);
    void runMatch(int record);
    bool allows(int record);
    void eraseTyped(int record);
    bool takeInjected(int code);

    KeyStateSource& m_source;
    const ActiveHotkeyTable& m_table;
    MatchFunction m_runAction;
    std::function<bool()> m_editorVisible;
    std::function<bool()> m_userPaused;
    ForegroundAppQuery m_foregroundApp;
    std::optional<ForegroundApp> m_foreground; // asked during this press
    KeyBuffer m_buffer;
    HotkeyMatcher m_matcher;
    bool m_runningAction = false;
    KeyInjector* m_injector = nullptr;
    // The presses the injector caused that the source has not announced yet.
    QList<int> m_injected;
    // Cleared on destruction, so a match run whose action ended the detection stops at once.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace tarvex
