#pragma once

#include <QWidget>

namespace tarvex {

/// Stands in for the appearance options window until that window exists: says so, and
/// brings the main window back when closed.
class OptionsPlaceholder final : public QWidget
{
    Q_OBJECT

public:
    /// Builds the window; `frameStyle` is the stored frame style code it would apply.
    explicit OptionsPlaceholder(qint32 frameStyle, QWidget* parent = nullptr);

    /// The frame style code given at creation.
    qint32 frameStyle() const { return m_frameStyle; }

Q_SIGNALS:
    /// The window was closed by the user.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    qint32 m_frameStyle;
};

} // namespace tarvex
