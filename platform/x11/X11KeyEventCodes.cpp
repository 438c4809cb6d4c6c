#include "platform/x11/X11KeyEventCodes.h"

#include "platform/common/SymbolKeyEventCodes.h"
#include "platform/x11/XkbLayoutMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QtGui/qguiapplication_platform.h>

#include <X11/keysym.h>

namespace tarvex {
namespace {

// Core X event state: the layout group sits in bits 13-14.
constexpr unsigned GroupShift = 13;
constexpr unsigned GroupBits = 3;

_XDisplay* QtDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace

X11KeyEventCodes::X11KeyEventCodes() = default;
X11KeyEventCodes::~X11KeyEventCodes() = default;

int X11KeyEventCodes::codeFor(const QKeyEvent& event)
{
    if (const int code = codeFromLayout(event))
        return code;
    return codeFromEventSymbol(event);
}

int X11KeyEventCodes::codeFromLayout(const QKeyEvent& event)
{
    if (event.nativeScanCode() == 0)
        return 0;
    if (!m_layoutLoaded) {
        _XDisplay* display = QtDisplay();
        if (!display)
            return 0;
        if (!m_layout)
            m_layout = std::make_unique<XkbLayoutMap>();
        m_layout->reload(display);
        // Num Lock is whichever modifier the keymap binds it to (Mod2 on most set-ups only).
        m_numLockMask = m_layout->modifiersOf(XK_Num_Lock);
        m_layoutLoaded = true;
    }
    if (!m_layout)
        return 0;
    const unsigned state = event.nativeModifiers();
    const bool numLock = m_numLockMask != 0 && (state & m_numLockMask) != 0;
    m_layout->setState(int((state >> GroupShift) & GroupBits), numLock);
    return m_layout->codeFor(int(event.nativeScanCode()));
}

} // namespace tarvex
