#pragma once

#include <QString>

namespace tarvex {

/// The account's home folder, from which every folder the program uses derives (settings,
/// Documents, autostart). Without HOME the toolkit would take "/" for it: as root the program
/// would then write "/.config", and as another user nothing could be saved.
class HomeFolder final
{
public:
    /// When HOME is unset or empty, sets it to the home folder the password database gives the
    /// account. Call it before any thread starts. False when there is none that exists.
    static bool ensure();
    /// Why ensure() failed, for the user.
    static QString problem();
};

} // namespace tarvex
