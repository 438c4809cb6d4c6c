#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace tarvex {

// The frame's system menu and its items: 0 Restore,
// 1 Minimize, 2 Maximize, 3 separator, 4 Close (with its "Alt+F4" hint),
// 5 separator, 6 Always on Top, then items the host adds. Indexes stay put
// when an added item is removed. Captions are Spanish when the user's
// language is Spanish, English otherwise.
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
        FirstAdded = 7
    };
    enum Property { Caption = 0, Enabled = 1, Checked = 2, Visible = 3 };

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

    // Item index, or null for a removed or unknown index.
    QAction* item(int index) const;

    // One more than the last index in use.
    int count() const { return int(m_items.size()); }

    // Appends an item (after a "-" separator when asked); returns its index.
    int add(const QString& caption, bool separator, bool enabled, bool checked, bool visible);

    // Removes added item id; 0-6 and unknown indexes are ignored.
    void remove(int id);

    // Caption, enabled, checked or visible of item id; empty for anything else.
    QVariant value(int id, int property) const;

    // Changes added item id (> 6); an empty caption or an unset flag keeps its value.
    void modify(int id, const QString& caption, std::optional<bool> enabled,
                std::optional<bool> checked, std::optional<bool> visible);

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
