#pragma once

class QWidget;

namespace tarvex {

// Screen-reader support of the skinned controls: velbutton, Hyperlink and
// velForms (and the window a velForms frames) answer Qt's accessibility
// queries with interfaces of their own. The controls install the factory
// themselves when the first of them is made.
namespace ControlAccessibility {

// Installs the controls' accessibility factory (once per process).
void Install();

// A window that now hosts a frame drops an interface made for it earlier, so
// the next query describes it as the frame's window.
void RefreshWindow(QWidget* window);

} // namespace ControlAccessibility

} // namespace tarvex
