#pragma once

#include "controls/frame/MessageTable.h"

#include <QPointer>
#include <QWidget>

namespace tarvex {

class SubclassOwner;

// One subclassed window as its owner keeps it: the handle, the owner's
// callback, the before and after tables and the owner's user value.
struct HookRecord final
{
    qint32 hWnd = 0;
    QPointer<QWidget> widget;
    SubclassOwner* owner = nullptr;
    qint32 userValue = 0;
    MessageTable before;
    MessageTable after;
    bool removed = false; // unhooked; a dispatch under way skips it
};

} // namespace tarvex
