#pragma once

#include <QString>

namespace tarvex {

/// What the sources that read the kernel's keyboards tell the user when no key reaches
/// Tarvex: one sentence on what is wrong, then the ways to let Tarvex see the keys.
class KeyboardAccessTexts final
{
public:
    /// The ways Tarvex can see the keys on a Wayland desktop, and what each one means.
    static QString choices();
    /// `problem`, then the choices.
    static QString withChoices(const QString& problem);
};

} // namespace tarvex
