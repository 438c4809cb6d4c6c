#include "activation/GlobalFlags.h"

namespace tarvex {
namespace {

// Plain globals of the one GUI thread; nothing else touches them.
bool g_hotkeysEnabled = false;
bool g_exitRequested = false;

} // namespace

bool HotkeysEnabled()
{
    return g_hotkeysEnabled;
}

void SetHK(bool s)
{
    g_hotkeysEnabled = s;
}

bool ExitRequested()
{
    return g_exitRequested;
}

void SetExitRequested(bool s)
{
    g_exitRequested = s;
}

} // namespace tarvex
