#include "store/ExecArguments.h"

#include "store/HotkeyEntry.h"

#include <QCoreApplication>

#include <algorithm>

namespace tarvex {
namespace {

const QString Reserved = QStringLiteral("\"'\\><~|&;$*?#()`");
// Inside double quotes these are written with a backslash before them.
const QString QuotedEscapes = QStringLiteral("\"`$\\");

// Reads the text one character at a time into the arguments; stops at the first fault.
class Splitter
{
public:
    explicit Splitter(const QString& text) : m_text(text) {}

    ExecArguments run()
    {
        while (m_error.isEmpty() && m_at < m_text.size())
            step(m_text.at(m_at++));
        if (m_error.isEmpty() && m_quoted)
            m_error = QCoreApplication::translate(
                "tarvex::ExecArguments", "A double quote in the arguments is never closed.");
        if (!m_error.isEmpty())
            return {{}, m_error};
        endArgument();
        return {m_arguments, {}};
    }

private:
    void step(QChar c)
    {
        if (c == u'%')
            percent();
        else if (m_quoted)
            quoted(c);
        else if (c == u' ')
            endArgument();
        else if (c == u'"')
            m_quoted = m_started = true;
        else if (Reserved.contains(c))
            m_error = QCoreApplication::translate(
                          "tarvex::ExecArguments",
                          "The arguments hold \"%1\" outside double quotes: put the argument that "
                          "holds it in double quotes.")
                          .arg(c);
        else
            append(c);
    }

    void quoted(QChar c)
    {
        if (c == u'"') {
            m_quoted = false;
        } else if (c == u'\\') {
            if (m_at < m_text.size() && QuotedEscapes.contains(m_text.at(m_at)))
                append(m_text.at(m_at++));
            else
                m_error = QCoreApplication::translate(
                    "tarvex::ExecArguments",
                    "Inside double quotes a backslash only goes before \", `, $ or "
                    "another backslash.");
        } else if (c == u'`' || c == u'$') {
            m_error = QCoreApplication::translate("tarvex::ExecArguments",
                                                  "Inside double quotes %1 is written \\%1.")
                          .arg(c);
        } else {
            append(c);
        }
    }

    void percent()
    {
        if (m_at < m_text.size() && m_text.at(m_at) == u'%') {
            ++m_at;
            append(u'%');
            return;
        }
        const QString code = m_text.mid(m_at - 1, 2);
        m_error = QCoreApplication::translate(
                      "tarvex::ExecArguments",
                      "%1 is a field code of a desktop entry, which a hotkey does not fill in: "
                      "leave it out, or write %% for a percent sign.")
                      .arg(code);
    }

    void append(QChar c)
    {
        m_current.append(c);
        m_started = true;
    }

    void endArgument()
    {
        if (m_started)
            m_arguments.append(m_current);
        m_current.clear();
        m_started = false;
    }

    const QString& m_text;
    qsizetype m_at = 0;
    QStringList m_arguments;
    QString m_current;
    QString m_error;
    bool m_quoted = false;
    // True once the current argument has begun (also by "", an empty argument).
    bool m_started = false;
};

QString Quoted(const QString& argument)
{
    const bool plain = !argument.isEmpty() && !argument.contains(u' ') &&
                       std::none_of(argument.begin(), argument.end(),
                                    [](QChar c) { return Reserved.contains(c); });
    QString text = plain ? QString() : QStringLiteral("\"");
    for (const QChar c : argument) {
        if (!plain && QuotedEscapes.contains(c))
            text.append(u'\\');
        text.append(c);
        if (c == u'%')
            text.append(u'%');
    }
    return plain ? text : text + u'"';
}

} // namespace

ExecArguments SplitExecArguments(const QString& text)
{
    if (HoldsControlCharacter(text))
        return {{},
                QCoreApplication::translate(
                    "tarvex::ExecArguments",
                    "The arguments hold a control character, such as a tab or a line break.")};
    return Splitter(text).run();
}

QString JoinExecArguments(const QStringList& arguments)
{
    QStringList quoted;
    quoted.reserve(arguments.size());
    for (const QString& argument : arguments)
        quoted.append(Quoted(argument));
    return quoted.join(u' ');
}

} // namespace tarvex
