#include "controls/tips/TipTracker.h"

#include "controls/tips/TipWindow.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QWidget>

namespace tarvex {

TipWindow* TipTracker::attach(QWidget* tool, const TipContent& content)
{
    auto* window = new TipWindow(content, tool);
    auto* tracker = new TipTracker(tool, window);
    tracker->arm();
    return window;
}

TipTracker* TipTracker::of(const TipWindow* window)
{
    return window ? window->findChild<TipTracker*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

TipTracker::TipTracker(QWidget* tool, TipWindow* window)
    : QObject(window), m_tool(tool), m_window(window)
{
    m_wakeUp.setSingleShot(true);
    m_autoPop.setSingleShot(true);
    connect(&m_wakeUp, &QTimer::timeout, this, &TipTracker::onWakeUp);
    connect(&m_autoPop, &QTimer::timeout, this, &TipTracker::dismiss);
    tool->installEventFilter(this);
}

bool TipTracker::isShown() const
{
    return m_window->isVisible();
}

void TipTracker::arm()
{
    m_restingAt = QCursor::pos();
    m_wakeUp.start(m_tool->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, m_tool));
}

void TipTracker::dismiss()
{
    m_wakeUp.stop();
    m_autoPop.stop();
    if (!m_window->isVisible())
        return;
    m_window->hide();
    emit tipHidden();
}

bool TipTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_tool)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        // A click or key took the tip down: it comes back only after the pointer moves.
        if (!m_poppedByUser || QCursor::pos() != m_restingAt)
            arm();
        break;
    case QEvent::MouseMove:
        onPointerMoved(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        dismiss();
        m_poppedByUser = true;
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
        dismiss();
        break;
    default:
        break;
    }
    return false;
}

void TipTracker::onPointerMoved(const QPoint& globalPos)
{
    // Windows appearing or moving produce move events at an unchanged position; only a real
    // movement counts.
    if (globalPos == m_restingAt)
        return;
    m_poppedByUser = false;
    dismiss();
    arm();
    m_restingAt = globalPos;
}

void TipTracker::onWakeUp()
{
    const QPoint cursor = QCursor::pos();
    if (m_window->content().text.isEmpty() || !m_tool->isVisible() || !pointerOnTool(cursor))
        return;
    m_window->popUp(cursor);
    m_autoPop.start(autoPopDelay());
    emit tipShown();
}

bool TipTracker::pointerOnTool(const QPoint& globalPos) const
{
    return m_tool->rect().contains(m_tool->mapFromGlobal(globalPos));
}

int TipTracker::autoPopDelay() const
{
    // The desktop's rule for tooltips: ten seconds, longer for long texts.
    return 10000 + 40 * std::max(0, int(m_window->content().text.size()) - 100);
}

} // namespace tarvex
