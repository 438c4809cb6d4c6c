#include "shell/CommandLine.h"

namespace tarvex {

bool CommandLine::isAutomaticStart(const QStringList& arguments)
{
    // The arguments are compared as one text, so "automatic x" or two arguments never match.
    return arguments.size() == 1 && arguments.first().toLower() == QLatin1String(AutomaticArgument);
}

} // namespace tarvex
