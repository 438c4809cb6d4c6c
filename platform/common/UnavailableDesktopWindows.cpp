#include "platform/common/UnavailableDesktopWindows.h"

namespace tarvex {

WindowId UnavailableDesktopWindows::foregroundWindow()
{
    if (!m_reported) {
        m_reported = true;
        if (m_report)
            m_report();
    }
    return 0;
}

} // namespace tarvex
