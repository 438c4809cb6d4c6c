#include "controls/frame/ErrorReport.h"

#include "platform/Dialogs.h"

#include <syslog.h>

namespace tarvex {

namespace {

tarvex::Dialogs* g_dialogs = nullptr;

void writeSystemLog(const QString& line)
{
    // An error entry of the user facility under the program's name; it lands
    // in the journal (or syslog). The log connection is left to the C library.
    syslog(LOG_USER | LOG_ERR, "%s", line.toUtf8().constData());
}

} // namespace

QString ErrorReport::logLine(const QString& typeName, const QString& routine,
                             const QString& message)
{
    return typeName + QLatin1Char('.') + routine + QStringLiteral(": ") + message;
}

void ErrorReport::zReportError(const QString& typeName, const QString& routine,
                               const QString& message)
{
    writeSystemLog(logLine(typeName, routine, message));
    if (g_dialogs)
        g_dialogs->warn(nullptr,
                        QStringLiteral("Error in ") + typeName + QLatin1Char('.') + routine,
                        message + QLatin1Char('.'));
}

void ErrorReport::setDialogs(tarvex::Dialogs* dialogs)
{
    g_dialogs = dialogs;
}

} // namespace tarvex
