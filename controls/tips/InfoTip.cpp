#include "controls/tips/InfoTip.h"

#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tarvex {

InfoTip& InfoTip::instance()
{
    static InfoTip* tip = new InfoTip; // lives as long as the program; never torn down twice
    return *tip;
}

void InfoTip::show(QWidget* tool, const TipContent& content)
{
    const QPoint cursor = QCursor::pos();
    if (cursor == m_lastCursor)
        return;
    hide();
    if (content.text.isEmpty() || !tool)
        return;
    m_lastCursor = cursor;
    m_window = TipTracker::attach(tool, content);
    watchMovement(true);
}

void InfoTip::hide()
{
    watchMovement(false);
    delete m_window.data();
}

QWidget* InfoTip::tool() const
{
    const TipTracker* tracker = TipTracker::of(m_window);
    return tracker ? tracker->tool() : nullptr;
}

TipWindow* InfoTip::tipWindow() const
{
    return m_window;
}

bool InfoTip::isShown() const
{
    return m_window && m_window->isVisible();
}

void InfoTip::watchMovement(bool on)
{
    if (on == m_watching || !QCoreApplication::instance())
        return;
    if (on)
        QCoreApplication::instance()->installEventFilter(this);
    else
        QCoreApplication::instance()->removeEventFilter(this);
    m_watching = on;
}

bool InfoTip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (at != m_lastCursor)
            hide();
    } else if ((event->type() == QEvent::Leave || event->type() == QEvent::Hide) &&
               watched == tool()) {
        hide(); // the pointer left the tool, or its window went away
    }
    return false;
}

void ShowInfoTip(QWidget* tool, const QString& text, const QString& title, TipShape shape,
                 TipIcon icon, const QColor& background, const QColor& foreground)
{
    TipContent content;
    content.text = text;
    // Without a title there is no title line, and so no icon either.
    content.title = title;
    content.icon = title.isEmpty() ? TipIcon::None : icon;
    content.shape = shape;
    content.background = background;
    content.foreground = foreground;
    InfoTip::instance().show(tool, content);
}

void HideInfoTip()
{
    InfoTip::instance().hide();
}

} // namespace tarvex
