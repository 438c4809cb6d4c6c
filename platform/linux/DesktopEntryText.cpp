#include "platform/linux/DesktopEntryText.h"

namespace tarvex::DesktopEntryText {

namespace {

QString escapeControls(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return text;
}

} // namespace

QString quotedExecArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    // The string-value escapes are undone before the quoting is read, so they go on top.
    return escapeControls(QLatin1Char('"') + quoted + QLatin1Char('"'));
}

QString stringValue(const QString& value)
{
    QString escaped = escapeControls(value);
    if (escaped.startsWith(QLatin1Char(' ')))
        escaped.replace(0, 1, QLatin1String("\\s"));
    return escaped;
}

bool stringValueReadsBack(const QString& value)
{
    return !value.startsWith(QLatin1Char('\f')) && !value.startsWith(QLatin1Char('\v'));
}

} // namespace tarvex::DesktopEntryText
