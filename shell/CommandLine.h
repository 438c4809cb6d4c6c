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
        Pause,           ///< pause the hotkeys of the running instance, and end
        Resume,          ///< resume the hotkeys of the running instance, and end
        List,            ///< print the hotkeys of the running instance, and end
        Unknown, ///< an option the program does not know: print the usage as an error and end
    };

    /// True when `arguments` (without the program name) is exactly one argument that reads
    /// "automatic" in any letter case.
    static bool isAutomaticStart(const QStringList& arguments);

    /// The request of `arguments` (without the program name): the first argument that begins
    /// with "-" decides; `option` receives it.
    static Request parse(const QStringList& arguments, QString* option = nullptr);
    /// True when `arguments` ask for something answered before any window, and then end: the
    /// usage, the version, the revocation or a request to the running instance.
    static bool asksForInformation(const QStringList& arguments);

    /// The usage text printed by --help and after an unknown option.
    static QString usage();
    /// The version line printed by --version.
    static QString versionText();
    /// The running instance's method that `request` calls (Pause, Resume, List), else empty.
    static QString remoteMethod(Request request);
};

} // namespace tarvex
