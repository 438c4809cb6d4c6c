#pragma once

#include "controls/tips/TipContent.h"

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

namespace tarvex {

class TipWindow;

// The program's hover balloons: at most one tip at a time, for the tool the pointer rests on.
// A tip appears after the desktop's tooltip delay and goes away at the first pointer movement.
// Nothing polls: the movement is noticed by an application event filter that exists only
// while a tip does.
class InfoTip final : public QObject
{
    Q_OBJECT

public:
    /// The one instance of the program.
    static InfoTip& instance();

    /// Shows `content` for `tool` unless the pointer still rests where the last tip was taken
    /// down or created; an empty text only removes the current tip.
    void show(QWidget* tool, const TipContent& content);
    /// Removes the current tip, if any.
    void hide();
    /// The tool of the current tip, or nullptr.
    QWidget* tool() const;
    /// The current tip's window (hidden until the pointer rests), or nullptr.
    TipWindow* tipWindow() const;
    /// True while the current tip is up.
    bool isShown() const;
    /// Pointer position (global pixels) at which the current or last tip was requested.
    QPoint lastCursor() const { return m_lastCursor; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InfoTip() = default;
    void watchMovement(bool on);

    QPointer<TipWindow> m_window;
    QPoint m_lastCursor;
    bool m_watching = false;
};

/// Shows a hover tip for `tool`: `text` wrapped at 240 pixels, an optional bold `title` line
/// (with `icon` only when a title is given), a balloon or rectangle, and colours (invalid =
/// the desktop's tooltip colours). Returns at once; the tip appears once the pointer rests and
/// goes away when it moves. A second call for the same resting position does nothing.
void ShowInfoTip(QWidget* tool, const QString& text, const QString& title = QString(),
                 TipShape shape = TipShape::Balloon, TipIcon icon = TipIcon::Information,
                 const QColor& background = QColor(), const QColor& foreground = QColor());
/// Removes the hover tip shown by ShowInfoTip, if any.
void HideInfoTip();

} // namespace tarvex
