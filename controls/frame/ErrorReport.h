#pragma once

#include <QString>

namespace tarvex {
class Dialogs;
}

namespace tarvex {

// How the subclassing module reports its errors (zReportError): one error
// entry in the system log, then a modal warning box titled
// "Error in <type>.<routine>" through the program's dialogs.
class ErrorReport final
{
public:
    // Logs "<typeName>.<routine>: <message>" and shows message + "." in the box.
    static void zReportError(const QString& typeName, const QString& routine,
                             const QString& message);

    // Sets the dialogs that show the boxes (nullptr, the default: the reports are only logged).
    static void setDialogs(tarvex::Dialogs* dialogs);

    // The text written to the system log for a report.
    static QString logLine(const QString& typeName, const QString& routine, const QString& message);
};

} // namespace tarvex
