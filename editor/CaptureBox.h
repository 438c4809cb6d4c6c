#pragma once

#include <QLineEdit>

#include <optional>

namespace tarvex {

/// A one-line box that records key presses as a combination text instead of taking typed
/// characters: every key, modifiers included, is appended in press order (the editor's `hk`
/// and the wizard's `txtKey`), shown by the names of the user's language. Backspace erases the
/// last key; Ctrl+Tab (Ctrl+Shift+Tab) moves the focus on (back), since Tab is a key to record.
/// While the box has the focus no shortcut of its window takes a key away. Nothing but key
/// presses changes its text: no paste (keys, middle click, menu), no drop and no input method.
class CaptureBox final : public QLineEdit
{
    Q_OBJECT

public:
    /// An empty box; `clickClearsPlaceholder` makes a click empty the "ClickToEdit" text.
    explicit CaptureBox(bool clickClearsPlaceholder, QWidget* parent = nullptr);

    /// Returns the combination the box holds, with the stored (English) names of its keys.
    QString combination() const;
    /// Shows `combination` (stored names) with the names of the user's language.
    void setCombination(const QString& combination);
    /// Applies the capture rules to a key-down of key `code`.
    void applyKeyDown(int code);

Q_SIGNALS:
    /// The text changed and is a combination text again (after every key and every setText);
    /// `combination` has the stored names of its keys.
    void combinationChanged(const QString& combination);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void onTextChanged(const QString& text);
    enum class Held { None = 0, Ctrl = 1, Shift = 2 };
    Q_DECLARE_FLAGS(HeldKeys, Held)

    void moveFocus(bool forward);
    bool isFocusMove(const QKeyEvent& event) const;
    static Held HeldFlag(int code);

    bool m_clickClearsPlaceholder;
    // The text before the modifiers held now were recorded: Ctrl+Tab takes them back out.
    std::optional<QString> m_beforeModifiers;
    HeldKeys m_held;
};

} // namespace tarvex
