#pragma once

#include <QStringList>

namespace tarvex {

/// The program's command-line rule.
class CommandLine final
{
public:
    /// The argument the login entry passes: start the hotkeys silently, with no window.
    static constexpr const char* AutomaticArgument = "automatic";

    /// What a command line asks for before anything else runs.
    enum class Request {
        Run,     ///< start the program (plain arguments, "automatic" among them, are allowed)
        Help,    ///< print the usage and end
        Version, ///< print the version and end
        RevokeKeyReader, ///< tell the key reader to forget the user's permission, and end
        Unknown, ///< an option the program does not know: print the usage as an error and end
    };

    /// True when `arguments` (without the program name) is exactly one argument that reads
    /// "automatic" in any letter case.
    static bool isAutomaticStart(const QStringList& arguments);

    /// The request of `arguments` (without the program name): the first argument that begins
    /// with "-" decides; `option` receives it.
    static Request parse(const QStringList& arguments, QString* option = nullptr);
    /// True when `arguments` ask for the usage, the version or the revocation (answered before
    /// any window).
    static bool asksForInformation(const QStringList& arguments);

    /// The usage text printed by --help and after an unknown option.
    static QString usage();
    /// The version line printed by --version.
    static QString versionText();
};

} // namespace tarvex
