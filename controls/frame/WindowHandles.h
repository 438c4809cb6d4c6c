#pragma once

#include <QtGlobal>

class QWidget;

namespace tarvex {

// Numeric window handles for the widgets of this process. A widget gets a
// handle the first time one is asked for; the handle dies with the widget and
// is never given out again, so a stale number finds nothing.
class WindowHandles final
{
public:
    // The handle of widget, assigned on first use; 0 for a null widget.
    static qint32 handleOf(QWidget* widget);

    // The live widget behind handle, or null when there is none.
    static QWidget* widgetOf(qint32 handle);
};

} // namespace tarvex
