#pragma once

#include "platform/KeyInjector.h"

#include <functional>

namespace tarvex {

/// Records each Backspace count asked for; it "caused" that many Backspace presses (code 8)
/// followed by `held` (the modifiers pressed again), which a test announces through its key
/// source as the desktop would. Typed text is kept in `typed`, one press (the character's code)
/// a character, asking `stillFocused` first; `afterCharacter` runs after each one.
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

    QList<int> typeText(const QString& text, const std::function<bool()>& stillFocused) override
    {
        QList<int> presses;
        for (const QChar c : text) {
            if (!stillFocused())
                break;
            typed += c;
            presses.append(c.unicode());
            if (afterCharacter)
                afterCharacter();
        }
        return presses;
    }

    bool canType = true;
    QString typed;
    std::function<void()> afterCharacter;
    QList<int> held;
    QList<int> counts;
};

} // namespace tarvex
