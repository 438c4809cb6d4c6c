#pragma once

#include "platform/KeyInjector.h"

namespace tarvex {

/// Records each Backspace count asked for; it "caused" that many Backspace presses (code 8)
/// followed by `held` (the modifiers pressed again), which a test announces through its key
/// source as the desktop would.
class FakeKeyInjector final : public KeyInjector
{
public:
    bool available() const override { return canType; }
    QString unavailableReason() const override { return canType ? QString() : "no keys"; }
    QList<int> pressBackspace(int count) override
    {
        counts.append(count);
        return QList<int>(count, 8) + held;
    }
    QList<int> typeText(const QString&, const std::function<bool()>&) override { return {}; }

    bool canType = true;
    QList<int> held;
    QList<int> counts;
};

} // namespace tarvex
