#include "platform/common/SymbolKeyEventCodes.h"

#include "platform/common/KeysymTable.h"
#include "platform/common/QtKeysyms.h"

#include <QKeyEvent>

namespace tarvex {

namespace {
KeyEventCodes* g_session = nullptr;
} // namespace

int codeFromEventKeysym(const QKeyEvent& event)
{
    unsigned long keysym = event.nativeVirtualKey();
    if (keysym == 0)
        keysym = KeysymForQtKey(event.key(), event.modifiers());
    return virtualKeyForKeysym(keysym);
}

int codeFromEventSymbol(const QKeyEvent& event)
{
    if (const int code = codeFromEventKeysym(event))
        return code;
    return virtualKeyForKeycodePosition(int(event.nativeScanCode()));
}

KeyEventCodes& KeyEventCodes::session()
{
    static SymbolKeyEventCodes bySymbol;
    return g_session ? *g_session : bySymbol;
}

void KeyEventCodes::setSession(KeyEventCodes* codes)
{
    g_session = codes;
}

} // namespace tarvex
