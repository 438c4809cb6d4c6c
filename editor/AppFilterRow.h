#pragma once

#include "store/HotkeyEntry.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvex {

/// What the desktop tells the editor about applications, handed over by the shell: whether it
/// can tell which application is in front (asked each time a row is shown; none: it can), and
/// the running applications to choose from.
struct DesktopApplications
{
    std::function<bool()> canTell;
    std::function<QStringList()> running;
};

/// The "Applications:" row of the hotkey editor: where a hotkey acts ("All applications",
/// "Only in", "Not in") and the applications' names separated by commas, with "Choose…" to add
/// a running application; a line below says so when the desktop cannot tell the application in
/// front. Emits edited() only for the user's own changes.
class AppFilterRow final : public QWidget
{
    Q_OBJECT

public:
    explicit AppFilterRow(QWidget* parent = nullptr);

    /// Shows `filter` (emits nothing), and whether the desktop can tell the application in front.
    void setFilter(const AppFilter& filter);
    /// The filter as the row shows it: the names trimmed, empty ones left out.
    AppFilter filter() const;
    /// Sets what the desktop tells.
    void setDesktop(DesktopApplications desktop);
    /// The design height of the row in twips (the choice line and the line below it).
    static constexpr int HeightTwips = 660;

Q_SIGNALS:
    /// The user changed the choice or the names.
    void edited();

protected:
    /// Asks the desktop again whether it can tell, each time the editor shows.
    void showEvent(QShowEvent* event) override;

private:
    void showNote();
    void choose();
    void addName(const QString& name);

    QComboBox* m_mode = nullptr;
    QLineEdit* m_names = nullptr;
    QPushButton* m_choose = nullptr;
    QLabel* m_note = nullptr;
    QMenu* m_menu = nullptr;
    DesktopApplications m_desktop;
};

} // namespace tarvex
