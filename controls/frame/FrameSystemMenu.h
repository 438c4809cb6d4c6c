#pragma once

#include <QObject>
#include <QString>
#include <QVector>

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace tarvex {

// The frame's system menu and its items: 0 Restore, 1 Minimize, 2 Maximize, 3 separator,
// 4 Close (with its "Alt+F4" hint), 5 separator, 6 Always on Top. Captions are Spanish when the
// user's language is Spanish, English otherwise.
class FrameSystemMenu final : public QObject
{
    Q_OBJECT

public:
    enum Item {
        Restore = 0,
        Minimize = 1,
        Maximize = 2,
        Close = 4,
        AlwaysOnTop = 6,
        ItemCount = 7
    };

    // Twelve blanks and the key, after the Close caption.
    static const QString CloseSuffix;

    // The menu, owned by parent.
    explicit FrameSystemMenu(QWidget* parent);

    // English name of the user's language ("Spanish", "English", ...).
    static QString LanguageName();

    // Fills the caption table for language (Spanish or English) and applies it.
    void setLanguage(const QString& languageName);

    // The caption table entry of index 0-6 (no "Alt+F4" hint; empty for 3 and 5).
    QString caption(int index) const;

    // Stores caption for id 0, 1, 2, 4 or 6 and shows it; false when ignored.
    bool setCaption(int id, const QString& caption);

    // Item index, or null for an unknown index.
    QAction* item(int index) const;

    // Shows the menu at a global position with Close as the default item.
    void popup(const QPoint& globalPos);

    // The menu itself.
    QMenu* menu() const { return m_menu; }

    // Shows (with a check box) or removes the check mark of action.
    static void setChecked(QAction* action, bool checked);

signals:
    // The user chose item index.
    void itemClicked(int index);

private:
    QAction* append(const QString& text);
    void onTriggered(QAction* action);

    QMenu* m_menu;
    QVector<QAction*> m_items;
    std::array<QString, 7> m_captions;
};

} // namespace tarvex
