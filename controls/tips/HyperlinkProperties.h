#pragma once

#include "controls/ColorOps.h"
#include "controls/SystemColors.h"

#include <QFont>
#include <QString>

namespace tarvex {

// Where the text of a Hyperlink stands (its Alignment property), numbered as stored.
enum class LinkAlignment : int { Left = 0, Right = 1, Center = 2 };

// The properties of a Hyperlink, with the values a freshly placed link starts with (Caption and
// the fonts are filled in by the control).
struct HyperlinkProperties final
{
    QString Caption;
    bool Enabled = true;
    bool HoverEnabled = true;
    int CursorID = 1000;
    bool CursorUse = true;
    bool CursorCustom = false;
    bool AutoSize = false;
    LinkAlignment Alignment = LinkAlignment::Left;
    OleColor BackColor = SystemColor(SystemColors::ButtonFace);
    OleColor ColorNormal = RGB(50, 100, 200);
    OleColor ColorHover = RGB(255, 0, 0);
    OleColor ColorUsed = RGB(50, 100, 200);
    QFont FontNormal;
    QFont FontHover;
};

} // namespace tarvex
