#pragma once

#include <QList>
#include <QListWidget>
#include <QString>

namespace tarvex {

/// The windows that "-Hide Window-" holds hidden, by title, where no notification area can show
/// their icons: activating one (double-click, Enter) asks for it back.
class HiddenWindowList final : public QListWidget
{
    Q_OBJECT

public:
    /// One hidden window: its slot and its title.
    struct Entry
    {
        int slot = 0;
        QString title;
        bool operator==(const Entry&) const = default;
    };

    /// Builds the list (empty).
    explicit HiddenWindowList(QWidget* parent = nullptr);

    /// Shows `entries`, the first one current; the list is as tall as its rows (five at most).
    void setEntries(const QList<Entry>& entries);
    /// The entries shown.
    const QList<Entry>& entries() const { return m_entries; }

Q_SIGNALS:
    /// The window of `slot` was chosen to be shown again.
    void windowChosen(int slot);

private:
    QList<Entry> m_entries;
};

} // namespace tarvex
