#include "platform/evdev/EvdevKeyEventCodes.h"

#include "platform/common/SymbolKeyEventCodes.h"
#include "platform/evdev/SessionKeymap.h"

#include <QKeyEvent>

namespace tarvex {

int EvdevKeyEventCodes::codeFor(const QKeyEvent& event)
{
    if (const int code = codeFromEventKeysym(event))
        return code;
    if (const int code = m_keymap.codeFor(int(event.nativeScanCode())))
        return code;
    return codeFromEventSymbol(event);
}

} // namespace tarvex
