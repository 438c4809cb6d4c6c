#pragma once

#include "platform/common/KeySourceChoice.h"
#include "platform/GlobalShortcuts.h"

#include <QObject>

#include <functional>

namespace tarvex {

class KeyStateSource;

/// Which way the running hotkeys reach Tarvex: a key source, or the desktop's shortcuts. The
/// composition root offers one of them, or both where "auto" runs on a Wayland session; then
/// the table decides (chooseHotkeyWay): a table made only of chords runs through the desktop's
/// shortcuts, so no keyboard is read at all, and any other through the keys. When the desktop
/// refuses its shortcuts (it has none, the user declined, or it failed), the keys take over for
/// the rest of the run.
///
/// The key source is started only once the keys are chosen (and again while it has a problem,
/// as access may have been granted since); it passes keys on only while the keys are chosen
/// and the hotkeys run.
class HotkeyRoute final : public QObject
{
    Q_OBJECT

public:
    /// Routes between `keys` and `shortcuts`, either of which may be nullptr (it never runs
    /// then); `startKeys` starts the key source, false when it cannot. Both must outlive the
    /// route.
    HotkeyRoute(KeyStateSource* keys, GlobalShortcuts* shortcuts, std::function<bool()> startKeys,
                QObject* parent = nullptr);
    ~HotkeyRoute() override;

    /// True where both ways are at hand, so the table decides.
    bool followsTable() const { return m_keys && m_shortcuts; }
    /// Chooses the way for a table that is made only of chords (`chordsOnly`) or not.
    void choose(bool chordsOnly);
    /// The way chosen.
    HotkeyWay way() const { return m_way; }
    /// Starts the key source where the keys are chosen, unless it already runs without a
    /// problem. Returns false when the keys are chosen and could not be started.
    bool startKeys();
    /// True when the keys are chosen and their source could not be started.
    bool keysFailed() const;
    /// Says whether the hotkeys run; the key source passes keys on only then.
    void setListening(bool listening);
    /// Why nothing reaches the hotkeys the way chosen (the key source's problem, or the
    /// desktop's refusal of its shortcuts); empty while it does.
    QString problem() const;
    /// True while the user's permission could mend the keys' problem.
    bool canAskForAccess() const;
    /// Asks the user's permission for the keys (the desktop's own dialog).
    void askForAccess();
    /// The user started the hotkeys: asks the permission the keys lack now (true), or later,
    /// should the keys take over from a desktop that turns out to have no shortcuts while the
    /// hotkeys run.
    bool askForAccessAsStarted();

Q_SIGNALS:
    /// way() changed: the desktop refused its shortcuts, or the table changed.
    void wayChanged();
    /// problem() or canAskForAccess() may have changed.
    void problemChanged();
    /// The desktop refused its shortcuts while the hotkeys run: `message` tells the user so,
    /// and, where the keys take over, that they do (once for each reason; nothing is said of a
    /// desktop that has no shortcuts to offer when the keys take over quietly).
    void shortcutsRefused(const QString& message);

private:
    void onShortcutsState();
    void fallBack(GlobalShortcuts::State state);
    void announce();
    void applyListening();

    KeyStateSource* m_keys;
    GlobalShortcuts* m_shortcuts;
    std::function<bool()> m_startKeys;
    HotkeyWay m_way;
    bool m_chordsOnly = false;
    bool m_refused = false;
    bool m_keysStarted = false;
    bool m_listening = false;
    bool m_askWhenKeysTakeOver = false;
    QString m_refusalShown;
};

} // namespace tarvex
