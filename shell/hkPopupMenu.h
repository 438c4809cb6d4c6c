#pragma once

#include <QMenu>

namespace tarvex {

/// The tray menu "Tarvex " with "Open" (the bold default item, as a double-click on the icon
/// opens), "Settings", the check item "Pause Hotkeys", "Help" and "Exit".
class hkPopupMenu final : public QMenu
{
    Q_OBJECT

public:
    /// Builds the menu; nothing is shown until popupAt().
    explicit hkPopupMenu(QWidget* parent = nullptr);

    /// Pops the menu up at the screen position `globalPos`, with "Open" as default item.
    void popupAt(const QPoint& globalPos);

    /// The "Open" item.
    QAction* msp() const { return m_open; }
    /// The "Settings" item.
    QAction* ms() const { return m_settings; }
    /// The "Pause Hotkeys" item, checked while the hotkeys are paused.
    QAction* pauseItem() const { return m_pause; }
    /// The "Help" item.
    QAction* helpItem() const { return m_help; }
    /// The "Exit" item.
    QAction* me() const { return m_exit; }

Q_SIGNALS:
    /// "Open" was chosen.
    void openChosen();
    /// "Settings" was chosen.
    void settingsChosen();
    /// "Pause Hotkeys" was chosen: the hotkeys are to be paused (`paused`) or resumed.
    void pauseChosen(bool paused);
    /// "Help" was chosen.
    void helpChosen();
    /// "Exit" was chosen.
    void exitChosen();

private:
    QAction* m_open = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_pause = nullptr;
    QAction* m_help = nullptr;
    QAction* m_exit = nullptr;
};

} // namespace tarvex
