#pragma once

#include "platform/Dialogs.h"
#include "tests/fakes/CallLog.h"

#include <QTimer>

#include <functional>
#include <utility>

namespace tarvex {

/// Dialogs that a test answers in advance. Each dialog is recorded as one call:
/// "inform <title>|<text>", "warn <title>|<text>", "ask <title>|<question>",
/// "choose <title>|<text>", "file <title>|<folder>|<filter>" and "folder <title>"; the boxes
/// that do not wait as "inform later <title>|<text>" and "ask later <title>|<question>".
/// Questions and choosers take the next queued answer ("Yes", "No", "Cancel", a caption, a
/// path); with none left they answer as a closed dialog does (No, or Cancel where offered;
/// no choice; no file), except a question that does not wait: it stays open until
/// answerOpenQuestion(). An optional hook runs while each dialog is "open" (for those that do
/// not wait, from the event loop once the call has returned).
class FakeDialogs final : public Dialogs, public CallLog
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override
    {
        opened(parent, QStringLiteral("inform %1|%2").arg(title, text));
    }
    void warn(QWidget* parent, const QString& title, const QString& text) override
    {
        opened(parent, QStringLiteral("warn %1|%2").arg(title, text));
    }
    Answer ask(QWidget* parent, const QString& title, const QString& question,
               bool withCancel) override
    {
        opened(parent, QStringLiteral("ask %1|%2").arg(title, question));
        const QString answer = nextAnswer();
        if (answer == QLatin1String("Yes"))
            return Answer::Yes;
        if (answer == QLatin1String("No") || !withCancel)
            return Answer::No;
        return Answer::Cancel;
    }
    QString choose(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& choices) override
    {
        opened(parent, QStringLiteral("choose %1|%2").arg(title, text));
        const QString answer = nextAnswer();
        return choices.contains(answer) ? answer : QString();
    }
    QString chooseFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override
    {
        opened(parent, QStringLiteral("file %1|%2|%3").arg(title, folder, filter));
        return nextAnswer();
    }
    QString chooseFolder(QWidget* parent, const QString& title) override
    {
        opened(parent, QStringLiteral("folder ") + title);
        return nextAnswer();
    }

    void informLater(const QString& title, const QString& text) override
    {
        openedLater(QStringLiteral("inform later %1|%2").arg(title, text));
    }
    void askLater(const QString& title, const QString& question,
                  std::function<void(bool)> answered) override
    {
        openedLater(QStringLiteral("ask later %1|%2").arg(title, question));
        if (m_answers.isEmpty())
            m_openQuestions.append(std::move(answered));
        else if (answered)
            answered(nextAnswer() == QLatin1String("Yes"));
    }

    /// Answers the oldest question still open (true: Yes); false when none is open.
    bool answerOpenQuestion(bool yes)
    {
        if (m_openQuestions.isEmpty())
            return false;
        const std::function<void(bool)> answered = m_openQuestions.takeFirst();
        if (answered)
            answered(yes);
        return true;
    }
    /// Queues the answer of the next question or chooser.
    void answer(const QString& answer) { m_answers.append(answer); }
    /// Sets a function run while each dialog is open (empty = none).
    void setWhileOpen(std::function<void()> hook) { m_whileOpen = std::move(hook); }
    /// The window the last dialog belonged to.
    QWidget* lastParent() const { return m_lastParent; }

private:
    void opened(QWidget* parent, const QString& call)
    {
        m_lastParent = parent;
        record(call);
        if (m_whileOpen)
            m_whileOpen();
    }
    void openedLater(const QString& call)
    {
        m_lastParent = nullptr;
        record(call);
        if (m_whileOpen)
            QTimer::singleShot(0, [hook = m_whileOpen] { hook(); });
    }
    QString nextAnswer() { return m_answers.isEmpty() ? QString() : m_answers.takeFirst(); }

    QStringList m_answers;
    QList<std::function<void(bool)>> m_openQuestions;
    std::function<void()> m_whileOpen;
    QWidget* m_lastParent = nullptr;
};

} // namespace tarvex
