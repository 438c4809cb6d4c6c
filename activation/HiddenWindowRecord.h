#pragma once

#include "platform/DesktopWindows.h"

#include <QList>
#include <QString>

namespace tarvex {

/// The windows the program holds hidden, written down in the user's runtime folder each time
/// one is hidden or shown again, so that the next start can bring back the windows that a
/// crash or a kill left hidden. The file is replaced whole, and removed when none is hidden.
class HiddenWindowRecord final
{
public:
    /// The file's name in the runtime folder.
    static constexpr QLatin1StringView FileName{"tarvex-hidden-windows"};

    /// Keeps the record in `folder` (empty: no record is kept).
    explicit HiddenWindowRecord(QString folder);

    /// Records `windows` as the hidden ones; returns a message when it cannot, else empty.
    QString write(const QList<WindowId>& windows) const;
    /// Returns the windows recorded by an earlier run and removes the record.
    QList<WindowId> take() const;

private:
    QString m_path;
};

} // namespace tarvex
