#include "activation/Window.h"

namespace tarvex {

Window::Window(int slot, DesktopWindows& desktop, HiddenWindowIcons& icons)
    : m_slot(slot), m_desktop(desktop), m_icons(icons)
{}

void Window::Show(bool bShow)
{
    if (m_handle == 0)
        return;
    if (bShow) {
        m_desktop.showWindow(m_handle);
        m_hidden = false;
        m_icons.removeIcon(m_slot);
        return;
    }
    m_desktop.hideWindow(m_handle);
    m_title = ShortTitle(m_desktop.windowTitle(m_handle));
    m_icons.addIcon(m_slot, m_handle, m_title);
    m_hidden = true;
}

QString Window::ShortTitle(const QString& title)
{
    if (title.size() <= TitleLength)
        return title;
    const bool splitsPair = title.at(TitleLength - 1).isHighSurrogate();
    return title.left(splitsPair ? TitleLength - 1 : TitleLength);
}

} // namespace tarvex
