#include "ui/ProgramIcon.h"

#include <QWidget>

namespace tarvex {

QIcon ProgramIcon::icon()
{
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            result.addFile(QStringLiteral(":/ABC/tarvex-%1.png").arg(size), QSize(size, size));
        return result;
    }();
    return icon;
}

void SetWindowIcons(QWidget* window)
{
    // Qt sets _NET_WM_ICON on the top-level window, which the task bar reads as well, so
    // the owner-chain step of the original procedure has no separate equivalent here.
    if (window)
        window->setWindowIcon(ProgramIcon::icon());
}

} // namespace tarvex
