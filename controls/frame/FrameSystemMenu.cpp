#include "controls/frame/FrameSystemMenu.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

namespace tarvex {

const QString FrameSystemMenu::CloseSuffix = QStringLiteral("            Alt+F4");

FrameSystemMenu::FrameSystemMenu(QWidget* parent) : QObject(parent), m_menu(new QMenu(parent))
{
    m_menu->setObjectName(QStringLiteral("systemMenu"));
    for (int i = 0; i < ItemCount; ++i)
        append(QString())->setSeparator(i == 3 || i == 5);
    connect(m_menu, &QMenu::triggered, this, &FrameSystemMenu::onTriggered);
    setLanguage(LanguageName());
}

QString FrameSystemMenu::LanguageName()
{
    return QLocale::languageToString(QLocale().language());
}

QAction* FrameSystemMenu::append(const QString& text)
{
    auto* action = m_menu->addAction(text);
    action->setData(int(m_items.size()));
    m_items.push_back(action);
    return action;
}

void FrameSystemMenu::setLanguage(const QString& languageName)
{
    if (languageName == QLatin1String("Spanish"))
        m_captions = {"Restaurar", "Minimizar", "Maximizar", "", "Cerrar", "", "Siempre Visible"};
    else
        m_captions = {"Restore", "Minimize", "Maximize", "", "Close", "", "Always on Top"};
    for (int id : {Restore, Minimize, Maximize, Close, AlwaysOnTop})
        setCaption(id, m_captions[size_t(id)]);
}

QString FrameSystemMenu::caption(int index) const
{
    return (index >= 0 && index < ItemCount) ? m_captions[size_t(index)] : QString();
}

bool FrameSystemMenu::setCaption(int id, const QString& caption)
{
    if (caption.isEmpty() ||
        !(id == Restore || id == Minimize || id == Maximize || id == Close || id == AlwaysOnTop))
        return false;
    m_captions[size_t(id)] = caption;
    m_items[id]->setText(id == Close ? caption + CloseSuffix : caption);
    return true;
}

QAction* FrameSystemMenu::item(int index) const
{
    return (index >= 0 && index < m_items.size()) ? m_items[index] : nullptr;
}

void FrameSystemMenu::setChecked(QAction* action, bool checked)
{
    // Only a checked item shows a check box; an unchecked one stays plain.
    action->setCheckable(checked);
    action->setChecked(checked);
}

void FrameSystemMenu::popup(const QPoint& globalPos)
{
    m_menu->setDefaultAction(m_items[Close]);
    m_menu->popup(globalPos);
}

void FrameSystemMenu::onTriggered(QAction* action)
{
    // Choosing an item never flips its check mark by itself; the owner decides.
    if (action->isCheckable())
        action->setChecked(!action->isChecked());
    emit itemClicked(action->data().toInt());
}

} // namespace tarvex
