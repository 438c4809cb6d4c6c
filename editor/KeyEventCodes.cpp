#include "editor/KeyEventCodes.h"

#include "editor/QtKeysyms.h"
#include "platform/x11/KeysymTable.h"
#include "platform/x11/XkbLayoutMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QtGui/qguiapplication_platform.h>

namespace tarvex {
namespace {

// Core X event state: the layout group sits in bits 13-14, Num Lock is Mod2 on every
// common keyboard set-up.
constexpr unsigned GroupShift = 13;
constexpr unsigned GroupBits = 3;
constexpr unsigned NumLockMask = 0x10;

_XDisplay* QtDisplay()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

} // namespace

KeyEventCodes::KeyEventCodes() = default;
KeyEventCodes::~KeyEventCodes() = default;

int KeyEventCodes::codeFor(const QKeyEvent& event)
{
    if (const int code = codeFromLayout(event))
        return code;
    unsigned long keysym = event.nativeVirtualKey();
    if (keysym == 0)
        keysym = KeysymForQtKey(event.key(), event.modifiers());
    if (const int code = virtualKeyForKeysym(keysym))
        return code;
    return virtualKeyForKeycodePosition(int(event.nativeScanCode()));
}

int KeyEventCodes::codeFromLayout(const QKeyEvent& event)
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
        m_layoutLoaded = true;
    }
    if (!m_layout)
        return 0;
    const unsigned state = event.nativeModifiers();
    m_layout->setState(int((state >> GroupShift) & GroupBits), (state & NumLockMask) != 0);
    return m_layout->codeFor(int(event.nativeScanCode()));
}

} // namespace tarvex
