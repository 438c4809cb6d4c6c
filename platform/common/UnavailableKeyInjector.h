#pragma once

#include "platform/KeyInjector.h"

namespace tarvex {

/// The key injection of a desktop that lets no program type keys (a Wayland compositor, until
/// its virtual keyboard or the remote-desktop portal is used): it types nothing and says why.
class UnavailableKeyInjector final : public KeyInjector
{
public:
    bool available() const override { return false; }
    QString unavailableReason() const override;
    QList<int> pressBackspace(int) override { return {}; }
    QList<int> typeText(const QString&, const std::function<bool()>&) override { return {}; }
};

} // namespace tarvex
