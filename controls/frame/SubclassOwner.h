#pragma once

#include <QtGlobal>

namespace tarvex {

// A control that subclasses windows: the hook calls zSubclass_Proc for every
// message the control watches, before (bBefore true) and/or after the
// window's own handling. Setting bHandled in the before call consumes the
// message: the window's own handling does not run and lReturn is the result.
// The message arguments are passed by reference and may be changed on the way.
class SubclassOwner
{
public:
    virtual ~SubclassOwner() = default;

    // Called by the hook for a watched message.
    virtual void zSubclass_Proc(bool bBefore, bool& bHandled, qint32& lReturn, qint32& lng_hWnd,
                                qint32& uMsg, qint32& wParam, qint32& lParam) = 0;
};

} // namespace tarvex
