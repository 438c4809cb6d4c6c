#pragma once

#include "controls/button/ButtonKinds.h"
#include "controls/ColorOps.h"
#include "controls/SystemColors.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace tarvex {

// The properties of a velbutton, with the values a freshly placed control starts with.
struct ButtonProperties final
{
    OleColor BackColor = SystemColor(SystemColors::ButtonFace);
    ButtonStyleKind ButtonStyle = ButtonStyleKind::WindowsTheme;
    QString Caption = QStringLiteral("velbutton1");
    CaptionAlignment CaptionAlign = CaptionAlignment::Center;
    int CaptionEffects = 0;
    int ColorScheme = 0;
    int DisabledPictureMode = 0;
    bool DropDownSeparator = false;
    int DropDownSymbol = 0;
    bool Enabled = true;
    QFont Font;
    OleColor ForeColor = SystemColor(SystemColors::ButtonText);
    OleColor ForeColorHover = 0;
    bool HandPointer = false;
    OleColor MaskColor = 0xE0E0E0;
    ButtonMode Mode = ButtonMode::Push;
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
    QString ToolTip;
    OleColor TooltipBackColor = 0;
    int ToolTipIcon = 0;
    QString TooltipTitle;
    int ToolTipType = 0;
    bool UseMaskColor = true;
    bool Value = false;

    // Sets ColorScheme to the default of ButtonStyle (styles 5, 11, 12, 13 keep theirs).
    void DefaultColorSchemeFor();

    // Re-derives BackColor from ButtonStyle and ColorScheme, resets ForeColor,
    // sets ShowFocusRect and (style 4) PicturePushOnHover.
    void ApplyStyleColors();

    // The access key of Caption: the character after the first single "&"
    // ("&&" is a literal ampersand); a null QChar when there is none.
    static QChar AccessKeyOf(const QString& caption);
};

} // namespace tarvex
