#pragma once

#include "controls/tips/TipContent.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <memory>

class QWidget;

namespace tarvex {

class TipWindow;

// Attaches one tip to a tool widget and shows it by the desktop's timing: after the pointer
// has rested on the tool for the tooltip wake-up delay. Any pointer movement, leaving the tool,
// a click, the wheel, a key or hiding the tool takes the tip down; it pops down by itself after
// a while like the desktop's tooltips. An empty text registers the tool but never shows a tip.
// Nothing runs while the pointer is away: both timers are single-shot and event-driven.
class TipTracker final : public QObject
{
    Q_OBJECT

public:
    /// Watches `tool` (which owns the tracker) for `content`.
    TipTracker(QWidget* tool, const TipContent& content);
    ~TipTracker() override;

    /// The tool the tip belongs to.
    QWidget* tool() const { return m_tool; }
    /// What the tip shows.
    const TipContent& content() const { return m_content; }
    /// The tip window while it is up, else nullptr.
    TipWindow* tipWindow() const { return m_window.get(); }
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
    TipContent m_content;
    QTimer m_wakeUp;
    QTimer m_autoPop;
    QPoint m_restingAt;
    std::unique_ptr<TipWindow> m_window;
};

} // namespace tarvex
