#pragma once

#include "controls/button/ButtonKinds.h"
#include "controls/ColorOps.h"
#include "controls/SystemColors.h"

#include <QImage>
#include <QPixmap>
#include <QString>

namespace tarvex {

// The look of a velbutton, with the values a freshly placed control starts with. Its caption,
// font, check mode, enabled state and tooltip text are the widget's own (QAbstractButton).
struct ButtonProperties final
{
    OleColor BackColor = SystemColor(SystemColors::ButtonFace);
    ButtonStyleKind ButtonStyle = ButtonStyleKind::WindowsTheme;
    CaptionAlignment CaptionAlign = CaptionAlignment::Center;
    int CaptionEffects = 0;
    int ColorScheme = 0;
    int DisabledPictureMode = 0;
    bool DropDownSeparator = false;
    int DropDownSymbol = 0;
    OleColor ForeColor = SystemColor(SystemColors::ButtonText);
    OleColor ForeColorHover = 0;
    bool HandPointer = false;
    OleColor MaskColor = 0xE0E0E0;
    QPixmap MouseIcon;
    int MousePointer = 0;
    PicturePosition PictureAlign = PicturePosition::LeftOfCaption;
    QImage PictureDown;
    int PictureEffectOnDown = 0;
    int PictureEffectOnOver = 0;
    QImage PictureHot;
    QImage PictureNormal;
    int PictureOpacity = 255;
    int PictureOpacityOnOver = 255;
    bool PicturePushOnHover = false;
    bool PictureShadow = false;
    bool RightToLeft = false;
    bool ShowFocusRect = false;
    OleColor TooltipBackColor = 0;
    int ToolTipIcon = 0;
    QString TooltipTitle;
    int ToolTipType = 0;
    bool UseMaskColor = true;

    // Sets ColorScheme to the default of ButtonStyle (styles 5, 11, 12, 13 keep theirs).
    void DefaultColorSchemeFor();

    // Re-derives BackColor from ButtonStyle and ColorScheme, resets ForeColor,
    // sets ShowFocusRect and (style 4) PicturePushOnHover.
    void ApplyStyleColors();
};

} // namespace tarvex
