#pragma once

#include <QMessageBox>
#include <QString>

#include <optional>

namespace tarvex {

// How the subclassing module reports its errors (zReportError): one error
// entry in the system log, then a modal warning box titled
// "Error in <type>.<routine>". Tests pre-answer the box so nothing waits.
class ErrorReport final
{
public:
    // Logs "<typeName>.<routine>: <message>" and shows message + "." in the box.
    static void zReportError(const QString& typeName, const QString& routine,
                             const QString& message);

    // The next box is not shown and counts as answered with answer (for tests).
    static void setNextAnswer(QMessageBox::StandardButton answer);

    // Every later box is skipped (true) or shown again (false).
    static void setSuppressed(bool suppressed);

    // Title and text of the last box shown or skipped; empty before any.
    static QString lastTitle();
    static QString lastText();

    // Forgets the last title and text.
    static void clearLast();

    // The text written to the system log for a report.
    static QString logLine(const QString& typeName, const QString& routine, const QString& message);
};

} // namespace tarvex
