#pragma once

#include "ui/HiddenWindowList.h"

#include <QWidget>

class QLabel;

namespace tarvex {

/// Stands in for the program's tray icon on a desktop without a notification area: a small
/// fixed-size utility window in the lower right corner (where the compositor lets a program
/// choose), showing the icon and its tip, with the same double-click
/// and context-menu actions, and a balloon shown next to it. It also lists the windows hidden
/// by "-Hide Window-", whose icons have no place either, and brings one back on activation.
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
    /// Lists the hidden windows `entries` (none: no list), growing or shrinking to fit.
    void setHiddenWindows(const QList<HiddenWindowList::Entry>& entries);
    /// The list of hidden windows.
    HiddenWindowList* hiddenWindows() const { return m_hidden; }

Q_SIGNALS:
    /// The window was double-clicked with the left button.
    void doubleClicked();
    /// A context menu was asked for at the screen position `globalPos`.
    void menuRequested(const QPoint& globalPos);
    /// The hidden window of `slot` was chosen from the list.
    void hiddenWindowChosen(int slot);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void fitInCorner();

    QLabel* m_balloon = nullptr;
    HiddenWindowList* m_hidden = nullptr;
};

} // namespace tarvex
