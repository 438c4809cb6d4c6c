#pragma once

#include <QStringList>

namespace tarvex {

/// The program's command-line rule.
class CommandLine final
{
public:
    /// The argument the login entry passes: start the hotkeys silently, with no window.
    static constexpr const char* AutomaticArgument = "automatic";

    /// True when `arguments` (without the program name) is exactly one argument that reads
    /// "automatic" in any letter case.
    static bool isAutomaticStart(const QStringList& arguments);
};

} // namespace tarvex
