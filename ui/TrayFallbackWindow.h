#pragma once

#include <QWidget>

class QLabel;

namespace tarvex {

/// Stands in for the program's tray icon on a desktop without a notification area: a small
/// fixed-size utility window in the lower right corner (where the compositor lets a program
/// choose), showing the icon and its tip, with the same double-click
/// and context-menu actions, and a balloon shown next to it.
class TrayFallbackWindow final : public QWidget
{
    Q_OBJECT

public:
    /// Builds the window (hidden).
    explicit TrayFallbackWindow(QWidget* parent = nullptr);

    /// Sets the tip shown when the mouse rests on the window.
    void setTip(const QString& tip);
    /// Shows the window in the lower right corner of the primary screen.
    void showInCorner();
    /// Shows a balloon with `title` and `text` next to the window for a few seconds.
    void showBalloon(const QString& title, const QString& text);

Q_SIGNALS:
    /// The window was double-clicked with the left button.
    void doubleClicked();
    /// A context menu was asked for at the screen position `globalPos`.
    void menuRequested(const QPoint& globalPos);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QLabel* m_balloon = nullptr;
};

} // namespace tarvex
