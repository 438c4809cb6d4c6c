#include "shell/CommandLine.h"

namespace tarvex {

bool CommandLine::isAutomaticStart(const QStringList& arguments)
{
    // The arguments are compared as one text, so "automatic x" or two arguments never match.
    return arguments.size() == 1 && arguments.first().toLower() == QLatin1String(AutomaticArgument);
}

CommandLine::Request CommandLine::parse(const QStringList& arguments, QString* option)
{
    for (const QString& argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')))
            continue;
        if (option)
            *option = argument;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Request::Help;
        if (argument == QLatin1String("--version"))
            return Request::Version;
        if (argument == QLatin1String("--revoke-key-reader"))
            return Request::RevokeKeyReader;
        if (argument == QLatin1String("--pause"))
            return Request::Pause;
        if (argument == QLatin1String("--resume"))
            return Request::Resume;
        if (argument == QLatin1String("--list"))
            return Request::List;
        return Request::Unknown;
    }
    return Request::Run;
}

bool CommandLine::asksForInformation(const QStringList& arguments)
{
    const Request request = parse(arguments);
    return request != Request::Run && request != Request::Unknown;
}

QString CommandLine::remoteMethod(Request request)
{
    switch (request) {
    case Request::Pause:
        return QStringLiteral("Pause");
    case Request::Resume:
        return QStringLiteral("Resume");
    case Request::List:
        return QStringLiteral("ListHotkeys");
    default:
        return QString();
    }
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: tarvex [automatic]\n"
        "       tarvex --pause | --resume | --list\n"
        "       tarvex --help | --version | --revoke-key-reader\n"
        "\n"
        "Tarvex runs your hotkeys: key sequences that open a file, program, folder or web\n"
        "address, or act on the window in front. Without an argument it shows its main window.\n"
        "\n"
        "  automatic    start the hotkeys at once with only the icon in the notification area\n"
        "               (the login entry starts Tarvex this way)\n"
        "  --pause      pause the hotkeys of the running Tarvex (until --resume or its end)\n"
        "  --resume     let the hotkeys of the running Tarvex fire again\n"
        "  --list       print the hotkeys of the running Tarvex, one \"keys<TAB>target\" a line\n"
        "  -h, --help   show this help and exit\n"
        "  --version    show the version and exit\n"
        "  --revoke-key-reader\n"
        "               take back your permission for the key reader to pass your keys to\n"
        "               Tarvex (it is asked for again when needed), and exit\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("Tarvex " TARVEX_VERSION "\n");
}

} // namespace tarvex
