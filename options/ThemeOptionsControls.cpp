// The window's designed controls: three group frames with their lists, check boxes and the
// sound link, the preview box and the three buttons, placed in twips as designed.

#include "options/ThemeOptions.h"

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "options/FittedCheckBox.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

namespace tarvex {
namespace {

constexpr OleColor WindowBackColor = RGB(240, 240, 240);

// The designed font at 8.25 points, or the nearest sans-serif face of similar width where the
// desktop lacks it.
QFont DesignFont(const QString& family)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Nimbus Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    return font;
}

QFont Tahoma()
{
    return DesignFont(QStringLiteral("Tahoma"));
}

QFont SansSerif()
{
    return DesignFont(QStringLiteral("MS Sans Serif"));
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A group frame drawn the classic way: a thin border with the caption set into its top line.
QGroupBox* GroupFrame(const char* name, const QString& caption, QWidget* parent, QRect place,
                      const QFont& font)
{
    auto* frame = Named(new QGroupBox(caption, parent), name);
    frame->setFont(font);
    frame->setGeometry(place);
    const int half = QFontMetrics(font).height() / 2;
    frame->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid #c5c5c5; border-radius: 3px;"
                                        " margin-top: %1px; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 6px;"
                                        " padding: 0 2px; background-color: %2; }")
                             .arg(half)
                             .arg(ToQColor(WindowBackColor).name()));
    return frame;
}

QLabel* Label(const char* name, const QString& caption, QWidget* parent, QRect place)
{
    auto* label = Named(new QLabel(caption, parent), name);
    label->setFont(SansSerif());
    label->setGeometry(place);
    return label;
}

FittedCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent, QRect place)
{
    auto* box = Named(new FittedCheckBox(caption, parent), name);
    box->setGeometry(place);
    box->setDesignFont(parent->font());
    return box;
}

} // namespace

void ThemeOptions::createFrame()
{
    setFont(SansSerif());
    m_themeForm = new velForms(this);
    m_themeForm->setObjectName(QStringLiteral("ThemeForm"));
    m_themeForm->setStartUpPosition(2);
    m_themeForm->setStyle(2);
    m_themeForm->setThemeColor(0);
    m_themeForm->setCloseButton(false);
    m_themeForm->setMaxButton(false);
    m_themeForm->setMinButton(false);
    m_themeForm->setBorderStyle(0);
    m_themeForm->setCustomBackColor(WindowBackColor);
    m_themeForm->setBackColorStyle(2);
}

QComboBox* ThemeOptions::createList(const char* name, QWidget* parent, QRect place)
{
    auto* list = Named(new QComboBox(parent), name);
    list->setEditable(false);
    list->setGeometry(place);
    return list;
}

void ThemeOptions::createWindowOptions()
{
    m_windowOptions = GroupFrame("windowOptions", tr("Window Options"), m_themeForm,
                                 Twips::rect(240, 720, 5655, 1695), Tahoma());
    m_colorLabel = Label("colorLabel", tr("Select Your Preferred Window Color"), m_windowOptions,
                         Twips::rect(120, 240, 4335, 255));
    m_theme = createList("theme", m_windowOptions, Twips::rect(120, 600, 5295, 315));
    m_styleLabel = Label("styleLabel", tr("Select Your Window Style"), m_windowOptions,
                         Twips::rect(120, 960, 2895, 255));
    m_wStyle = createList("wStyle", m_windowOptions, Twips::rect(120, 1250, 5295, 315));
    for (QComboBox* list : {m_theme, m_wStyle})
        list->setFont(SansSerif());
}

void ThemeOptions::createButtonOptions()
{
    m_buttonOptions = GroupFrame("buttonOptions", tr("Button Options"), m_themeForm,
                                 Twips::rect(240, 2520, 5655, 855), Tahoma());
    m_btnTheme = createList("btnTHEME", m_buttonOptions, Twips::rect(120, 360, 5295, 315));
    m_btnTheme->setFont(SansSerif());
}

void ThemeOptions::createTarvexOptions()
{
    m_programOptions = GroupFrame("programOptions", tr("Tarvex Options"), m_themeForm,
                                  Twips::rect(240, 3480, 5655, 1030), SansSerif());
    m_chkSoundEffect = CheckBox("chkSoundEffect", tr("Play sound effect when hotkey is activated"),
                                m_programOptions, Twips::rect(120, 240, 3375, 255));
    m_soundFile = new Hyperlink(m_programOptions, QStringLiteral("soundFile"));
    m_soundFile->setObjectName(QStringLiteral("soundFile"));
    m_soundFile->SetBackColor(WindowBackColor);
    m_soundFile->SetFontNormal(SansSerif());
    m_soundFile->SetFontHover(SansSerif());
    m_soundFile->SetCaption(NoSoundCaption());
    m_soundFile->setGeometry(Twips::rect(3600, 240, 1935, 255));
    m_chkNotification =
        CheckBox("chkNotification", tr("Show notification when hotkey is activated"),
                 m_programOptions, Twips::rect(120, 600, 3375, 255));
    auto* preview = CheckBox("prev", tr("Preview customized appearance on this window"),
                             m_themeForm, Twips::rect(240, 5160, 2775, 495));
    preview->setDesignFont(Tahoma());
    preview->setChecked(true);
    m_prev = preview;
}

velbutton* ThemeOptions::createButton(const char* name, const QString& caption, QRect place)
{
    auto* button = new velbutton(m_themeForm, QLatin1String(name));
    button->setCaption(caption);
    // The designed look: 3D Hover in its silver scheme (light grey, 227, 227, 227), no focus
    // rectangle and the button text colour under the pointer, until the stored style comes.
    button->setButtonStyle(ButtonStyleKind::Hover3D);
    button->setShowFocusRect(false);
    button->setForeColorHover(SystemColor(SystemColors::ButtonText));
    button->setFont(Tahoma());
    button->setGeometry(place);
    return button;
}

void ThemeOptions::createButtons()
{
    m_okButton = createButton("okButton", tr("OK"), Twips::rect(3120, 4575, 1335, 375));
    m_cancelButton = createButton("cancelButton", tr("Cancel"), Twips::rect(4560, 4575, 1335, 375));
    m_applyButton = createButton("applyButton", tr("Apply"), Twips::rect(3120, 5400, 1335, 375));
    // Escape leaves the window the way Cancel does (it has no close button of its own); Enter
    // is OK unless a focused button takes it for itself.
    m_cancelButton->setCancel(true);
    m_okButton->setDefault(true);
}

} // namespace tarvex
