#pragma once

#include <QLineEdit>

namespace tarvex {

/// A one-line box that records key presses as a combination text instead of taking typed
/// characters: every key, modifiers included, is appended in press order (the editor's `hk`
/// and the wizard's `txtKey`). The caret and selection still move with the mouse and arrows.
/// Nothing but key presses changes its text: no paste (keys, middle click, menu), no drop and
/// no input method.
class CaptureBox final : public QLineEdit
{
    Q_OBJECT

public:
    /// An empty box; `clickClearsPlaceholder` makes a click empty the "ClickToEdit" text.
    explicit CaptureBox(bool clickClearsPlaceholder, QWidget* parent = nullptr);

    /// Applies the capture rules to a key-down of virtual-key number `code`.
    void applyKeyDown(int code);

Q_SIGNALS:
    /// The text changed and is a combination text again (after every key and every setText).
    void combinationChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
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
    static bool IsCaretKey(int qtKey);

    bool m_clickClearsPlaceholder;
};

} // namespace tarvex
