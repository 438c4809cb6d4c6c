#pragma once

#include <QIcon>

class QWidget;

namespace tarvex {

/// The title of the program's own message boxes.
inline const QString ProgramTitle = QStringLiteral("Tarvex");

/// The program's icon, resource "ABC", drawn at every size the desktop asks for.
class ProgramIcon final
{
public:
    /// Returns the icon with all its drawn sizes (16 to 256 pixels).
    static QIcon icon();
    /// The icon greyed, as the tray shows it while the hotkeys are paused.
    static QIcon pausedIcon();
};

/// Gives `window` the program's icon (title bar, task bar and window switcher).
void SetWindowIcons(QWidget* window);

} // namespace tarvex
