#include "controls/tips/TipTracker.h"

#include "controls/tips/TipWindow.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QWidget>

namespace tarvex {

TipTracker::TipTracker(QWidget* tool, const TipContent& content)
    : QObject(tool), m_tool(tool), m_content(content)
{
    m_wakeUp.setSingleShot(true);
    m_autoPop.setSingleShot(true);
    connect(&m_wakeUp, &QTimer::timeout, this, &TipTracker::onWakeUp);
    connect(&m_autoPop, &QTimer::timeout, this, &TipTracker::dismiss);
    tool->installEventFilter(this);
}

TipTracker::~TipTracker()
{
    if (m_window)
        m_window->hide();
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
    if (!m_window)
        return;
    m_window.reset();
    emit tipHidden();
}

bool TipTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_tool)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        arm();
        break;
    case QEvent::MouseMove:
        onPointerMoved(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
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
    dismiss();
    arm();
    m_restingAt = globalPos;
}

void TipTracker::onWakeUp()
{
    const QPoint cursor = QCursor::pos();
    if (m_content.text.isEmpty() || !m_tool->isVisible() || !pointerOnTool(cursor))
        return;
    m_window = std::make_unique<TipWindow>(m_content);
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
    return 10000 + 40 * std::max(0, int(m_content.text.size()) - 100);
}

} // namespace tarvex
