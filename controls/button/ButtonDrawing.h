#pragma once

#include "controls/button/ButtonProperties.h"

#include <QFont>
#include <QString>

class QStyle;
class QWidget;

namespace tarvex {

// ButtonState of velbutton: 0 Normal, 1 Hot (pointer over), 2 Down (pressed or checked).
enum class ButtonState { Normal = 0, Hot = 1, Down = 2 };

// Everything one redraw of a velbutton reads: its look, its caption and font, the state to
// draw and the flags the control keeps beside the state.
struct ButtonDrawing final
{
    const ButtonProperties& props;
    QString caption{}; // with "&" before the access key
    QFont font{};
    bool checked = false; // checkable and checked
    ButtonState state = ButtonState::Normal;
    bool enabled = true; // the window's effective enabled state (a disabled host disables it)
    bool hasFocus = false;
    bool displayAsDefault = false;
    bool parentActive = false;
    bool pointerOver = false;
    bool leftDown = false;              // pressed with the left button (or Space), pointer on it
    bool runtime = true;                // focus rectangles show at run time only
    const QStyle* themeStyle = nullptr; // style 13 draws with it; none = style 2 look
    const QWidget* widget = nullptr;    // passed to the style for its options
};

} // namespace tarvex
