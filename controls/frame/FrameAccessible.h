#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace tarvex {

class velForms;

// A window framed by velForms is what a screen reader calls a frame: a
// top-level window named by its title.
class FramedWindowAccessible final : public QAccessibleWidget
{
public:
    explicit FramedWindowAccessible(QWidget* window);
};

// The frame itself holds the window's controls; its shown caption buttons
// follow them as named push buttons (minimize, maximize or restore, close,
// left to right) whose press action does what a click on them does.
class FrameAccessible final : public QAccessibleWidget
{
public:
    explicit FrameAccessible(velForms* frame);
    ~FrameAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QList<int> shownButtons() const;
    QAccessibleInterface* buttonInterface(int button) const;

    mutable QHash<int, QAccessible::Id> m_buttons; // caption button index -> interface id
};

// One caption button of a frame (no widget of its own).
class CaptionButtonAccessible final : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    CaptionButtonAccessible(velForms* frame, int button);

    int button() const { return m_button; }

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<velForms> m_frame;
    int m_button;
};

} // namespace tarvex
