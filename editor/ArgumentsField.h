#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace tarvex {

/// The command line shown for `target` run with the argument text `arguments`: "runs: " and
/// the program with its arguments, what the desktop's opener opens (a document, folder or
/// address gets no arguments, and the line says so), or the message that tells why the text
/// cannot be taken apart. An empty target stands for a file still to be chosen.
QString CommandShown(const QString& target, const QString& arguments);

/// The "Arguments:" field of a file target, with the line under it that shows what the
/// hotkey runs (CommandShown), wrapped to the width it is given.
class ArgumentsField final : public QWidget
{
    Q_OBJECT

public:
    explicit ArgumentsField(QWidget* parent);

    /// The target the command line is shown for.
    void setTarget(const QString& target);
    /// Shows `text` in the field without announcing an edit.
    void setArguments(const QString& text);
    /// The text in the field.
    QString arguments() const;
    /// Why the text cannot be stored, or an empty text.
    QString problem() const;
    /// The text box (for the focus).
    QLineEdit* edit() const { return m_edit; }
    /// The height the field needs when `width` pixels wide.
    int heightFor(int width) const;
    /// Lays the field out `width` pixels wide and returns its height.
    int layOutTo(int width);

Q_SIGNALS:
    /// The user changed the text.
    void argumentsEdited(const QString& text);
    /// The command line now needs another height: the owner lays the field out again.
    void heightChanged();

private:
    void showCommand();

    QLabel* m_caption = nullptr;
    QLineEdit* m_edit = nullptr;
    QLabel* m_command = nullptr;
    QString m_target;
};

} // namespace tarvex
