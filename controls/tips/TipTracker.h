#pragma once

#include "controls/tips/TipContent.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

class QWidget;

namespace tarvex {

class TipWindow;

// Shows one tip window for a tool widget by the desktop's timing: after the pointer has rested
// on the tool for the tooltip wake-up delay. Any pointer movement, leaving the tool, a click,
// the wheel, a key or hiding the tool takes the tip down; it pops down by itself after a while
// like the desktop's tooltips. An empty text registers the tool but never shows a tip. Nothing
// runs while the pointer is away: both timers are single-shot and event-driven.
class TipTracker final : public QObject
{
    Q_OBJECT

public:
    /// Creates a hidden tip window for `content`, owned by `tool` (it goes away with the tool),
    /// with its tracker, and starts waiting for the pointer to rest. Delete the window to
    /// unregister the tool.
    static TipWindow* attach(QWidget* tool, const TipContent& content);
    /// The tracker of a window made by attach().
    static TipTracker* of(const TipWindow* window);

    /// Watches `tool` for `window`, which owns the tracker.
    TipTracker(QWidget* tool, TipWindow* window);

    /// The tool the tip belongs to.
    QWidget* tool() const { return m_tool; }
    /// The tip window (hidden until the pointer rests).
    TipWindow* tipWindow() const { return m_window; }
    /// True while the tip is up.
    bool isShown() const;
    /// Starts waiting for the pointer to rest at its current position.
    void arm();
    /// Takes the tip down and stops waiting until the pointer moves again.
    void dismiss();
    /// True while waiting for the pointer to rest.
    bool isWaiting() const { return m_wakeUp.isActive(); }

signals:
    /// The tip window was shown.
    void tipShown();
    /// The tip window was taken down.
    void tipHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onPointerMoved(const QPoint& globalPos);
    void onWakeUp();
    bool pointerOnTool(const QPoint& globalPos) const;
    int autoPopDelay() const;

    QWidget* m_tool;
    TipWindow* m_window;
    QTimer m_wakeUp;
    QTimer m_autoPop;
    QPoint m_restingAt;
    bool m_poppedByUser = false;
};

} // namespace tarvex
