#include "controls/frame/ErrorReport.h"

#include <QApplication>

#include <syslog.h>

namespace tarvex {

namespace {

struct BoxState
{
    std::optional<QMessageBox::StandardButton> nextAnswer;
    bool suppressed = false;
    QString lastTitle;
    QString lastText;
};

BoxState& state()
{
    static BoxState s;
    return s;
}

void writeSystemLog(const QString& line)
{
    // An error entry of the user facility under the program's name; it lands
    // in the journal (or syslog). The log connection is left to the C library.
    syslog(LOG_USER | LOG_ERR, "%s", line.toUtf8().constData());
}

bool mustSkipBox()
{
    BoxState& s = state();
    if (s.nextAnswer) {
        s.nextAnswer.reset();
        return true;
    }
    // Without a widget application there is nobody to show the box to.
    return s.suppressed || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr;
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
    BoxState& s = state();
    s.lastTitle = QStringLiteral("Error in ") + typeName + QLatin1Char('.') + routine;
    s.lastText = message + QLatin1Char('.');
    if (mustSkipBox())
        return;
    QMessageBox box(QMessageBox::Warning, s.lastTitle, s.lastText, QMessageBox::Ok);
    box.exec();
}

void ErrorReport::setNextAnswer(QMessageBox::StandardButton answer)
{
    state().nextAnswer = answer;
}

void ErrorReport::setSuppressed(bool suppressed)
{
    state().suppressed = suppressed;
}

QString ErrorReport::lastTitle()
{
    return state().lastTitle;
}

QString ErrorReport::lastText()
{
    return state().lastText;
}

void ErrorReport::clearLast()
{
    state().lastTitle.clear();
    state().lastText.clear();
}

} // namespace tarvex
