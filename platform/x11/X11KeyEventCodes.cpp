#include "platform/x11/X11KeyEventCodes.h"

#include "platform/common/SymbolKeyEventCodes.h"
#include "platform/x11/XkbLayoutMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QtGui/qguiapplication_platform.h>

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
    if (const int code = codeFromEventKeysym(event))
        return code;
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
        m_layoutLoaded = true;
    }
    if (!m_layout)
        return 0;
    m_layout->setGroup(int((event.nativeModifiers() >> GroupShift) & GroupBits));
    return m_layout->codeFor(int(event.nativeScanCode()));
}

} // namespace tarvex
