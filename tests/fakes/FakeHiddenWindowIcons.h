#pragma once

#include "platform/HiddenWindowIcons.h"
#include "tests/fakes/CallLog.h"

#include <QMap>

namespace tarvex {

/// Hidden-window tray entries for tests: records "add <slot> <window> <tip>" and
/// "remove <slot>", keeps the current entries (tips by slot), and lets the test double-click one.
class FakeHiddenWindowIcons final : public HiddenWindowIcons, public CallLog
{
public:
    void addIcon(int slot, WindowId window, const QString& tip) override
    {
        record(QStringLiteral("add %1 %2 %3").arg(slot).arg(window).arg(tip));
        m_tips.insert(slot, tip);
    }
    void removeIcon(int slot) override
    {
        record(QStringLiteral("remove %1").arg(slot));
        m_tips.remove(slot);
    }
    const QMap<int, QString>& entries() const { return m_tips; }
    void doubleClick(int slot) { notifyDoubleClicked(slot); }

private:
    QMap<int, QString> m_tips;
};

} // namespace tarvex
